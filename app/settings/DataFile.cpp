#include "DataFile.h"

#include "TextCodec.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace kelvra {

namespace {

constexpr int kMaxStringBytes = 32767;
constexpr qint64 kRowBytes = 4 * 8;
constexpr qint64 kUnitInfoBytes = 42;
// Header strings at their longest, every row and the unit block: nothing a
// real data file can exceed.
constexpr qint64 kLargestFile = 54 + 6 * kMaxStringBytes + kBufferLength * kRowBytes + kUnitInfoBytes;

class ByteWriter {
public:
	explicit ByteWriter(qsizetype reserve) { bytes_.reserve(reserve); }

	template <typename T>
	void put(T value)
	{
		char raw[sizeof(T)];
		qToLittleEndian(value, raw);
		bytes_.append(raw, sizeof(T));
	}

	void putString(const QString &text)
	{
		QByteArray encoded = toCodePage932(text);
		for (qsizetype keep = text.size(); encoded.size() > kMaxStringBytes; --keep)
			encoded = toCodePage932(text.left(keep - 1));
		put<int16_t>(static_cast<int16_t>(encoded.size()));
		bytes_.append(encoded);
	}

	QByteArray take() { return std::move(bytes_); }

private:
	QByteArray bytes_;
};

class ByteReader {
public:
	explicit ByteReader(const QByteArray &bytes) : bytes_(bytes) {}

	template <typename T>
	bool get(T &value)
	{
		if (remaining() < static_cast<qsizetype>(sizeof(T)))
			return false;
		value = qFromLittleEndian<T>(bytes_.constData() + position_);
		position_ += sizeof(T);
		return true;
	}

	bool getString(QString &text)
	{
		int16_t size = 0;
		if (!get(size) || size < 0 || remaining() < size)
			return false;
		text = fromCodePage932(bytes_.mid(position_, size));
		position_ += size;
		return true;
	}

	bool skip(qsizetype count)
	{
		if (remaining() < count)
			return false;
		position_ += count;
		return true;
	}

	qsizetype remaining() const { return bytes_.size() - position_; }

private:
	const QByteArray &bytes_;
	qsizetype position_ = 0;
};

bool readHeader(ByteReader &in, DataFileHeader &header)
{
	bool ok = in.getString(header.startTime);
	for (QString &memo : header.memo)
		ok = ok && in.getString(memo);
	return ok && in.get(header.timerType) && in.get(header.interval) && in.get(header.average) &&
			in.get(header.upperTrigger) && in.get(header.upperLevel) && in.get(header.lowerTrigger) &&
			in.get(header.lowerLevel) && in.get(header.before) && in.get(header.after) &&
			in.get(header.triggerUnit) && in.skip(8) && in.get(header.rowCount);
}

std::optional<DataFileUnitInfo> readUnitInfo(ByteReader &in)
{
	if (in.remaining() < kUnitInfoBytes)
		return std::nullopt; // a file that ends after the rows carries no unit settings
	DataFileUnitInfo info;
	in.get(info.sing);
	for (float &power : info.power)
		in.get(power);
	for (int16_t &powerSing : info.powerSing)
		in.get(powerSing);
	for (float &capacity : info.capacity)
		in.get(capacity);
	return info;
}

void writeHeader(ByteWriter &out, const ModuleData &md, int32_t rows)
{
	const bool trigger = md.TrgMode != kFalse;
	const bool upper = trigger && md.TrgMaxFlag == kTrue;
	const bool lower = trigger && md.TrgMinFlag == kTrue;
	out.putString(md.StartTimeStr);
	for (const QString &memo : md.MemoStr)
		out.putString(memo);
	out.put<int16_t>(md.TimerType);
	out.put<int32_t>(md.IntervalTM);
	out.put<int16_t>(md.DataAverage);
	out.put<int16_t>(upper ? 1 : 0);
	out.put<float>(upper ? md.TrgVMax : 0.0f);
	out.put<int16_t>(lower ? 1 : 0);
	out.put<float>(lower ? md.TrgVMin : 0.0f);
	out.put<int32_t>(trigger ? md.TrgDnum1 : 0);
	out.put<int32_t>(trigger ? md.TrgDnum2 : 0);
	out.put<int16_t>(trigger ? md.TrgUnitID : 0);
	out.put<int16_t>(0); // reserved
	out.put<int32_t>(0);
	out.put<int16_t>(0);
	out.put<int32_t>(rows);
}

void writeUnitInfo(ByteWriter &out, const ModuleData &md)
{
	out.put<int16_t>(md.Sing);
	for (const auto &channel : md.Channels)
		out.put<float>(channel.Power);
	for (const auto &channel : md.Channels)
		out.put<int16_t>(channel.PowerSing);
	for (const auto &channel : md.Channels)
		out.put<float>(channel.Capacity);
}

void applyContent(const DataFileContent &content, ModuleData &md)
{
	const DataFileHeader &header = content.header;
	md.StartTimeStr = header.startTime;
	md.MemoStr = header.memo;
	md.TimerType = toFlag(header.timerType != 0);
	md.IntervalTM = header.interval;
	md.DataAverage = toFlag(header.average != 0);
	md.TrgMaxFlag = toFlag(header.upperTrigger != 0);
	md.TrgVMax = header.upperLevel;
	md.TrgMinFlag = toFlag(header.lowerTrigger != 0);
	md.TrgVMin = header.lowerLevel;
	md.TrgDnum1 = header.before;
	md.TrgDnum2 = header.after;
	md.TrgUnitID = header.triggerUnit;
	md.DeriveAverageNum();

	const int32_t rows = header.rowCount;
	const bool trigger = md.TrgMaxFlag == kTrue || md.TrgMinFlag == kTrue;
	md.TrgMode = toFlag(trigger);
	md.TrgOn = toFlag(trigger);
	if (trigger) {
		for (auto &channel : md.Channels) {
			channel.StartPos = 0;
			channel.WritePos = std::max(rows - 1, 0);
		}
		md.TrgPoint = md.TrgDnum1;
	}
	md.DataMaxNum = rows;
	md.DataCount = rows;

	for (int32_t r = 0; r < rows; ++r) {
		for (int u = 0; u < kUnitCount; ++u) {
			const double value = content.rows[r][u];
			ChannelRecord &channel = md.Channels[u];
			if (r == 0)
				channel.Mflag = toFlag(value != kNoData);
			if (channel.inUse() && value != kNoData) {
				channel.Data[r] = static_cast<float>(value);
				channel.DataNum += 1;
			}
		}
	}

	if (content.unitInfo && content.unitInfo->sing != 0) {
		const DataFileUnitInfo &info = *content.unitInfo;
		md.Sing = info.sing;
		for (int u = 0; u < kUnitCount; ++u) {
			md.Channels[u].Power = info.power[u];
			md.Channels[u].PowerSing = info.powerSing[u];
			md.Channels[u].Capacity = info.capacity[u];
		}
	} else {
		md.Sing = 0; // the units keep their sensor settings
	}
}

} // namespace

QByteArray EncodeDataFile(const ModuleData &md)
{
	const int32_t rows = std::clamp(md.DataCount, 0, kBufferLength);
	ByteWriter out(512 + rows * kRowBytes);
	writeHeader(out, md, rows);
	for (int32_t r = 1; r <= rows; ++r) {
		for (int u = 0; u < kUnitCount; ++u)
			out.put<double>(md.SampleAt(u, r));
	}
	writeUnitInfo(out, md);
	return out.take();
}

std::optional<DataFileContent> ParseDataFile(const QByteArray &bytes, QString *error)
{
	auto fail = [error](const char *reason) -> std::optional<DataFileContent> {
		if (error)
			*error = QString::fromUtf8(reason);
		return std::nullopt;
	};

	ByteReader in(bytes);
	DataFileContent content;
	if (!readHeader(in, content.header))
		return fail("ファイルがヘッダーの途中で終わっています。");
	const int32_t rows = content.header.rowCount;
	if (rows < 0)
		return fail("データ数が負の値になっています。");
	if (rows > kBufferLength)
		return fail("データ数が88000を超えています。");
	if (in.remaining() < rows * kRowBytes)
		return fail("ファイルがデータの途中で終わっています。");

	content.rows.resize(rows);
	for (auto &row : content.rows) {
		for (double &value : row)
			in.get(value);
	}
	content.unitInfo = readUnitInfo(in);
	return content;
}

FileResult WriteWholeFile(const QString &fileName, const QByteArray &bytes)
{
	QSaveFile file(fileName);
	if (!file.open(QIODevice::WriteOnly))
		return FileResult::failure(file.errorString());
	if (file.write(bytes) != bytes.size()) {
		const QString reason = file.errorString();
		file.cancelWriting();
		return FileResult::failure(reason);
	}
	if (!file.commit())
		return FileResult::failure(file.errorString());
	return {};
}

FileResult SaveDataFile(const ModuleData &md, const QString &fileName)
{
	return WriteWholeFile(fileName, EncodeDataFile(md));
}

std::optional<DataFileContent> LoadDataFileContent(const QString &fileName, QString *error)
{
	QFile file(fileName);
	QByteArray bytes;
	if (!file.open(QIODevice::ReadOnly)) {
		*error = file.errorString();
		return std::nullopt;
	}
	if (file.size() > kLargestFile) {
		*error = QStringLiteral("データファイルとして大きすぎます。");
		return std::nullopt;
	}
	bytes = file.readAll();
	if (file.error() != QFileDevice::NoError) {
		*error = file.errorString();
		return std::nullopt;
	}
	return ParseDataFile(bytes, error);
}

FileResult ReadDataFile(ModuleData &md, const QString &fileName)
{
	md.ClearMeasData();
	QString reason;
	const auto content = LoadDataFileContent(fileName, &reason);
	if (!content)
		return FileResult::failure(reason);
	applyContent(*content, md);
	return {};
}

} // namespace kelvra

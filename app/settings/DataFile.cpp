#include "DataFile.h"

#include "TextCodec.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace kelvra {

namespace {

constexpr int kMaxStringBytes = 32767;
constexpr qint64 kRowBytes = 4 * 8;
constexpr qint64 kUnitInfoBytes = 42;
constexpr int kMaxDateBytes = 32;
constexpr int32_t kMaxIntervalMs = 65535000; // 65535 s, the longest PC-timed interval
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

	bool getText(int16_t size, QString &text)
	{
		if (remaining() < size)
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

QString notDataFile(const QString &why)
{
	return QStringLiteral("Kelvraのデータファイルではありません（%1）。").arg(why);
}

const QString &headerCutOff()
{
	static const QString text = QStringLiteral("ファイルがヘッダーの途中で終わっています。");
	return text;
}

// The writers put "yyyy/m/d h:m:s" or 19 blanks there.
bool isDateText(const QString &text)
{
	return std::all_of(text.begin(), text.end(), [](QChar c) {
		return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || QStringLiteral(" /:-.").contains(c);
	});
}

bool isFlag(int16_t value)
{
	return value >= -1 && value <= 1;
}

// Why the fixed fields cannot come from a writer; empty when they can.
QString implausibleField(const DataFileHeader &h)
{
	if (!isFlag(h.timerType) || !isFlag(h.average) || !isFlag(h.upperTrigger) || !isFlag(h.lowerTrigger))
		return QStringLiteral("フラグが-1、0、1のどれでもありません");
	if (h.interval < 0 || h.interval > kMaxIntervalMs)
		return QStringLiteral("測定間隔が範囲外です");
	if (h.before < 0 || h.before > kBufferLength || h.after < 0 || h.after > kBufferLength)
		return QStringLiteral("トリガの取込データ数が範囲外です");
	if (h.triggerUnit < 0 || h.triggerUnit >= kUnitCount)
		return QStringLiteral("トリガ使用ユニットIDが0〜3ではありません");
	if (h.rowCount < 0 || h.rowCount > kBufferLength)
		return QStringLiteral("データ数が0〜88000ではありません");
	return {};
}

// Empty when a plausible header was read; otherwise why the bytes are no
// data file, or that they end inside the header. A real file's first field is
// a short date text, so text files and random bytes fail right there.
QString readHeader(ByteReader &in, DataFileHeader &header)
{
	if (in.remaining() == 0)
		return notDataFile(QStringLiteral("空のファイルです"));
	int16_t size = 0;
	if (!in.get(size))
		return headerCutOff();
	if (size < 0 || size > kMaxDateBytes)
		return notDataFile(QStringLiteral("測定日の長さが%1バイトです").arg(size));
	if (!in.getText(size, header.startTime))
		return headerCutOff();
	if (!isDateText(header.startTime))
		return notDataFile(QStringLiteral("測定日が日時の文字列ではありません"));
	for (QString &memo : header.memo) {
		if (!in.get(size))
			return headerCutOff();
		if (size < 0)
			return notDataFile(QStringLiteral("メモの長さが負の値です"));
		if (!in.getText(size, memo))
			return headerCutOff();
	}
	const bool complete = in.get(header.timerType) && in.get(header.interval) && in.get(header.average) &&
			in.get(header.upperTrigger) && in.get(header.upperLevel) && in.get(header.lowerTrigger) &&
			in.get(header.lowerLevel) && in.get(header.before) && in.get(header.after) &&
			in.get(header.triggerUnit) && in.skip(8) && in.get(header.rowCount);
	if (!complete)
		return headerCutOff();
	const QString why = implausibleField(header);
	return why.isEmpty() ? QString() : notDataFile(why);
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
	auto fail = [error](const QString &reason) -> std::optional<DataFileContent> {
		if (error)
			*error = reason;
		return std::nullopt;
	};

	ByteReader in(bytes);
	DataFileContent content;
	if (const QString reason = readHeader(in, content.header); !reason.isEmpty())
		return fail(reason);
	const int32_t rows = content.header.rowCount;
	if (in.remaining() < rows * kRowBytes)
		return fail(QStringLiteral("ファイルがデータの途中で終わっています。"));
	if (in.remaining() - rows * kRowBytes > kUnitInfoBytes)
		return fail(notDataFile(QStringLiteral("ファイルの大きさがデータ数と合いません")));

	content.rows.resize(rows);
	for (auto &row : content.rows) {
		for (double &value : row)
			in.get(value);
	}
	content.unitInfo = readUnitInfo(in);
	if (content.unitInfo && (content.unitInfo->sing < 0 || content.unitInfo->sing > kLastSing))
		return fail(notDataFile(QStringLiteral("表示単位が0〜5ではありません")));
	return content;
}

FileResult ReadDataFileBytes(ModuleData &md, const QByteArray &bytes)
{
	md.ClearMeasData();
	QString reason;
	const auto content = ParseDataFile(bytes, &reason);
	if (!content)
		return FileResult::failure(reason);
	applyContent(*content, md);
	return {};
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

FileResult CheckWholeFileWritable(const QString &fileName)
{
	QSaveFile file(fileName);
	if (!file.open(QIODevice::WriteOnly))
		return FileResult::failure(file.errorString());
	file.cancelWriting();
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
		*error = notDataFile(QStringLiteral("ファイルが大きすぎます"));
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

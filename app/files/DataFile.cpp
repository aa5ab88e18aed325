#include "DataFile.h"

#include "StagedFiles.h"
#include "TextCodec.h"
#include "core/RunSettings.h"

#include <QCoreApplication>
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
// Header strings at their longest, every row and the unit block: nothing a
// real data file can exceed.
constexpr qint64 kLargestFile =
		54 + 6 * kMaxStringBytes + kBufferLength * kRowBytes + kUnitInfoBytes;

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
	return QCoreApplication::translate(
			"DataFile", "Kelvraのデータファイルではありません（%1）。")
			.arg(why);
}

QString headerCutOff()
{
	return QCoreApplication::translate("DataFile",
			"ファイルがヘッダーの途中で終わっています。最後までコピーされていない可能性があります。");
}

// The writers put "yyyy/m/d h:m:s" or 19 blanks there.
bool isDateText(const QString &text)
{
	return std::all_of(text.begin(), text.end(), [](QChar c) {
		return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
				QStringLiteral(" /:-.").contains(c);
	});
}

// The settings the file carries, over `base`: the units' sensor data only
// when the file carries them.
RunSettings settingsInFile(
		const DataFileHeader &h, const DataFileUnitInfo *info, RunSettings base = {})
{
	base.TimerType = h.timerType;
	base.IntervalTM = h.interval;
	base.DataAverage = h.average;
	base.TrgMaxFlag = h.upperTrigger;
	base.TrgVMax = h.upperLevel;
	base.TrgMinFlag = h.lowerTrigger;
	base.TrgVMin = h.lowerLevel;
	base.TrgDnum1 = h.before;
	base.TrgDnum2 = h.after;
	base.TrgUnitID = h.triggerUnit;
	if (!info)
		return base;
	base.Sing = info->sing;
	for (int u = 0; u < kUnitCount; ++u) {
		base.units[u].Power = info->power[u];
		base.units[u].PowerSing = info->powerSing[u];
		base.units[u].Capacity = info->capacity[u];
	}
	return base;
}

// Why the fixed fields cannot come from a writer; empty when they can.
QString implausibleField(const DataFileHeader &h)
{
	if (const QString why = ImplausibleSetting(settingsInFile(h, nullptr)); !why.isEmpty())
		return why;
	if (h.rowCount < 0 || h.rowCount > kBufferLength)
		return QCoreApplication::translate("DataFile", "データ数が0〜88000ではありません");
	return {};
}

// Empty when a plausible header was read; otherwise why the bytes are no
// data file, or that they end inside the header. A real file's first field is
// a short date text, so text files and random bytes fail right there.
QString readHeader(ByteReader &in, DataFileHeader &header)
{
	if (in.remaining() == 0)
		return notDataFile(QCoreApplication::translate("DataFile", "空のファイルです"));
	int16_t size = 0;
	if (!in.get(size))
		return headerCutOff();
	if (size < 0 || size > kMaxDateBytes)
		return notDataFile(QCoreApplication::translate(
				"DataFile", "先頭に測定日時がありません"));
	if (!in.getText(size, header.startTime))
		return headerCutOff();
	if (!isDateText(header.startTime))
		return notDataFile(QCoreApplication::translate(
				"DataFile", "測定日が日時の文字列ではありません"));
	for (QString &memo : header.memo) {
		if (!in.get(size))
			return headerCutOff();
		if (size < 0)
			return notDataFile(QCoreApplication::translate(
					"DataFile", "メモ欄が壊れています"));
		if (!in.getText(size, memo))
			return headerCutOff();
	}
	const bool complete = in.get(header.timerType) && in.get(header.interval) &&
			in.get(header.average) && in.get(header.upperTrigger) &&
			in.get(header.upperLevel) && in.get(header.lowerTrigger) &&
			in.get(header.lowerLevel) && in.get(header.before) &&
			in.get(header.after) && in.get(header.triggerUnit) && in.skip(8) &&
			in.get(header.rowCount);
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
	const RunSettings s = SettingsOfRun(md);
	const bool trigger = md.TrgMode != kFalse;
	const bool upper = trigger && s.TrgMaxFlag == kTrue;
	const bool lower = trigger && s.TrgMinFlag == kTrue;
	out.putString(md.StartTimeStr);
	for (const QString &memo : md.MemoStr)
		out.putString(memo);
	out.put<int16_t>(s.TimerType);
	out.put<int32_t>(s.IntervalTM);
	out.put<int16_t>(s.DataAverage);
	out.put<int16_t>(upper ? 1 : 0);
	out.put<float>(upper ? s.TrgVMax : 0.0f);
	out.put<int16_t>(lower ? 1 : 0);
	out.put<float>(lower ? s.TrgVMin : 0.0f);
	out.put<int32_t>(trigger ? s.TrgDnum1 : 0);
	out.put<int32_t>(trigger ? s.TrgDnum2 : 0);
	out.put<int16_t>(trigger ? s.TrgUnitID : 0);
	out.put<int16_t>(0); // reserved
	out.put<int32_t>(0);
	out.put<int16_t>(0);
	out.put<int32_t>(rows);
}

void writeUnitInfo(ByteWriter &out, const RunSettings &s)
{
	out.put<int16_t>(s.Sing);
	for (const UnitSettings &unit : s.units)
		out.put<float>(unit.Power);
	for (const UnitSettings &unit : s.units)
		out.put<int16_t>(unit.PowerSing);
	for (const UnitSettings &unit : s.units)
		out.put<float>(unit.Capacity);
}

// The units in use are those with a value in the first row; without rows
// they stay as they are, and so do the sensor data of a file that carries
// none (display unit 0).
RunSettings settingsToApply(const DataFileContent &content, const ModuleData &md)
{
	const DataFileUnitInfo *info = content.unitInfo && content.unitInfo->sing != 0
			? &*content.unitInfo
			: nullptr;
	RunSettings s = settingsInFile(content.header, info, SettingsOfRun(md));
	if (!info)
		s.Sing = 0;
	if (!content.rows.empty()) {
		for (int u = 0; u < kUnitCount; ++u)
			s.units[u].Mflag = toFlag(content.rows.front()[u] != kNoData);
	}
	return s;
}

void applyContent(const DataFileContent &content, ModuleData &md)
{
	const DataFileHeader &header = content.header;
	md.StartTimeStr = header.startTime;
	md.MemoStr = header.memo;
	ApplyRunSettings(settingsToApply(content, md), md);
	md.DeriveAverageNum();

	const int32_t rows = header.rowCount;
	const bool trigger = md.settings.TrgMaxFlag == kTrue || md.settings.TrgMinFlag == kTrue;
	md.TrgMode = toFlag(trigger);
	md.TrgOn = toFlag(trigger);
	if (trigger) {
		for (auto &channel : md.Channels) {
			channel.StartPos = 0;
			channel.WritePos = std::max(rows - 1, 0);
		}
		md.TrgPoint = md.settings.TrgDnum1;
	}
	md.DataMaxNum = rows;
	md.DataCount = rows;

	for (int32_t r = 0; r < rows; ++r) {
		for (int u = 0; u < kUnitCount; ++u) {
			const double value = content.rows[r][u];
			ChannelRecord &channel = md.Channels[u];
			if (channel.inUse() && value != kNoData) {
				channel.Data[r] = static_cast<float>(value);
				channel.DataNum += 1;
			}
		}
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
	writeUnitInfo(out, SettingsOfRun(md));
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
		return fail(QCoreApplication::translate("DataFile",
				"ファイルがデータの途中で終わっています。最後までコピーされていない可能性があります。"));
	if (in.remaining() - rows * kRowBytes > kUnitInfoBytes)
		return fail(notDataFile(QCoreApplication::translate(
				"DataFile", "ファイルの大きさがデータ数と合いません")));

	content.rows.resize(rows);
	for (auto &row : content.rows) {
		for (double &value : row)
			in.get(value);
	}
	content.unitInfo = readUnitInfo(in);
	if (content.unitInfo) {
		if (const QString why = ImplausibleSetting(
				    settingsInFile(content.header, &*content.unitInfo));
				!why.isEmpty())
			return fail(notDataFile(why));
	}
	return content;
}

void ApplyDataFileContent(const DataFileContent &content, ModuleData &md)
{
	md.ClearMeasData();
	applyContent(content, md);
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
	StagedFiles file;
	const FileResult written = file.write(fileName, bytes);
	return written.ok ? file.commit() : written;
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
		*error = notDataFile(
				QCoreApplication::translate("DataFile", "ファイルが大きすぎます"));
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

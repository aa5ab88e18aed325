#include "CsvFile.h"

#include "DataFile.h"
#include "TextCodec.h"
#include "core/NumberText.h"

#include <cmath>

namespace kelvra {

namespace {

class CsvWriter {
public:
	explicit CsvWriter(CsvEncoding encoding) : encoding_(encoding)
	{
		if (encoding_ == CsvEncoding::Utf8)
			bytes_ += "\xEF\xBB\xBF"; // lets spreadsheets in any locale detect UTF-8
	}

	CsvWriter &text(const QString &item)
	{
		separate();
		if (item.isEmpty()) {
			bytes_ += "\"\"";
			return *this;
		}
		QString quoted = item;
		quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
		bytes_ += '"';
		bytes_ += encoding_ == CsvEncoding::Utf8 ? quoted.toUtf8() : toCodePage932(quoted);
		bytes_ += '"';
		return *this;
	}

	CsvWriter &single(float value) { return number(significantText(value, 7)); }
	CsvWriter &real(double value) { return number(significantText(value, 15)); }
	CsvWriter &whole(int32_t value) { return number(QByteArray::number(value)); }

	void endLine()
	{
		bytes_ += "\r\n";
		first_ = true;
	}

	void reserve(qsizetype size) { bytes_.reserve(size); }
	// Bytes that are already CSV, such as a whole row of numbers.
	void raw(const char *begin, const char *end) { bytes_.append(begin, end - begin); }
	QByteArray take() { return std::move(bytes_); }

private:
	CsvWriter &number(const QByteArray &digits)
	{
		separate();
		bytes_ += digits;
		return *this;
	}

	void separate()
	{
		if (!first_)
			bytes_ += ',';
		first_ = false;
	}

	CsvEncoding encoding_;
	QByteArray bytes_;
	bool first_ = true;
};

void line(CsvWriter &csv, const char *label, const QString &value)
{
	csv.text(QString::fromUtf8(label)).text(value);
	csv.endLine();
}

void WriteRatedOutput(CsvWriter &csv, const ModuleData &md)
{
	csv.text(QStringLiteral("定格出力"));
	for (const auto &channel : md.Channels) {
		csv.text(channel.inUse() ? shortestText(channel.Power) +
								(channel.PowerSing == 0 ? QStringLiteral("mV/V")
											: QStringLiteral("μひずみ"))
					 : QString());
	}
	csv.endLine();
}

void WriteCapacity(CsvWriter &csv, const ModuleData &md)
{
	csv.text(QStringLiteral("定格容量"));
	for (const auto &channel : md.Channels)
		csv.text(channel.inUse() ? shortestText(channel.Capacity) + md.GetSingStr()
					 : QString());
	csv.endLine();
}

void writeTitle(CsvWriter &csv)
{
	csv.text(QStringLiteral("ひずみ測定"));
	csv.endLine();
}

void writeSettings(CsvWriter &csv, const ModuleData &md)
{
	writeTitle(csv);
	line(csv, "測定日", md.StartTimeStr);
	static const char *const memoLabels[] = {"メモ１", "メモ２", "メモ３", "メモ４", "メモ５"};
	for (int i = 0; i < 5; ++i)
		line(csv, memoLabels[i], md.MemoStr[i]);
	if (md.settings.TimerType == kFalse)
		csv.text(QStringLiteral("測定間隔(msec)")).whole(md.settings.IntervalTM);
	else
		csv.text(QStringLiteral("測定間隔(sec)")).real(md.settings.IntervalTM / 1000.0);
	csv.endLine();
	line(csv, "データ平均化処理",
			md.settings.DataAverage == kFalse ? QStringLiteral("無し")
							  : QStringLiteral("有り"));
	line(csv, "単位", md.GetSingStr());
	if (md.settings.Sing > 0) {
		csv.text(QString());
		for (int u = 0; u < kUnitCount; ++u)
			csv.text(QStringLiteral("ID") + QString::number(u));
		csv.endLine();
		WriteRatedOutput(csv, md);
		WriteCapacity(csv, md);
	}
}

void writeTriggerSettings(CsvWriter &csv, const ModuleData &md)
{
	if (md.settings.TrgMaxFlag == kTrue) {
		csv.text(QStringLiteral("上限トリガ")).single(md.settings.TrgVMax);
		csv.endLine();
	}
	if (md.settings.TrgMinFlag == kTrue) {
		csv.text(QStringLiteral("下限トリガ")).single(md.settings.TrgVMin);
		csv.endLine();
	}
	csv.text(QStringLiteral("取込データ数（前／後）"))
			.whole(md.settings.TrgDnum1)
			.whole(md.settings.TrgDnum2);
	csv.endLine();
	csv.text(QStringLiteral("トリガ使用ユニットID")).whole(md.settings.TrgUnitID);
	csv.endLine();
}

void writeRowsHead(CsvWriter &csv, const ModuleData &md)
{
	csv.text(QStringLiteral("測定データ"));
	csv.endLine();
	csv.text(QStringLiteral("データ数")).whole(md.DataCount);
	csv.endLine();
	for (int u = 0; u < kUnitCount; ++u)
		csv.text(QStringLiteral("ID") + QString::number(u));
	csv.endLine();
}

void writeRows(CsvWriter &csv, const ModuleData &md)
{
	const int32_t rows = std::clamp(md.DataCount, 0, kBufferLength);
	// Rows are the bulk of the file: numbers go straight into a line buffer,
	// with the same text as single() gives.
	const bool trigger = md.TrgMode != kFalse;
	char line[kUnitCount * 32 + 4];
	for (int32_t r = 1; r <= rows; ++r) {
		char *out = line;
		for (int u = 0; u < kUnitCount; ++u) {
			const ChannelRecord &channel = md.Channels[u];
			if (u > 0)
				*out++ = ',';
			// Without trigger a unit's own count ends its column early.
			if (channel.inUse() && (trigger || r <= channel.DataNum)) {
				out = writeSingleText(out, md.SampleAt(u, r));
			} else {
				*out++ = '"';
				*out++ = '"';
			}
		}
		*out++ = '\r';
		*out++ = '\n';
		csv.raw(line, out);
	}
}

void writeHead(CsvWriter &csv, const ModuleData &md)
{
	writeSettings(csv, md);
	if (md.TrgMode != kFalse)
		writeTriggerSettings(csv, md);
	writeRowsHead(csv, md);
}

} // namespace

QByteArray EncodeCsvFile(const ModuleData &md, CsvEncoding encoding)
{
	CsvWriter csv(encoding);
	csv.reserve(1024 + std::clamp(md.DataCount, 0, kBufferLength) * 48);
	writeHead(csv, md);
	writeRows(csv, md);
	return csv.take();
}

QByteArray EncodeCsvHead(const ModuleData &md, CsvEncoding encoding)
{
	CsvWriter csv(encoding);
	writeHead(csv, md);
	return csv.take();
}

bool IsCsvExport(const QByteArray &head)
{
	for (const CsvEncoding encoding : {CsvEncoding::CodePage932, CsvEncoding::Utf8}) {
		CsvWriter csv(encoding);
		writeTitle(csv);
		if (head.startsWith(csv.take()))
			return true;
	}
	return false;
}

char *WriteCsvRow(char *out, const float *values, const std::array<bool, kUnitCount> &used)
{
	for (int u = 0; u < kUnitCount; ++u) {
		if (u > 0)
			*out++ = ',';
		if (used[u] && !std::isnan(values[u])) {
			out = writeSingleText(out, values[u]);
		} else {
			*out++ = '"';
			*out++ = '"';
		}
	}
	*out++ = '\r';
	*out++ = '\n';
	return out;
}

FileResult SaveCsvFile(const ModuleData &md, const QString &fileName, CsvEncoding encoding)
{
	return WriteWholeFile(fileName, EncodeCsvFile(md, encoding));
}

} // namespace kelvra

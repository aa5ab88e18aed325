#include "RecordingExport.h"

#include "core/NumberText.h"
#include "core/RunClock.h"
#include "files/DataFile.h"
#include "files/StagedFiles.h"
#include "files/TextCodec.h"
#include "run/EventText.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace kelvra {

namespace {

constexpr uint64_t kChunkRows = 65536;

std::array<bool, kUnitCount> unitsInUse(const RecordingHeader &h)
{
	std::array<bool, kUnitCount> used{};
	for (int u = 0; u < kUnitCount; ++u)
		used[u] = h.inUse(u);
	return used;
}

void applyHeader(const RecordingReader &reader, SampleSpan span, ModuleData &md)
{
	md.InitDataArray();
	md.ClearMeasData();
	const RecordingHeader &header = reader.header();
	ApplyRunSettings(header.settings, md);
	md.StartTimeStr = SpanStartTimeStr(header, span);
	md.MemoStr = header.MemoStr;
	md.TrgMode = kFalse; // a long recording keeps every sample, not a trigger window
	md.DeriveAverageNum();
}

// The reason, naming the file when it is one of several an export writes.
FileResult failureOf(const QString &file, const QString &fileName, const FileResult &result)
{
	if (result.ok || file == fileName)
		return result;
	return FileResult::failure(
			QFileInfo(file).fileName() + QStringLiteral(": ") + result.error);
}

QString quoted(QString text)
{
	return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
			QLatin1Char('"');
}

// In the data CSV's encoding and line ends, so a spreadsheet opens both alike;
// the texts in English, so that the file does not depend on the interface.
QByteArray eventsCsv(const RecordingReader &reader, SampleSpan span, CsvEncoding encoding)
{
	const double startS = span.from * reader.header().intervalS;
	const LanguageTexts english = LanguageTexts::English();
	QString text = QStringLiteral("time_s,unit,kind,text\r\n");
	for (const RecordingEvent &event : SpanEvents(reader, span)) {
		text += QString::fromLatin1(significantText(event.timeS - startS, 15)) +
				QLatin1Char(',') +
				(event.unit >= 0 ? QString::number(event.unit) : QString()) +
				QLatin1Char(',') + EventKindName(event.kind) + QLatin1Char(',') +
				quoted(EventDetailText(event, english)) + QStringLiteral("\r\n");
	}
	if (encoding == CsvEncoding::Utf8)
		return "\xEF\xBB\xBF" + text.toUtf8();
	return toCodePage932(text);
}

QByteArray csvFile(const RecordingReader &reader, ModuleData &md, SampleSpan span,
		CsvEncoding encoding, const SampleReading &read)
{
	md.DataCount = static_cast<int32_t>(span.size());
	md.StartTimeStr = SpanStartTimeStr(reader.header(), span);
	QByteArray bytes = EncodeCsvHead(md, encoding);
	bytes.reserve(bytes.size() + static_cast<qsizetype>(span.size()) * 48 +
			qsizetype{kChunkRows} * kCsvRowBytes);
	const auto used = unitsInUse(reader.header());
	std::array<std::vector<float>, kUnitCount> columns;
	for (uint64_t at = span.from; at < span.to; at += kChunkRows) {
		const uint64_t end = std::min(span.to, at + kChunkRows);
		for (int u = 0; u < kUnitCount; ++u)
			columns[u] = used[u] ? ReadSpanSamples(reader, read, u, at, end)
					     : std::vector<float>(end - at, NAN);
		// Rows go straight into the file's bytes; the slack is cut off after.
		const qsizetype begin = bytes.size();
		bytes.resize(begin + static_cast<qsizetype>(end - at) * kCsvRowBytes);
		char *out = bytes.data() + begin;
		for (uint64_t r = 0; r < end - at; ++r) {
			const float row[kUnitCount] = {
					columns[0][r], columns[1][r], columns[2][r], columns[3][r]};
			out = WriteCsvRow(out, row, used);
		}
		bytes.truncate(out - bytes.constData());
	}
	return bytes;
}

} // namespace

SampleSpan SpanOfSeconds(const RecordingReader &reader, std::optional<double> fromS,
		std::optional<double> toS)
{
	const double interval = reader.header().intervalS;
	const uint64_t first = reader.header().firstSample;
	const uint64_t end = reader.sampleEnd();
	auto at = [&](double seconds) {
		const double n = std::ceil(seconds / interval - 1e-9);
		return std::clamp<uint64_t>(n > 0.0 ? static_cast<uint64_t>(n) : 0, first, end);
	};
	SampleSpan span{fromS ? at(*fromS) : first, toS ? at(*toS) : end};
	span.to = std::max(span.to, span.from);
	return span;
}

std::vector<RecordingEvent> SpanEvents(const RecordingReader &reader, SampleSpan span)
{
	const double interval = reader.header().intervalS;
	const bool fromFirst = span.from <= reader.header().firstSample;
	const bool toLast = span.to >= reader.sampleEnd();
	std::vector<RecordingEvent> events;
	for (const RecordingEvent &event : reader.events()) {
		if ((fromFirst || event.timeS >= span.from * interval) &&
				(toLast || event.timeS < span.to * interval))
			events.push_back(event);
	}
	return events;
}

QString SpanStartTimeStr(const RecordingHeader &header, SampleSpan span)
{
	const QDateTime start = StartTimeOf(header.StartTimeStr);
	if (!start.isValid())
		return header.StartTimeStr;
	const auto msecs = static_cast<qint64>(span.from) * header.settings.IntervalTM;
	return StartTimeText(start.addMSecs(msecs));
}

QString EmptySpanText()
{
	return QCoreApplication::translate("RecordingExport", "範囲にサンプルがありません");
}

std::vector<float> ReadSpanSamples(const RecordingReader &reader, const SampleReading &read,
		int unit, uint64_t from, uint64_t to)
{
	if (!read)
		return reader.samples(unit, from, to);
	std::vector<float> values(to > from ? to - from : 0);
	read(unit, from, to, values.data());
	return values;
}

FileResult LoadRecordingSpan(const RecordingReader &reader, SampleSpan span, ModuleData &md,
		const SampleReading &read)
{
	if (span.size() > uint64_t{kBufferLength})
		return FileResult::failure(QCoreApplication::translate("RecordingExport",
				"範囲は 1 ユニット %1 サンプルです。データファイルには %2 "
				"サンプルまでしか入りません")
							   .arg(span.size())
							   .arg(kBufferLength));
	applyHeader(reader, span, md);
	const auto n = static_cast<int32_t>(span.size());
	md.DataMaxNum = std::max(n, 1);
	md.DataCount = n;
	for (int u = 0; u < kUnitCount; ++u) {
		ChannelRecord &channel = md.Channels[u];
		if (!channel.inUse())
			continue;
		const std::vector<float> values =
				ReadSpanSamples(reader, read, u, span.from, span.to);
		std::transform(values.begin(), values.end(), channel.Data.begin(),
				[](float v) { return std::isnan(v) ? kNoData : v; });
		channel.DataNum = n;
	}
	const double startS = span.from * reader.header().intervalS;
	for (RecordingEvent event : SpanEvents(reader, span)) {
		event.timeS -= startS;
		md.Events.push_back(std::move(event));
	}
	return {};
}

QString NumberedFileName(const QString &fileName, int number)
{
	const QFileInfo info(fileName);
	const QString suffix =
			info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
	const QString stem = suffix.isEmpty() ? fileName : fileName.chopped(suffix.size());
	return stem + QStringLiteral("-%1").arg(number, 3, 10, QLatin1Char('0')) + suffix;
}

FileResult ExportCsv(const RecordingReader &reader, SampleSpan span, const QString &fileName,
		CsvEncoding encoding, QStringList *written, const SampleReading &read)
{
	if (span.size() == 0)
		return FileResult::failure(EmptySpanText());
	ModuleData md;
	applyHeader(reader, span, md);
	md.DataCount = 1;
	const qsizetype headLines = EncodeCsvHead(md, encoding).count("\r\n");
	const auto rowsPerFile = static_cast<uint64_t>(kCsvMaxLines - headLines);
	const bool numbered = span.size() > rowsPerFile;
	StagedFiles files;
	QStringList names;
	for (uint64_t at = span.from; at < span.to; at += rowsPerFile) {
		const SampleSpan piece{at, std::min(span.to, at + rowsPerFile)};
		names << (numbered ? NumberedFileName(fileName, names.size() + 1) : fileName);
		const FileResult result = files.write(
				names.back(), csvFile(reader, md, piece, encoding, read));
		if (!result.ok)
			return failureOf(names.back(), fileName, result);
	}
	const QString events = EventsFileName(fileName);
	if (const FileResult result = files.write(events, eventsCsv(reader, span, encoding));
			!result.ok)
		return failureOf(events, fileName, result);
	if (const FileResult result = files.commit(); !result.ok)
		return result;
	if (written)
		*written = names;
	return {};
}

QString EventsFileName(const QString &fileName)
{
	const QString suffix = QFileInfo(fileName).suffix();
	return (suffix.isEmpty() ? fileName : fileName.chopped(suffix.size() + 1)) +
			QStringLiteral("-events.csv");
}

FileResult ExportDataFile(const RecordingReader &reader, SampleSpan span, const QString &fileName,
		const SampleReading &read)
{
	if (span.size() == 0)
		return FileResult::failure(EmptySpanText());
	ModuleData md;
	const FileResult loaded = LoadRecordingSpan(reader, span, md, read);
	return loaded.ok ? SaveDataFile(md, fileName) : loaded;
}

} // namespace kelvra

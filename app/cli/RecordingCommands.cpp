// kelvra-cli convert and info for a long recording (.kvr).

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"
#include "FilterOption.h"

#include "files/MeasurementFiles.h"
#include "recording/RecordingHdf5.h"
#include "run/EventText.h"

#include <QTextStream>

namespace kelvra::cli {

namespace {

std::optional<double> seconds(const QCommandLineParser &parser, const char *name, bool *ok)
{
	const QString option = QString::fromLatin1(name);
	if (!parser.isSet(option))
		return std::nullopt;
	bool number = false;
	const double value = parser.value(option).toDouble(&number);
	*ok = *ok && number && value >= 0.0;
	return value;
}

QString secondsText(const RecordingHeader &h, uint64_t sample)
{
	return QString::number(static_cast<double>(sample) * h.intervalS, 'g', 12);
}

int refuseEmptySpan(const RecordingReader &reader, const QString &in, bool chosen)
{
	if (!chosen) {
		printError(CliText::tr("%1 にはサンプルがありません").arg(in));
		return kExitFailure;
	}
	const RecordingHeader &h = reader.header();
	printError(CliText::tr(
			"--from と --to の間にサンプルがありません。記録は %1 s から %2 s "
			"までです")
					.arg(secondsText(h, h.firstSample),
							secondsText(h, reader.sampleEnd())));
	return kExitUsage;
}

std::unique_ptr<RecordingReader> openRecording(const QString &fileName)
{
	QString error;
	auto reader = RecordingReader::open(fileName, &error);
	if (!reader)
		printError(CliText::tr("%1 を読み込めません: %2").arg(fileName, error));
	else if (!reader->stopReason().isEmpty())
		printError(reader->stopReason()); // what came before it is read
	return reader;
}

} // namespace

int convertRecording(const QCommandLineParser &parser, const QString &in, const QString &out,
		CsvEncoding encoding, const std::optional<analysis::FilterSpec> &filter)
{
	bool ok = true;
	const auto from = seconds(parser, "from", &ok);
	const auto to = seconds(parser, "to", &ok);
	if (!ok) {
		printError(CliText::tr("--from と --to には開始からの秒数を指定します"));
		return kExitUsage;
	}
	const bool hdf5 = IsHdf5File(out);
	const auto type = FileTypeOf(out);
	if (!hdf5 && !type) {
		printError(CliText::tr(
				"OUT には .h5、.csv、.vn2 のいずれかのファイルを指定します"));
		return kExitUsage;
	}
	const auto reader = openRecording(in);
	if (!reader)
		return kExitFailure;
	const SampleSpan span = SpanOfSeconds(*reader, from, to);
	if (span.size() == 0)
		return refuseEmptySpan(*reader, in, from || to);
	std::unique_ptr<FilteredReading> filtered;
	try {
		if (filter)
			filtered = std::make_unique<FilteredReading>(*reader,
					DesignFilterOption(*filter, reader->header().intervalS));
	} catch (const UsageError &error) {
		printError(error.text);
		return kExitUsage;
	}
	const SampleReading read = filtered ? filtered->reading() : SampleReading();
	const FileResult written = hdf5 ? ExportHdf5(*reader, span, out, read)
			: type == FileType::Csv
			? ExportCsv(*reader, span, out, encoding, nullptr, read)
			: ExportDataFile(*reader, span, out, read);
	if (!written.ok) {
		printError(CliText::tr("%1 に書き込めません: %2").arg(out, written.error));
		return kExitFailure;
	}
	return kExitOk;
}

int infoRecording(const QString &in)
{
	const auto reader = openRecording(in);
	if (!reader)
		return kExitFailure;
	const RecordingHeader &h = reader->header();
	QTextStream out(stdout);
	auto line = [&](const QString &name, const QString &value) {
		out << name << ": " << value << '\n';
	};
	line(CliText::tr("測定日時"), h.startTimeIso);
	for (int i = 0; i < 5; ++i)
		line(CliText::tr("メモ%1").arg(i + 1), h.MemoStr[i]);
	line(CliText::tr("測定間隔 ms"), QString::number(h.settings.IntervalTM));
	line(CliText::tr("表示単位"), ShownUnitText(h.unitText));
	line(CliText::tr("部分数"), QString::number(reader->files().size()));
	QStringList used;
	for (int u = 0; u < kUnitCount; ++u)
		used << (h.inUse(u) ? QString::number(u) : QString());
	used.removeAll(QString());
	line(CliText::tr("使用ユニット"), used.join(QLatin1Char(',')));
	const uint64_t end = reader->sampleEnd();
	line(CliText::tr("サンプル数"), QString::number(end - h.firstSample));
	line(CliText::tr("測定時間 s"), QString::number((end - h.firstSample) * h.intervalS));
	line(CliText::tr("終了"),
			reader->ended() ? CliText::tr("はい")
					: CliText::tr("いいえ (途中で切れています)"));
	for (int u = 0; u < kUnitCount; ++u) {
		if (!h.inUse(u))
			continue;
		for (const RecordingGap &gap : reader->gaps(u))
			line(CliText::tr("欠落"),
					CliText::tr("ID%1 %2 s から %3 個")
							.arg(u)
							.arg(gap.from * h.intervalS)
							.arg(gap.count));
	}
	for (const RecordingEvent &event : reader->events())
		line(CliText::tr("イベント"), EventLine(event));
	return kExitOk;
}

} // namespace kelvra::cli

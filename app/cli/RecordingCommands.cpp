// kelvra-cli convert and info for a long recording (.kvr).

#include "Commands.h"
#include "ConsolePrompt.h"

#include "recording/RecordingHdf5.h"
#include "settings/MeasurementFiles.h"

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

std::unique_ptr<RecordingReader> openRecording(const QString &fileName)
{
	QString error;
	auto reader = RecordingReader::open(fileName, &error);
	if (!reader)
		printError(QStringLiteral("cannot read %1: %2").arg(fileName, error));
	return reader;
}

} // namespace

int convertRecording(const QCommandLineParser &parser, const QString &in, const QString &out,
		CsvEncoding encoding)
{
	bool ok = true;
	const auto from = seconds(parser, "from", &ok);
	const auto to = seconds(parser, "to", &ok);
	if (!ok) {
		printError(QStringLiteral("--from and --to take seconds from the start"));
		return kExitUsage;
	}
	const bool hdf5 = IsHdf5File(out);
	const auto type = FileTypeOf(out);
	if (!hdf5 && !type) {
		printError(QStringLiteral("OUT must name a .h5, .csv or .vn2 file"));
		return kExitUsage;
	}
	const auto reader = openRecording(in);
	if (!reader)
		return kExitFailure;
	const SampleSpan span = SpanOfSeconds(*reader, from, to);
	const FileResult written = hdf5         ? ExportHdf5(*reader, span, out)
			: type == FileType::Csv ? ExportCsv(*reader, span, out, encoding)
						: ExportDataFile(*reader, span, out);
	if (!written.ok) {
		printError(QStringLiteral("cannot write %1: %2").arg(out, written.error));
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
	line(QStringLiteral("start time"), h.startTimeIso);
	for (int i = 0; i < 5; ++i)
		line(QStringLiteral("memo %1").arg(i + 1), h.MemoStr[i]);
	line(QStringLiteral("interval ms"), QString::number(h.settings.IntervalTM));
	line(QStringLiteral("display unit"), h.unitText);
	line(QStringLiteral("parts"), QString::number(reader->files().size()));
	QStringList used;
	for (int u = 0; u < kUnitCount; ++u)
		used << (h.inUse(u) ? QString::number(u) : QString());
	used.removeAll(QString());
	line(QStringLiteral("units in use"), used.join(QLatin1Char(',')));
	const uint64_t end = reader->sampleEnd();
	line(QStringLiteral("samples"), QString::number(end - h.firstSample));
	line(QStringLiteral("duration s"), QString::number((end - h.firstSample) * h.intervalS));
	line(QStringLiteral("ended"),
			reader->ended() ? QStringLiteral("yes") : QStringLiteral("no (cut off)"));
	for (int u = 0; u < kUnitCount; ++u) {
		if (!h.inUse(u))
			continue;
		for (const RecordingGap &gap : reader->gaps(u))
			line(QStringLiteral("gap"),
					QStringLiteral("ID%1 from %2 s, %3 samples")
							.arg(u)
							.arg(gap.from * h.intervalS)
							.arg(gap.count));
	}
	for (const RecordingEvent &event : reader->events())
		line(QStringLiteral("event"),
				QStringLiteral("%1 s %2 %3 %4")
						.arg(event.timeS)
						.arg(event.unit < 0 ? QStringLiteral("all")
								    : QStringLiteral("ID%1").arg(
										      event.unit),
								EventKindName(event.kind),
								event.text));
	return kExitOk;
}

} // namespace kelvra::cli

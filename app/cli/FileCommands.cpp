// kelvra-cli convert and info: data files without a measurement.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"

#include "settings/CsvFile.h"
#include "settings/DataFile.h"
#include "settings/MeasurementFiles.h"

#include <QTextStream>

#include <cstdio>

namespace kelvra::cli {

namespace {

const OptionTable kConvertOptions{"convert",
		"Usage: kelvra-cli convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv\n"
		"       kelvra-cli convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2\n"
		"Reads a data file and writes it as CSV, in code page 932 or in UTF-8\n"
		"with a byte-order mark (default cp932). A long recording (every part of\n"
		"it when the first is named) goes to HDF5, CSV (in numbered files when it\n"
		"has more lines than a spreadsheet takes) or, up to 88000 samples, a data file.\n"
		"\n",
		{{{{"csv-encoding", "NAME"}}, "text of the .csv file: cp932 (default) or utf-8"},
				{{{"from", "S"}},
						"a recording from this many seconds after its start"},
				{{{"to", "S"}}, "a recording up to this many seconds after its start"}}};

const OptionTable kInfoOptions{"info",
		"Usage: kelvra-cli info IN.vn2|REC.kvr\n"
		"Prints a data file's or a recording's header, unit settings, row count and units in use,\n"
		"one 'name: value' line each.\n",
		{}};

QString onOff(int16_t flag)
{
	return flag != 0 ? QStringLiteral("on") : QStringLiteral("off");
}

void printInfo(const DataFileContent &content)
{
	const DataFileHeader &h = content.header;
	QTextStream out(stdout);
	auto line = [&](const QString &name, const QString &value) {
		out << name << ": " << value << '\n';
	};

	line(QStringLiteral("start time"), h.startTime.trimmed());
	for (int i = 0; i < 5; ++i)
		line(QStringLiteral("memo %1").arg(i + 1), h.memo[i]);
	line(QStringLiteral("timing"),
			h.timerType != 0 ? QStringLiteral("PC-timed single samples")
					 : QStringLiteral("unit-timed blocks"));
	line(QStringLiteral("interval ms"), QString::number(h.interval));
	line(QStringLiteral("averaging"), onOff(h.average));
	line(QStringLiteral("upper trigger"), onOff(h.upperTrigger));
	line(QStringLiteral("upper level"), QString::number(h.upperLevel));
	line(QStringLiteral("lower trigger"), onOff(h.lowerTrigger));
	line(QStringLiteral("lower level"), QString::number(h.lowerLevel));
	line(QStringLiteral("samples before trigger"), QString::number(h.before));
	line(QStringLiteral("samples after trigger"), QString::number(h.after));
	line(QStringLiteral("trigger unit"), QString::number(h.triggerUnit));
	line(QStringLiteral("rows"), QString::number(h.rowCount));

	QStringList used;
	for (int u = 0; u < kUnitCount; ++u) {
		if (!content.rows.empty() && content.rows.front()[u] != kNoData)
			used << QString::number(u);
	}
	line(QStringLiteral("units in use"), used.join(QStringLiteral(",")));

	const int16_t sing = content.unitInfo ? content.unitInfo->sing : 0;
	line(QStringLiteral("display unit"), GetSingStr(sing));
	if (sing == 0)
		return;
	for (int u = 0; u < kUnitCount; ++u) {
		const DataFileUnitInfo &info = *content.unitInfo;
		line(QStringLiteral("rated output %1").arg(u),
				QString::number(info.power[u]) + QLatin1Char(' ') +
						GetPowerSingStr(info.powerSing[u]));
		line(QStringLiteral("capacity %1").arg(u),
				QString::number(info.capacity[u]) + QLatin1Char(' ') +
						GetSingStr(sing));
	}
}

} // namespace

std::optional<CsvEncoding> parseCsvEncoding(const QString &name)
{
	if (name == QLatin1String("cp932"))
		return CsvEncoding::CodePage932;
	if (name == QLatin1String("utf-8"))
		return CsvEncoding::Utf8;
	return std::nullopt;
}

int convertCommand(const QStringList &arguments)
{
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kConvertOptions, arguments, parser))
		return *answered;
	const QString encodingName = parser.isSet(QStringLiteral("csv-encoding"))
			? parser.value(QStringLiteral("csv-encoding"))
			: QStringLiteral("cp932");
	const auto encoding = parseCsvEncoding(encodingName);
	if (!encoding) {
		printError(QStringLiteral("--csv-encoding takes cp932 or utf-8"));
		return kExitUsage;
	}
	const QStringList files = parser.positionalArguments();
	if (files.size() != 2) {
		printError(QStringLiteral("convert takes IN.vn2 OUT.csv"));
		return kExitUsage;
	}
	if (IsRecordingFile(files[0]))
		return convertRecording(parser, files[0], files[1], *encoding);
	if (FileTypeOf(files[1]) != FileType::Csv) {
		printError(QStringLiteral("OUT must name a .csv file"));
		return kExitUsage;
	}
	ModuleData md;
	md.InitDataArray();
	if (const FileResult read = ReadDataFile(md, files[0]); !read.ok) {
		printError(QStringLiteral("cannot read %1: %2").arg(files[0], read.error));
		return kExitFailure;
	}
	md.SetRange();
	if (const FileResult written = SaveCsvFile(md, files[1], *encoding); !written.ok) {
		printError(QStringLiteral("cannot write %1: %2").arg(files[1], written.error));
		return kExitFailure;
	}
	return kExitOk;
}

int infoCommand(const QStringList &arguments)
{
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kInfoOptions, arguments, parser))
		return *answered;
	const QStringList files = parser.positionalArguments();
	if (files.size() != 1) {
		printError(QStringLiteral("info takes one data file"));
		return kExitUsage;
	}
	if (IsRecordingFile(files[0]))
		return infoRecording(files[0]);
	QString reason;
	const auto content = LoadDataFileContent(files[0], &reason);
	if (!content) {
		printError(QStringLiteral("cannot read %1: %2").arg(files[0], reason));
		return kExitFailure;
	}
	printInfo(*content);
	return kExitOk;
}

} // namespace kelvra::cli

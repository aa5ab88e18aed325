// kelvra-cli convert and info: data files without a measurement.

#include "Commands.h"
#include "ConsolePrompt.h"

#include "settings/CsvFile.h"
#include "settings/DataFile.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace kelvra::cli {

namespace {

bool wantsHelp(const QStringList &arguments)
{
	return arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
}

// An option neither command knows, named as typed; empty when there is none.
QString unknownOption(const QStringList &arguments)
{
	for (const QString &argument : arguments) {
		if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
			return argument;
	}
	return {};
}

QString onOff(int16_t flag)
{
	return flag != 0 ? QStringLiteral("on") : QStringLiteral("off");
}

void printInfo(const DataFileContent &content)
{
	const DataFileHeader &h = content.header;
	QTextStream out(stdout);
	auto line = [&](const QString &name, const QString &value) { out << name << ": " << value << '\n'; };

	line(QStringLiteral("start time"), h.startTime.trimmed());
	for (int i = 0; i < 5; ++i)
		line(QStringLiteral("memo %1").arg(i + 1), h.memo[i]);
	line(QStringLiteral("timing"), h.timerType != 0 ? QStringLiteral("PC-timed single samples")
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
				QString::number(info.power[u]) + QLatin1Char(' ') + GetPowerSingStr(info.powerSing[u]));
		line(QStringLiteral("capacity %1").arg(u), QString::number(info.capacity[u]) + QLatin1Char(' ') + GetSingStr(sing));
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
	if (wantsHelp(arguments)) {
		std::fputs("Usage: kelvra-cli convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv\n"
		           "Reads a data file and writes it as CSV, in code page 932 or in UTF-8\n"
		           "with a byte-order mark (default cp932).\n",
				stdout);
		return kExitOk;
	}
	QCommandLineParser parser;
	parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
	parser.addOption(QCommandLineOption(QStringLiteral("csv-encoding"), QString(), QStringLiteral("name"),
			QStringLiteral("cp932")));
	if (!parser.parse(QStringList{QStringLiteral("kelvra-cli convert")} + arguments)) {
		printError(usageErrorText(parser, arguments));
		return kExitUsage;
	}
	const auto encoding = parseCsvEncoding(parser.value(QStringLiteral("csv-encoding")));
	if (!encoding) {
		printError(QStringLiteral("--csv-encoding takes cp932 or utf-8"));
		return kExitUsage;
	}
	const QStringList files = parser.positionalArguments();
	if (files.size() != 2) {
		printError(QStringLiteral("convert takes IN.vn2 OUT.csv"));
		return kExitUsage;
	}
	if (QFileInfo(files[1]).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
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
	if (wantsHelp(arguments)) {
		std::fputs("Usage: kelvra-cli info IN.vn2\n"
		           "Prints a data file's header, unit settings, row count and units in use,\n"
		           "one 'name: value' line each.\n",
				stdout);
		return kExitOk;
	}
	if (const QString option = unknownOption(arguments); !option.isEmpty()) {
		printError(QStringLiteral("unknown option '%1'").arg(option));
		return kExitUsage;
	}
	if (arguments.size() != 1) {
		printError(QStringLiteral("info takes one data file"));
		return kExitUsage;
	}
	QString reason;
	const auto content = LoadDataFileContent(arguments[0], &reason);
	if (!content) {
		printError(QStringLiteral("cannot read %1: %2").arg(arguments[0], reason));
		return kExitFailure;
	}
	printInfo(*content);
	return kExitOk;
}

} // namespace kelvra::cli

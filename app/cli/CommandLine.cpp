#include "CommandLine.h"

#include "Commands.h"
#include "ConsolePrompt.h"

#include <cstdio>

namespace kelvra::cli {

namespace {

constexpr qsizetype kTextColumn = 29;

QString syntaxOf(const OptionLine &line)
{
	QStringList shown;
	for (const OptionName &option : line.options) {
		QString syntax = QStringLiteral("--") + QString::fromLatin1(option.name);
		if (option.valueName)
			syntax += QLatin1Char(' ') + QString::fromLatin1(option.valueName);
		shown << syntax;
	}
	return shown.join(QStringLiteral(", "));
}

QString helpLine(const OptionLine &line)
{
	const QString entry = QStringLiteral("  ") + syntaxOf(line);
	const QString lead = entry.size() <= kTextColumn - 2 ? entry.leftJustified(kTextColumn)
							     : entry + QStringLiteral("   ");
	const QString indent(kTextColumn, QLatin1Char(' '));
	return lead +
			CliText::tr(line.text)
					.split(QLatin1Char('\n'))
					.join(QLatin1Char('\n') + indent) +
			QLatin1Char('\n');
}

} // namespace

QString HelpText(const OptionTable &table)
{
	QString help = CliText::tr(table.above);
	for (const OptionLine &line : table.lines)
		help += helpLine(line);
	return *table.below ? help + CliText::tr(table.below) : help;
}

std::optional<int> ParseCommandLine(
		const OptionTable &table, const QStringList &arguments, QCommandLineParser &parser)
{
	parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
	for (const OptionLine &line : table.lines) {
		for (const OptionName &option : line.options) {
			const QString name = QString::fromLatin1(option.name);
			parser.addOption(option.valueName
							? QCommandLineOption(name, QString(),
									  QString::fromLatin1(
											  option.valueName))
							: QCommandLineOption(name));
		}
	}
	parser.addOption(QCommandLineOption(
			QStringList{QStringLiteral("h"), QStringLiteral("help")}));
	const bool parsed = parser.parse(QStringList{QStringLiteral("kelvra-cli ") +
							 QString::fromLatin1(table.command)} +
			arguments);
	if (parser.isSet(QStringLiteral("help"))) {
		std::fputs(HelpText(table).toLocal8Bit().constData(), stdout);
		return kExitOk;
	}
	if (!parsed) {
		printError(usageErrorText(parser, arguments));
		printError(CliText::tr("'kelvra-cli %1 --help' でオプションを示します")
						.arg(QString::fromLatin1(table.command)));
		return kExitUsage;
	}
	return std::nullopt;
}

QString usageErrorText(const QCommandLineParser &parser, const QStringList &arguments)
{
	const QStringList unknown = parser.unknownOptionNames();
	for (const QString &argument : arguments) {
		const QString typed = argument.section(QLatin1Char('='), 0, 0);
		QString name = typed;
		while (name.startsWith(QLatin1Char('-')))
			name.remove(0, 1);
		if (typed.startsWith(QLatin1Char('-')) && unknown.contains(name))
			return CliText::tr("不明なオプション '%1' です").arg(typed);
	}
	QString text = parser.errorText();
	if (text.endsWith(QLatin1Char('.')))
		text.chop(1);
	return text.isEmpty() ? text : text.left(1).toLower() + text.mid(1);
}

} // namespace kelvra::cli

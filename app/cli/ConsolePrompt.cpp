#include "ConsolePrompt.h"

#include "core/InterfaceLanguage.h"
#include <QTextStream>

#include <cstdio>

namespace kelvra::cli {

void printError(const QString &text)
{
	std::fprintf(stderr, "kelvra-cli: %s\n", text.toLocal8Bit().constData());
	std::fflush(stderr);
}

void ConsolePrompt::message(const QString &text, const QString &caption, Icon)
{
	if (caption == kAppTitle)
		deviceErrorShown_ =
				true; // the device library's result texts carry the program's title
	printError(text);
}

bool useChosenLanguage(QCoreApplication &app, QStringList &arguments)
{
	const LanguageChoice choice = TakeLanguageOption(arguments);
	InstallLanguage(app, choice.language);
	if (choice.refused.isEmpty())
		return true;
	printError(CliText::tr("%1 '%2' は ja でも en でもありません")
					.arg(choice.refusedBy, choice.refused));
	return false;
}

bool ConsolePrompt::askYesNo(const QString &text, const QString &)
{
	printError(text + CliText::tr(" (はい)"));
	return true;
}

std::optional<QString> ConsolePrompt::askText(const QString &text, const QString &)
{
	printError(text);
	QTextStream in(stdin);
	QString line;
	if (!in.readLineInto(&line))
		return std::nullopt;
	return line;
}

} // namespace kelvra::cli

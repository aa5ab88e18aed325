#include "ConsolePrompt.h"

#include "core/InterfaceLanguage.h"

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
	printError(QStringLiteral("--lang '%1' is not ja or en").arg(choice.refused));
	return false;
}

bool ConsolePrompt::askYesNo(const QString &text, const QString &)
{
	printError(text + QStringLiteral(" (yes)"));
	return true;
}

} // namespace kelvra::cli

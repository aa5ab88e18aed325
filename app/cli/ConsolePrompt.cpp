#include "ConsolePrompt.h"

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

bool ConsolePrompt::askYesNo(const QString &text, const QString &)
{
	printError(text + QStringLiteral(" (yes)"));
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

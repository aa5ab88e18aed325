#pragma once

// The program of --on-event and its arguments. The command line is split
// into words as QProcess::splitCommand does, and nothing else: double
// quotes make one word of what they hold, three double quotes stand for a
// literal one, and single quotes, `;`, `|`, `$` and `*` are plain
// characters. A shell runs only when the user names one.

#include <QString>
#include <QStringList>

#include <optional>

namespace kelvra {

struct HookCommand {
	QString program; // an absolute path, found when the command was checked
	QStringList arguments;
};

struct HookCommandCheck {
	std::optional<HookCommand> command;
	QString message; // the refusal, when command is empty
};

// Refuses an empty command line and a program that is not there or cannot
// be run, so that a mistyped hook is told at the start, not at the first event.
HookCommandCheck ParseHookCommand(const QString &line);

} // namespace kelvra

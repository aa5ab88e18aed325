#pragma once

// Each command's options in one table, which declares them to the parser and
// writes the option lines of the command's --help, so the two cannot differ.

#include <QCommandLineParser>
#include <QStringList>

#include <optional>
#include <vector>

namespace kelvra::cli {

// Bad usage, or work refused with its reason: exit status 2.
struct UsageError {
	QString text;
};

struct OptionName {
	const char *name;
	const char *valueName = nullptr; // none for a flag
};

// One entry of --help: the options it explains and what it says of them; a
// '\n' in the text goes on in a line of its own.
struct OptionLine {
	std::vector<OptionName> options;
	const char *text;
};

struct OptionTable {
	const char *command;
	const char *above; // usage and purpose
	std::vector<OptionLine> lines;
	const char *below = "";
};

QString HelpText(const OptionTable &table);

// Reads the arguments after the command's name by its table. Returns the exit
// status when that answered the command line: the help shown (--help or -h,
// even beside a mistake) or a usage error printed; nothing when the command
// goes on with the parser.
std::optional<int> ParseCommandLine(
		const OptionTable &table, const QStringList &arguments, QCommandLineParser &parser);

// The parser's complaint in the style of the other usage errors, with an
// unknown option named as typed.
QString usageErrorText(const QCommandLineParser &parser, const QStringList &arguments);

} // namespace kelvra::cli

#pragma once

// Messages of the core on standard error; questions are answered Yes, as
// the recorder never holds data it could lose.

#include "core/Prompt.h"

#include <QCoreApplication>
#include <QStringList>

namespace kelvra::cli {

// The command-line tool's own texts in the interface language: CliText::tr().
struct CliText {
	Q_DECLARE_TR_FUNCTIONS(CliText)
};

class ConsolePrompt : public Prompt {
public:
	void message(const QString &text, const QString &caption, Icon icon) override;
	bool askYesNo(const QString &text, const QString &caption) override;
	// A line from standard input; empty at its end.
	std::optional<QString> askText(const QString &text, const QString &caption) override;
	// The recorder names its files on the command line: no dialog is ever needed.
	QString askSaveFileName(const QString &, const QString &, const QString &) override
	{
		return {};
	}
	QString askOpenFileName(const QString &, const QString &) override { return {}; }

	bool deviceErrorShown() const { return deviceErrorShown_; }

private:
	bool deviceErrorShown_ = false;
};

// One line on standard error, prefixed with the program's name.
void printError(const QString &text);

// Takes --lang out of the arguments and speaks the language it, KELVRA_LANG
// or the locale chooses; false, with the refusal printed, when it names none.
bool useChosenLanguage(QCoreApplication &app, QStringList &arguments);

} // namespace kelvra::cli

#pragma once

// The prompt of the tools that drive the real window: messages go to the
// terminal so that nothing waits for a click, questions are answered yes,
// file dialogs are cancelled, and the notes asked for are given in turn.

#include "core/Prompt.h"

#include <QStringList>

#include <cstdio>
#include <optional>

class PrintingPrompt : public kelvra::Prompt {
public:
	void message(const QString &text, const QString &, Icon) override
	{
		std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
	}
	bool askYesNo(const QString &, const QString &) override { return true; }
	// The notes of the markers set, in turn; empty notes once they run out.
	QStringList notes;
	std::optional<QString> askText(const QString &, const QString &) override
	{
		return notes.isEmpty() ? QString() : notes.takeFirst();
	}
	QString askSaveFileName(const QString &, const QString &, const QString &) override
	{
		return {};
	}
	QString askOpenFileName(const QString &, const QString &) override { return {}; }
};

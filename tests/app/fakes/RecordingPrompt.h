#pragma once

// Records every message and question and answers questions as scripted.

#include "QtPrinting.h"
#include "core/Prompt.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace kelvra::testing {

class RecordingPrompt : public Prompt {
public:
	struct Shown {
		QString text;
		QString caption;
		Icon icon;
		bool question;
	};

	std::vector<Shown> shown;
	std::deque<bool> answers;         // Yes when empty
	QStringList *log = nullptr;       // shared with other fakes to check the order of events
	std::function<void()> whileShown; // runs as if during the modal box

	void message(const QString &text, const QString &caption, Icon icon) override
	{
		shown.push_back({text, caption, icon, false});
		if (log)
			*log << QStringLiteral("message ") + text;
		if (whileShown)
			whileShown();
	}

	bool askYesNo(const QString &text, const QString &caption) override
	{
		shown.push_back({text, caption, Icon::Question, true});
		if (log)
			*log << QStringLiteral("question ") + text;
		if (answers.empty())
			return true;
		const bool answer = answers.front();
		answers.pop_front();
		return answer;
	}

	// Text questions answer with these in turn; an empty text when none is left.
	std::deque<std::optional<QString>> textAnswers;

	std::optional<QString> askText(const QString &text, const QString &caption) override
	{
		shown.push_back({text, caption, Icon::Question, true});
		if (textAnswers.empty())
			return QString();
		const std::optional<QString> answer = textAnswers.front();
		textAnswers.pop_front();
		return answer;
	}

	// File dialogs answer with these names in turn; empty: cancelled.
	std::deque<QString> fileNames;
	struct FileDialog {
		QString filter;
		QString folder;
	};
	std::vector<FileDialog> fileDialogs;

	QString askSaveFileName(
			const QString &filter, const QString &, const QString &folder) override
	{
		return nextFileName(filter, folder);
	}

	QString askOpenFileName(const QString &filter, const QString &folder) override
	{
		return nextFileName(filter, folder);
	}

	QStringList texts() const
	{
		QStringList out;
		for (const auto &entry : shown)
			out << entry.text;
		return out;
	}

private:
	QString nextFileName(const QString &filter, const QString &folder)
	{
		fileDialogs.push_back({filter, folder});
		if (fileNames.empty())
			return {};
		const QString name = fileNames.front();
		fileNames.pop_front();
		return name;
	}
};

} // namespace kelvra::testing

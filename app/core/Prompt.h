#pragma once

// Everything the program asks of or tells the user through a modal box:
// messages, Yes/No questions, a line of text, file and printer dialogs. The window shows
// real dialogs; the command-line tool prints; tests record and answer as
// scripted.

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace kelvra {

// Title of boxes that carry no caption of their own; a box shows it in the
// interface language (shownTitle).
inline const QString kAppTitle = QStringLiteral(QT_TRANSLATE_NOOP("Prompt", "VarnelApp"));
inline const QString kMessageTitle = QStringLiteral(QT_TRANSLATE_NOOP("Prompt", "Message"));
inline const QString kErrorTitle = QStringLiteral(QT_TRANSLATE_NOOP("Prompt", "エラーメッセージ"));

inline QString shownTitle(const QString &caption)
{
	return QCoreApplication::translate("Prompt", caption.toUtf8().constData());
}

class Prompt {
public:
	enum class Icon { None, Information, Question, Error };

	virtual ~Prompt() = default;

	// A message with an OK button.
	virtual void message(const QString &text, const QString &caption, Icon icon) = 0;

	// A question with the question icon and Yes/No buttons; true on Yes.
	virtual bool askYesNo(const QString &text, const QString &caption) = 0;

	// A line of text with OK and Cancel; empty when cancelled, an empty
	// text when OK was pressed on nothing.
	virtual std::optional<QString> askText(const QString &text, const QString &caption) = 0;

	// A file to write, starting in `folder`, with one filter such as
	// "CSVファイル  (*.csv)"; a name typed without extension gets `suffix`,
	// and an existing file is only chosen after the user agreed to replace
	// it. Empty when the user cancelled.
	virtual QString askSaveFileName(
			const QString &filter, const QString &suffix, const QString &folder) = 0;

	// An existing file to read, starting in `folder`; empty when cancelled.
	virtual QString askOpenFileName(const QString &filter, const QString &folder) = 0;

	// An existing folder, starting in `folder`; empty when cancelled (and
	// where no folder can be chosen).
	virtual QString askFolder(const QString &folder)
	{
		(void)folder;
		return {};
	}
};

} // namespace kelvra

#pragma once

// Everything the program asks of or tells the user through a modal box:
// messages, Yes/No questions and, later, file and printer dialogs. The
// window shows real message boxes; the command-line tool prints; tests
// record and answer as scripted.

#include <QString>

namespace kelvra {

// Title of boxes that carry no caption of their own.
inline const QString kAppTitle = QStringLiteral("VarnelApp");
inline const QString kMessageTitle = QStringLiteral("Message");
inline const QString kErrorTitle = QStringLiteral("エラーメッセージ");

class Prompt {
public:
	enum class Icon { None, Information, Question, Error };

	virtual ~Prompt() = default;

	// A message with an OK button.
	virtual void message(const QString &text, const QString &caption, Icon icon) = 0;

	// A question with the question icon and Yes/No buttons; true on Yes.
	virtual bool askYesNo(const QString &text, const QString &caption) = 0;
};

} // namespace kelvra

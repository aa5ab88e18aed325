#include "MessageBoxPrompt.h"

#include <QMessageBox>

namespace kelvra {

namespace {

QMessageBox::Icon boxIcon(Prompt::Icon icon)
{
	switch (icon) {
	case Prompt::Icon::Information: return QMessageBox::Information;
	case Prompt::Icon::Question: return QMessageBox::Question;
	case Prompt::Icon::Error: return QMessageBox::Critical;
	case Prompt::Icon::None: break;
	}
	return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxPrompt::message(const QString &text, const QString &caption, Icon icon)
{
	QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent_);
	box.exec();
}

bool MessageBoxPrompt::askYesNo(const QString &text, const QString &caption)
{
	QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
	box.setDefaultButton(QMessageBox::No);
	return box.exec() == QMessageBox::Yes;
}

} // namespace kelvra

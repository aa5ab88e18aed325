#include "MessageBoxPrompt.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace kelvra {

namespace {

QMessageBox::Icon boxIcon(Prompt::Icon icon)
{
	switch (icon) {
	case Prompt::Icon::Information:
		return QMessageBox::Information;
	case Prompt::Icon::Question:
		return QMessageBox::Question;
	case Prompt::Icon::Error:
		return QMessageBox::Critical;
	case Prompt::Icon::None:
		break;
	}
	return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxPrompt::message(const QString &text, const QString &caption, Icon icon)
{
	QMessageBox box(boxIcon(icon), shownTitle(caption), text, QMessageBox::Ok, parent_);
	box.exec();
}

bool MessageBoxPrompt::askYesNo(const QString &text, const QString &caption)
{
	QMessageBox box(QMessageBox::Question, shownTitle(caption), text,
			QMessageBox::Yes | QMessageBox::No, parent_);
	box.setDefaultButton(QMessageBox::No);
	return box.exec() == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompt::askText(const QString &text, const QString &caption)
{
	bool ok = false;
	const QString answer =
			QInputDialog::getText(parent_, caption, text, QLineEdit::Normal, {}, &ok);
	if (!ok)
		return std::nullopt;
	return answer;
}

QString MessageBoxPrompt::askSaveFileName(
		const QString &filter, const QString &suffix, const QString &folder)
{
	QFileDialog dialog(parent_, QString(), folder, filter);
	dialog.setAcceptMode(QFileDialog::AcceptSave);
	dialog.setFileMode(QFileDialog::AnyFile);
	dialog.setDefaultSuffix(suffix); // before the question about replacing a file
	if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
		return {};
	return dialog.selectedFiles().constFirst();
}

QString MessageBoxPrompt::askOpenFileName(const QString &filter, const QString &folder)
{
	return QFileDialog::getOpenFileName(parent_, QString(), folder, filter);
}

QString MessageBoxPrompt::askFolder(const QString &folder)
{
	return QFileDialog::getExistingDirectory(parent_,
			QCoreApplication::translate("MessageBoxPrompt", "記録フォルダ"), folder);
}

} // namespace kelvra

#pragma once

// What a user gets of a dialog: the one error message an OK refused with,
// the controls Tab visits in turn from the first, and the name a screen
// reader reads each control by.

#include "fakes/RecordingPrompt.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QtTest>

namespace kelvra::testing {

// The dialog is still open and showed `message` alone, as an error.
inline bool refusedWith(
		const QDialog &dialog, const RecordingPrompt &prompt, const QString &message)
{
	return dialog.result() == QDialog::Rejected && prompt.texts() == QStringList{message} &&
			prompt.shown.back().caption == kErrorTitle &&
			prompt.shown.back().icon == Prompt::Icon::Error;
}

inline QWidgetList tabOrder(QDialog &dialog, QWidget *first)
{
	dialog.show();
	if (!QTest::qWaitForWindowActive(&dialog))
		return {};
	first->setFocus(Qt::TabFocusReason);
	QWidgetList visited;
	for (QWidget *at = QApplication::focusWidget(); at && !visited.contains(at);
			at = QApplication::focusWidget()) {
		visited << at;
		QTest::keyClick(at, Qt::Key_Tab);
	}
	return visited;
}

inline QString spokenName(QObject *control)
{
	QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
	return spoken ? spoken->text(QAccessible::Name) : QString();
}

inline QString spokenCell(QObject *table, int row, int column)
{
	return QAccessible::queryAccessibleInterface(table)
			->tableInterface()
			->cellAt(row, column)
			->text(QAccessible::Name);
}

} // namespace kelvra::testing

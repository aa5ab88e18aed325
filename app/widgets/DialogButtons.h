#pragma once

#include <QBoxLayout>
#include <QString>

class QDialog;
class QPushButton;

namespace kelvra {

// The OK and Cancel buttons of a dialog: OK is the default button, so Enter
// presses it, and Cancel rejects the dialog, as Esc does.
struct DialogButtons {
	QPushButton *ok = nullptr;
	QPushButton *cancel = nullptr;
	QBoxLayout *layout = nullptr;
};

// A row at the right (LeftToRight), or a column at the top (TopToBottom).
DialogButtons makeDialogButtons(QDialog *dialog, const QString &okText, const QString &cancelText,
		QBoxLayout::Direction direction = QBoxLayout::LeftToRight);

} // namespace kelvra

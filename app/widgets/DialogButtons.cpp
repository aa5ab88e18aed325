#include "DialogButtons.h"

#include <QDialog>
#include <QPushButton>

namespace kelvra {

DialogButtons makeDialogButtons(QDialog *dialog, const QString &okText, const QString &cancelText,
		QBoxLayout::Direction direction)
{
	DialogButtons buttons;
	buttons.ok = new QPushButton(okText, dialog);
	buttons.cancel = new QPushButton(cancelText, dialog);
	buttons.ok->setDefault(true);
	buttons.layout = new QBoxLayout(direction);
	const bool row = direction == QBoxLayout::LeftToRight;
	if (row)
		buttons.layout->addStretch();
	buttons.layout->addWidget(buttons.ok);
	buttons.layout->addWidget(buttons.cancel);
	if (!row)
		buttons.layout->addStretch();
	QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
	return buttons;
}

} // namespace kelvra

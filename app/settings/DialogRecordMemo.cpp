#include "DialogRecordMemo.h"

#include "DialogMemo.h"
#include "widgets/DialogButtons.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvra {

DialogRecordMemo::DialogRecordMemo(const QStringList &lines, QWidget *parent) : QDialog(parent)
{
	setWindowTitle(tr("記録メモ"));
	setModal(true);
	const DialogButtons buttons = makeDialogButtons(this, QStringLiteral("OK"), tr("ｷｬﾝｾﾙ"));
	OKButton = buttons.ok;
	CancelButton = buttons.cancel;
	auto *layout = new QVBoxLayout(this);
	layout->addWidget(BuildMemoFrame(txtMemo, this));
	layout->addLayout(buttons.layout);
	for (int i = 0; i < lines.size() && i < int(txtMemo.size()); ++i)
		txtMemo[i]->setText(lines[i]);
	connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

QStringList DialogRecordMemo::lines() const
{
	QStringList lines;
	for (const QLineEdit *edit : txtMemo)
		lines << edit->text();
	return lines;
}

} // namespace kelvra

#include "DialogMemo.h"

#include "core/Prompt.h"
#include "files/MeasurementFiles.h"
#include "widgets/DialogButtons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvra {

DialogMemo::DialogMemo(ModuleData &md, Prompt &prompt, QString &folder, QWidget *parent)
	: QDialog(parent), md_(md), prompt_(prompt), folder_(folder)
{
	setWindowTitle(tr("データ保存"));
	setModal(true);

	const DialogButtons buttons = makeDialogButtons(this, tr("次へ"), tr("戻る"));
	OKButton = buttons.ok;
	CancelButton = buttons.cancel;

	auto *layout = new QVBoxLayout(this);
	layout->addWidget(BuildMemoFrame(txtMemo, this));
	layout->addWidget(buildTypeFrame());
	layout->addLayout(buttons.layout);

	connect(OKButton, &QPushButton::clicked, this, &DialogMemo::OKButton_Click);
	Form_Load();
}

QWidget *BuildMemoFrame(std::array<QLineEdit *, 5> &txtMemo, QWidget *parent)
{
	auto *frame = new QGroupBox(
			QCoreApplication::translate("kelvra::DialogMemo", "メモ"), parent);
	auto *grid = new QGridLayout(frame);
	const QString numbers[] = {QCoreApplication::translate("kelvra::DialogMemo", "１"),
			QCoreApplication::translate("kelvra::DialogMemo", "２"),
			QCoreApplication::translate("kelvra::DialogMemo", "３"),
			QCoreApplication::translate("kelvra::DialogMemo", "４"),
			QCoreApplication::translate("kelvra::DialogMemo", "５")};
	for (int i = 0; i < 5; ++i) {
		auto *label = new QLabel(numbers[i] +
						QCoreApplication::translate(
								"kelvra::DialogMemo", "．"),
				frame);
		txtMemo[i] = new QLineEdit(frame);
		txtMemo[i]->setAccessibleName(
				QCoreApplication::translate("kelvra::DialogMemo", "メモ%1")
						.arg(numbers[i]));
		txtMemo[i]->setMinimumWidth(420);
		label->setBuddy(txtMemo[i]);
		grid->addWidget(label, i, 0);
		grid->addWidget(txtMemo[i], i, 1);
	}
	return frame;
}

QWidget *DialogMemo::buildTypeFrame()
{
	auto *frame = new QGroupBox(tr("ファイルの保存形式"), this);
	auto *row = new QHBoxLayout(frame);
	optFiletype[0] = new QRadioButton(QStringLiteral("CSV"), frame);
	optFiletype[1] = new QRadioButton(tr("専用"), frame);
	row->addWidget(optFiletype[0]);
	row->addWidget(optFiletype[1]);
	row->addStretch();
	return frame;
}

void DialogMemo::Form_Load()
{
	optFiletype[0]->setChecked(true);
	for (int i = 0; i < 5; ++i)
		txtMemo[i]->setText(md_.MemoStr[i]);
}

void DialogMemo::OKButton_Click()
{
	const FileType type = optFiletype[0]->isChecked() ? FileType::Csv : FileType::Dedicated;
	const FileTypeInfo info = fileTypeInfo(type);
	const QString chosen = prompt_.askSaveFileName(info.filter, info.suffix, folder_);
	if (chosen.isEmpty())
		return; // cancelled: the entries stay for another try
	const QString fileName = WithDefaultExtension(chosen, info.suffix);
	std::array<QString, 5> memo;
	for (int i = 0; i < 5; ++i)
		memo[i] = txtMemo[i]->text();
	const FileResult result = SaveMeasurement(md_, fileName, type, memo);
	if (!result.ok) {
		prompt_.message(tr("ファイルを保存できませんでした。\n%1\n%2")
						.arg(QDir::toNativeSeparators(fileName),
								result.error),
				kErrorTitle, Prompt::Icon::Error);
		return;
	}
	folder_ = QFileInfo(fileName).absolutePath();
	accept();
}

} // namespace kelvra

#include "DialogSetUnit.h"

#include "core/Prompt.h"
#include "widgets/DialogButtons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvra {

namespace {

const char *const kSingCaptions[] = {QT_TRANSLATE_NOOP("kelvra::DialogSetUnit", "μひずみ"),
		QT_TRANSLATE_NOOP("kelvra::DialogSetUnit", "ｋｇｆ"),
		QT_TRANSLATE_NOOP("kelvra::DialogSetUnit", "ｔｆ"), "N", "kN", "MN"};

} // namespace

DialogSetUnit::DialogSetUnit(ModuleData &md, Prompt &prompt, QWidget *parent)
	: QDialog(parent), md_(md), prompt_(prompt)
{
	setWindowTitle(tr("単位設定"));
	setModal(true);

	const DialogButtons buttons = makeDialogButtons(
			this, QStringLiteral("OK"), tr("ｷｬﾝｾﾙ"), QBoxLayout::TopToBottom);
	OKButton = buttons.ok;
	CancelButton = buttons.cancel;

	auto *top = new QHBoxLayout;
	top->addWidget(buildUnitFrame(), 1);
	top->addLayout(buttons.layout);
	auto *layout = new QVBoxLayout(this);
	layout->addLayout(top);
	layout->addWidget(buildSingFrame());
	// The buttons sit beside the rows but come last when tabbing.
	setTabOrder(optUintsBtn.back(), OKButton);
	setTabOrder(OKButton, CancelButton);

	connect(OKButton, &QPushButton::clicked, this, &DialogSetUnit::OKButton_Click);
	for (QRadioButton *option : optUintsBtn)
		connect(option, &QRadioButton::toggled, this, [this](bool checked) {
			if (checked)
				SetUnitSign();
		});
	LoadUnitData();
	SetUnitSign();
}

QWidget *DialogSetUnit::buildUnitFrame()
{
	auto *frame = new QGroupBox(tr("使用ユニット"), this);
	auto *grid = new QGridLayout(frame);
	grid->addWidget(new QLabel(tr("  定格出力"), frame), 0, 0);
	grid->addWidget(new QLabel(tr("  定格容量"), frame), 0, 1);
	for (int i = 0; i < kUnitCount; ++i) {
		auto *unit = new QGroupBox(QStringLiteral("ID%1").arg(i), frame);
		txtPower[i] = new QLineEdit(unit);
		txtPower[i]->setAccessibleName(tr("ID%1 定格出力").arg(i));
		optPower[i] = {new QRadioButton(QStringLiteral("mV/V"), unit),
				new QRadioButton(tr("μひずみ"), unit)};
		txtCapacity[i] = new QLineEdit(unit);
		txtCapacity[i]->setAccessibleName(tr("ID%1 定格容量").arg(i));
		lblSign[i] = new QLabel(unit);
		lblSign[i]->setMinimumWidth(48);

		auto *row = new QHBoxLayout(unit);
		row->addWidget(txtPower[i]);
		row->addWidget(optPower[i][0]);
		row->addWidget(optPower[i][1]);
		row->addSpacing(16);
		row->addWidget(txtCapacity[i]);
		row->addWidget(lblSign[i]);
		grid->addWidget(unit, i + 1, 0, 1, 2);
	}
	return frame;
}

QWidget *DialogSetUnit::buildSingFrame()
{
	auto *frame = new QGroupBox(tr("単位"), this);
	auto *row = new QHBoxLayout(frame);
	for (int k = 0; k < 6; ++k) {
		optUintsBtn[k] = new QRadioButton(tr(kSingCaptions[k]), frame);
		row->addWidget(optUintsBtn[k]);
	}
	return frame;
}

void DialogSetUnit::LoadUnitData()
{
	const UnitEntries entries = kelvra::LoadUnitData(md_);
	if (entries.sing >= 0 && entries.sing < 6)
		optUintsBtn[entries.sing]->setChecked(true);
	for (int i = 0; i < kUnitCount; ++i) {
		txtPower[i]->setText(entries.power[i]);
		txtCapacity[i]->setText(entries.capacity[i]);
		optPower[i][entries.powerInMicrostrain[i] ? 1 : 0]->setChecked(true);
	}
}

int DialogSetUnit::selectedSing() const
{
	for (int k = 0; k < 6; ++k) {
		if (optUintsBtn[k]->isChecked())
			return k;
	}
	return -1;
}

void DialogSetUnit::SetUnitSign()
{
	const int sing = selectedSing();
	for (int i = 0; i < kUnitCount; ++i) {
		const bool load = sing > 0;
		lblSign[i]->setText(load ? tr(kSingCaptions[sing]) : QString());
		SetUnitEnabled(i, load && md_.Channels[i].Mflag != kFalse);
	}
}

void DialogSetUnit::SetUnitEnabled(int unit, bool on)
{
	optPower[unit][0]->setEnabled(on);
	optPower[unit][1]->setEnabled(on);
	txtPower[unit]->setEnabled(on);
	txtCapacity[unit]->setEnabled(on);
	lblSign[unit]->setEnabled(on);
}

UnitEntries DialogSetUnit::entries() const
{
	UnitEntries entries;
	entries.sing = static_cast<int16_t>(selectedSing());
	for (int i = 0; i < kUnitCount; ++i) {
		entries.power[i] = txtPower[i]->text();
		entries.powerInMicrostrain[i] = !optPower[i][0]->isChecked();
		entries.capacity[i] = txtCapacity[i]->text();
	}
	return entries;
}

void DialogSetUnit::OKButton_Click()
{
	const UnitEntries current = entries();
	const QString error = current.sing < 0 ? tr("設定に誤りがあります。")
					       : CheckUnitData(current, md_);
	if (!error.isEmpty()) {
		prompt_.message(error, kErrorTitle, Prompt::Icon::Error);
		return;
	}
	SaveUnitData(current, md_);
	accepted_ = true;
	accept();
}

} // namespace kelvra

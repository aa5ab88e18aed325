#include "DialogStrainSetup.h"

#include "ChannelTexts.h"
#include "DefinitionCheck.h"
#include "DefinitionOptions.h"
#include "DefinitionWidgets.h"
#include "HeaderNamedModel.h"
#include "core/Prompt.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvra {

namespace {

DefinitionFault needsMicrostrain(int unit)
{
	DefinitionFault why{FaultCode::StrainNeedsMicrostrain};
	why.unit = unit;
	return why;
}

} // namespace

DialogStrainSetup::DialogStrainSetup(const ChannelDefinitions &definitions,
		const MeasuredUnits &units, int unit, Prompt &prompt, QWidget *parent)
	: QDialog(parent), units_(units), prompt_(prompt), definitions_(definitions)
{
	setWindowTitle(tr("ひずみ設定"));
	setModal(true);
	for (int u = 0; u < kDefinitionUnits; ++u) {
		entries_[u] = setupEntries(definitions.units[u]);
		if (units.inUse[u])
			selectable_.push_back(u);
	}

	auto *layout = new QVBoxLayout(this);
	layout->addWidget(buildUnitRow());
	layout->addWidget(buildBridgeFrame());
	layout->addWidget(buildTareFrame());
	layout->addWidget(buildScaleFrame());
	layout->addWidget(buildStressFrame());
	lblNote = new QLabel(this);
	lblNote->setWordWrap(true);
	lblNote->hide();
	layout->addWidget(lblNote);
	const DialogButtons buttons = makeDialogButtons(this, QStringLiteral("OK"), tr("ｷｬﾝｾﾙ"));
	OKButton = buttons.ok;
	CancelButton = buttons.cancel;
	layout->addLayout(buttons.layout);

	connectEntries();
	txtTareSamples->setText(QString::number(definitions.tareSamples));
	const auto first = std::find(selectable_.begin(), selectable_.end(), unit);
	showUnit(first == selectable_.end() ? 0 : static_cast<int>(first - selectable_.begin()));
	if (selectable_.empty())
		refuseAll(tr("使用ユニットの指定がありません。"));
	else if (!units.microstrain)
		refuseAll(definitionFaultText(needsMicrostrain(shown_)));
}

QWidget *DialogStrainSetup::buildUnitRow()
{
	auto *row = new QWidget(this);
	auto *line = new QHBoxLayout(row);
	line->setContentsMargins(0, 0, 0, 0);
	cboUnit = new QComboBox(row);
	for (const int u : selectable_)
		cboUnit->addItem(shownText(unitChannelName(u)));
	auto *label = new QLabel(tr("ユニット"), row);
	label->setBuddy(cboUnit);
	cboUnit->setAccessibleName(label->text());
	line->addWidget(label);
	line->addWidget(cboUnit);
	line->addStretch();
	return row;
}

QWidget *DialogStrainSetup::buildBridgeFrame()
{
	auto *frame = new QGroupBox(tr("ブリッジ"), this);
	auto *grid = new QGridLayout(frame);
	cboBridge = new QComboBox(frame);
	for (int t = 0; t < kBridgeTypeCount; ++t) {
		const auto type = static_cast<BridgeType>(t);
		cboBridge->addItem(shownText(bridgeKeyword(type)) + QStringLiteral(": ") +
				bridgeTypeText(type));
	}
	auto *label = new QLabel(tr("種類"), frame);
	label->setBuddy(cboBridge);
	cboBridge->setAccessibleName(tr("ブリッジの種類"));
	grid->addWidget(label, 0, 0);
	grid->addWidget(cboBridge, 0, 1, 1, 5);

	const QString ohm = QStringLiteral("Ω");
	txtGaugeFactor = numberEdit(tr("ゲージ率 K"), frame);
	txtPoisson = numberEdit(tr("ポアソン比 ν"), frame);
	txtLeadOhm = numberEdit(tr("リード線抵抗 R_L (Ω)"), frame);
	txtGaugeOhm = numberEdit(tr("ゲージ抵抗 R_G (Ω)"), frame);
	addCaptioned(grid, 1, 0, tr("ゲージ率 K"), txtGaugeFactor);
	addCaptioned(grid, 1, 3, tr("ポアソン比 ν"), txtPoisson);
	addCaptioned(grid, 2, 0, tr("リード線抵抗 R_L"), txtLeadOhm, ohm);
	addCaptioned(grid, 2, 3, tr("ゲージ抵抗 R_G"), txtGaugeOhm, ohm);
	grid->setColumnMinimumWidth(2, 32);
	grid->setColumnStretch(6, 1);
	return frame;
}

QWidget *DialogStrainSetup::buildTareFrame()
{
	auto *frame = new QGroupBox(tr("風袋引き"), this);
	auto *grid = new QGridLayout(frame);
	chkTare = new QCheckBox(tr("測定開始からのサンプルの平均を引く"), frame);
	grid->addWidget(chkTare, 0, 0, 1, 3);
	txtTareSamples = numberEdit(tr("風袋引きのサンプル数 N"), frame);
	addCaptioned(grid, 1, 0, tr("サンプル数 N"), txtTareSamples, tr("(全ユニット共通)"));
	grid->setColumnStretch(3, 1);
	return frame;
}

QWidget *DialogStrainSetup::buildScaleFrame()
{
	grpScale = new QGroupBox(tr("換算表"), this);
	grpScale->setCheckable(true);
	auto *grid = new QGridLayout(grpScale);

	scaleModel_ = new HeaderNamedModel(0, 2, this);
	scaleModel_->setHorizontalHeaderLabels(
			{QStringLiteral("X (%1)").arg(shownUnitName(kMicrostrainUnitName)),
					QStringLiteral("Y")});
	tblScale = entryTable(scaleModel_, tr("換算表 (X から Y へ)"), grpScale);
	tblScale->setMinimumHeight(150);
	grid->addWidget(tblScale, 0, 0, 3, 1);

	cmdAddRow = sideButton(tr("行を追加"), grpScale);
	cmdRemoveRow = sideButton(tr("行を削除"), grpScale);
	grid->addWidget(cmdAddRow, 0, 1);
	grid->addWidget(cmdRemoveRow, 1, 1);
	grid->setRowStretch(2, 1);

	txtScaleUnit = new QLineEdit(grpScale);
	txtScaleUnit->setAccessibleName(tr("Y の単位名"));
	txtScaleUnit->setMaximumWidth(120);
	auto *unitRow = new QHBoxLayout;
	auto *label = new QLabel(tr("Y の単位名"), grpScale);
	label->setBuddy(txtScaleUnit);
	unitRow->addWidget(label);
	unitRow->addWidget(txtScaleUnit);
	unitRow->addStretch();
	grid->addLayout(unitRow, 3, 0, 1, 2);
	return grpScale;
}

QWidget *DialogStrainSetup::buildStressFrame()
{
	grpStress = new QGroupBox(this);
	grpStress->setCheckable(true);
	auto *grid = new QGridLayout(grpStress);
	txtModulus = numberEdit(tr("縦弾性係数 E (GPa)"), grpStress);
	addCaptioned(grid, 0, 0, tr("縦弾性係数 E"), txtModulus, QStringLiteral("GPa"));
	grid->setColumnStretch(3, 1);
	return grpStress;
}

void DialogStrainSetup::connectEntries()
{
	connect(OKButton, &QPushButton::clicked, this, &DialogStrainSetup::OKButton_Click);
	connect(cboUnit, &QComboBox::currentIndexChanged, this, [this](int index) {
		storeShown();
		showUnit(index);
	});
	connect(cboBridge, &QComboBox::currentIndexChanged, this,
			&DialogStrainSetup::setBridgeEntriesEnabled);
	connect(grpScale, &QGroupBox::toggled, this, [this](bool on) {
		if (on && scaleModel_->rowCount() < kMinScalePoints)
			setScaleRows(std::vector<ScaleRowEntry>(kMinScalePoints));
		setRowButtonsEnabled();
	});
	connect(cmdAddRow, &QPushButton::clicked, this, &DialogStrainSetup::addScaleRow);
	connect(cmdRemoveRow, &QPushButton::clicked, this, &DialogStrainSetup::removeScaleRow);
}

void DialogStrainSetup::showUnit(int index)
{
	if (index < 0 || index >= static_cast<int>(selectable_.size()))
		return;
	shown_ = selectable_[index];
	const QSignalBlocker quiet(cboUnit);
	cboUnit->setCurrentIndex(index);
	loadShown();
}

void DialogStrainSetup::loadShown()
{
	const UnitSetupEntries &e = entries_[shown_];
	cboBridge->setCurrentIndex(static_cast<int>(e.bridge));
	txtGaugeFactor->setText(e.gaugeFactor);
	txtPoisson->setText(e.poisson);
	txtLeadOhm->setText(e.leadOhm);
	txtGaugeOhm->setText(e.gaugeOhm);
	chkTare->setChecked(e.tare);
	setScaleRows(e.scale);
	txtScaleUnit->setText(e.scaleUnit);
	grpScale->setChecked(e.scaled);
	const QString stress = shownText(stressChannelName(shown_));
	grpStress->setTitle(tr("応力チャンネル %1 (MPa)").arg(stress));
	grpStress->setAccessibleName(grpStress->title());
	grpStress->setChecked(e.stressed);
	txtModulus->setText(e.modulus);
	setBridgeEntriesEnabled();
	setRowButtonsEnabled();
}

void DialogStrainSetup::storeShown()
{
	if (shown_ < 0)
		return;
	UnitSetupEntries &e = entries_[shown_];
	e.bridge = static_cast<BridgeType>(cboBridge->currentIndex());
	e.gaugeFactor = txtGaugeFactor->text();
	e.poisson = txtPoisson->text();
	e.leadOhm = txtLeadOhm->text();
	e.gaugeOhm = txtGaugeOhm->text();
	e.tare = chkTare->isChecked();
	e.scaled = grpScale->isChecked();
	e.scale = scaleRows();
	e.scaleUnit = txtScaleUnit->text();
	e.stressed = grpStress->isChecked();
	e.modulus = txtModulus->text();
}

void DialogStrainSetup::setBridgeEntriesEnabled()
{
	const auto type = static_cast<BridgeType>(cboBridge->currentIndex());
	txtPoisson->setEnabled(bridgeReadsPoisson(type));
	txtLeadOhm->setEnabled(bridgeReadsLeads(type));
	txtGaugeOhm->setEnabled(bridgeReadsLeads(type));
}

// The table keeps the count the check allows.
void DialogStrainSetup::setRowButtonsEnabled()
{
	const bool on = grpScale->isChecked();
	cmdAddRow->setEnabled(on && scaleModel_->rowCount() < kMaxScalePoints);
	cmdRemoveRow->setEnabled(on && scaleModel_->rowCount() > kMinScalePoints);
}

void DialogStrainSetup::addScaleRow()
{
	const int current = tblScale->currentIndex().row();
	const int row = current < 0 ? scaleModel_->rowCount() : current + 1;
	scaleModel_->insertRow(row, {new QStandardItem, new QStandardItem});
	tblScale->setCurrentIndex(scaleModel_->index(row, 0));
	tblScale->setFocus();
	setRowButtonsEnabled();
}

void DialogStrainSetup::removeScaleRow()
{
	const int current = tblScale->currentIndex().row();
	scaleModel_->removeRow(current < 0 ? scaleModel_->rowCount() - 1 : current);
	setRowButtonsEnabled();
}

void DialogStrainSetup::setScaleRows(const std::vector<ScaleRowEntry> &rows)
{
	scaleModel_->setRowCount(0);
	for (const ScaleRowEntry &row : rows)
		scaleModel_->appendRow({new QStandardItem(row.x), new QStandardItem(row.y)});
	setRowButtonsEnabled();
}

std::vector<ScaleRowEntry> DialogStrainSetup::scaleRows() const
{
	std::vector<ScaleRowEntry> rows;
	for (int row = 0; row < scaleModel_->rowCount(); ++row)
		rows.push_back({scaleModel_->item(row, 0)->text(),
				scaleModel_->item(row, 1)->text()});
	return rows;
}

void DialogStrainSetup::refuseAll(const QString &why)
{
	for (QWidget *part : findChildren<QWidget *>()) {
		if (part != CancelButton && part != lblNote && part->parentWidget() == this)
			part->setEnabled(false);
	}
	OKButton->setEnabled(false);
	lblNote->setText(why);
	lblNote->show();
}

void DialogStrainSetup::OKButton_Click()
{
	storeShown();
	ChannelDefinitions taken = definitions_;
	for (const int u : selectable_)
		taken.units[u] = setupOf(entries_[u]);
	taken.tareSamples = entryWhole(txtTareSamples->text());
	if (const auto fault = checkDefinitions(taken, units_)) {
		const auto at = std::find(selectable_.begin(), selectable_.end(), fault->unit);
		if (at != selectable_.end() && *at != shown_)
			showUnit(static_cast<int>(at - selectable_.begin()));
		prompt_.message(definitionFaultText(*fault), kErrorTitle, Prompt::Icon::Error);
		return;
	}
	definitions_ = taken;
	accept();
}

} // namespace kelvra

#include "DialogComputedChannels.h"

#include "ChannelTexts.h"
#include "DefinitionCheck.h"
#include "DefinitionEntries.h"
#include "DefinitionWidgets.h"
#include "ExpressionCompiler.h"
#include "HeaderNamedModel.h"
#include "OutputChannels.h"
#include "core/Prompt.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvra {

namespace {

QString rosetteText(const RosetteDefinition &r)
{
	QString text = QStringLiteral("%1 (%2: A ID%3, B ID%4, C ID%5)")
				       .arg(shownText(r.name), rosetteLayoutText(r.layout))
				       .arg(r.units[0])
				       .arg(r.units[1])
				       .arg(r.units[2]);
	if (r.material)
		text += QStringLiteral(" E = %1 GPa, ν = %2")
					.arg(entryText(r.material->modulusGPa),
							entryText(r.material->poisson));
	return text;
}

QList<QStandardItem *> rowItems(const QStringList &texts)
{
	QList<QStandardItem *> items;
	for (const QString &text : texts) {
		auto *item = new QStandardItem(text);
		item->setEditable(false);
		item->setToolTip(text);
		items << item;
	}
	return items;
}

// A name no channel has yet: c1, c2, ...
std::string freeChannelName(const std::vector<ComputedChannel> &channels)
{
	for (std::size_t n = channels.size() + 1;; ++n) {
		const std::string name = "c" + std::to_string(n);
		if (std::none_of(channels.begin(), channels.end(),
				    [&](const ComputedChannel &c) { return c.name == name; }))
			return name;
	}
}

} // namespace

DialogComputedChannels::DialogComputedChannels(const ChannelDefinitions &definitions,
		const MeasuredUnits &units, Prompt &prompt, QWidget *parent)
	: QDialog(parent), units_(units), prompt_(prompt), definitions_(definitions),
	  rosettes_(definitions.rosettes), channels_(definitions.channels)
{
	setWindowTitle(tr("演算チャンネル"));
	setModal(true);
	for (int u = 0; u < kDefinitionUnits; ++u) {
		if (units.inUse[u])
			selectable_.push_back(u);
	}

	auto *left = new QVBoxLayout;
	left->addWidget(buildChannelFrame(), 3);
	left->addWidget(buildNameFrame(), 2);
	auto *frames = new QHBoxLayout;
	frames->addLayout(left, 3);
	frames->addWidget(buildRosetteFrame(), 2);
	const DialogButtons buttons = makeDialogButtons(this, QStringLiteral("OK"), tr("ｷｬﾝｾﾙ"));
	OKButton = buttons.ok;
	CancelButton = buttons.cancel;
	auto *layout = new QVBoxLayout(this);
	layout->addLayout(frames);
	layout->addLayout(buttons.layout);

	connect(OKButton, &QPushButton::clicked, this, &DialogComputedChannels::OKButton_Click);
	connectChannels();
	connectRosettes();
	RosetteDefinition fresh;
	for (std::size_t g = 0; g < fresh.units.size() && g < selectable_.size(); ++g)
		fresh.units[g] = selectable_[g];
	loadRosetteEntries(fresh);
	showRosettes(rosettes_.empty() ? -1 : 0);
	if (!rosettes_.empty())
		loadRosetteEntries(rosettes_.front());
	showChannels(channels_.empty() ? -1 : 0);
	resize(1000, 680);
}

QWidget *DialogComputedChannels::buildChannelFrame()
{
	auto *frame = new QGroupBox(tr("演算チャンネル (上のチャンネルから順に計算)"), this);
	auto *grid = new QGridLayout(frame);
	channelModel_ = new HeaderNamedModel(0, ColumnCount, this);
	channelModel_->setHorizontalHeaderLabels({tr("名前"), tr("式"), tr("単位")});
	tblChannels = entryTable(channelModel_, tr("演算チャンネル"), frame);
	tblChannels->setSelectionBehavior(QAbstractItemView::SelectRows);
	tblChannels->setEditTriggers(QAbstractItemView::NoEditTriggers);
	for (const int column : {NameColumn, UnitColumn})
		tblChannels->horizontalHeader()->setSectionResizeMode(
				column, QHeaderView::ResizeToContents);
	grid->addWidget(tblChannels, 0, 0, 5, 2);

	cmdAdd = sideButton(tr("追加"), frame);
	cmdRemove = sideButton(tr("削除"), frame);
	cmdUp = sideButton(tr("上へ"), frame);
	cmdDown = sideButton(tr("下へ"), frame);
	int row = 0;
	for (QPushButton *button : {cmdAdd, cmdRemove, cmdUp, cmdDown})
		grid->addWidget(button, row++, 2);
	grid->setRowStretch(4, 1);

	txtName = new QLineEdit(frame);
	txtName->setAccessibleName(tr("チャンネル名"));
	txtExpression = new QLineEdit(frame);
	txtExpression->setAccessibleName(tr("式"));
	txtUnit = new QLineEdit(frame);
	txtUnit->setAccessibleName(tr("単位名"));
	addCaptioned(grid, 5, 0, tr("名前"), txtName);
	addCaptioned(grid, 6, 0, tr("式"), txtExpression);
	addCaptioned(grid, 7, 0, tr("単位"), txtUnit);
	lblExpression = new QLabel(frame);
	lblExpression->setWordWrap(true);
	grid->addWidget(lblExpression, 8, 1, 1, 2);
	grid->setColumnStretch(1, 1);
	return frame;
}

QWidget *DialogComputedChannels::buildNameFrame()
{
	auto *frame = new QGroupBox(tr("式で読める名前 (このほか上のチャンネル)"), this);
	auto *layout = new QVBoxLayout(frame);
	nameModel_ = new HeaderNamedModel(0, 3, this);
	nameModel_->setHorizontalHeaderLabels({tr("名前"), tr("単位"), tr("説明")});
	tblNames = entryTable(nameModel_, tr("式で読める名前"), frame);
	tblNames->setSelectionBehavior(QAbstractItemView::SelectRows);
	tblNames->setEditTriggers(QAbstractItemView::NoEditTriggers);
	tblNames->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
	tblNames->horizontalHeader()->setStretchLastSection(true);
	layout->addWidget(tblNames);
	return frame;
}

QWidget *DialogComputedChannels::buildRosetteFrame()
{
	auto *frame = new QGroupBox(tr("ロゼット"), this);
	auto *grid = new QGridLayout(frame);
	cboLayout = new QComboBox(frame);
	cboLayout->addItems({rosetteLayoutText(RosetteLayout::Rectangular),
			rosetteLayoutText(RosetteLayout::Delta)});
	cboLayout->setAccessibleName(tr("ロゼットの配置"));
	addCaptioned(grid, 0, 0, tr("配置"), cboLayout);

	auto *gauges = new QHBoxLayout;
	for (int g = 0; g < 3; ++g) {
		const QString caption = tr("ゲージ %1").arg(QChar(u'A' + g));
		cboGauge[g] = new QComboBox(frame);
		for (const int u : selectable_)
			cboGauge[g]->addItem(shownText(unitChannelName(u)));
		cboGauge[g]->setAccessibleName(caption);
		auto *label = new QLabel(caption, frame);
		label->setBuddy(cboGauge[g]);
		gauges->addWidget(label);
		gauges->addWidget(cboGauge[g]);
	}
	gauges->addStretch();
	grid->addLayout(gauges, 1, 0, 1, 3);

	txtRosetteName = new QLineEdit(frame);
	txtRosetteName->setAccessibleName(tr("ロゼット名"));
	txtRosetteName->setMaximumWidth(120);
	addCaptioned(grid, 2, 0, tr("名前"), txtRosetteName);

	grpMaterial = new QGroupBox(tr("材料 (主応力、せん断応力、ミーゼス応力を求める)"), frame);
	grpMaterial->setCheckable(true);
	auto *material = new QGridLayout(grpMaterial);
	txtRosetteModulus = numberEdit(tr("材料の縦弾性係数 E (GPa)"), grpMaterial);
	txtRosettePoisson = numberEdit(tr("材料のポアソン比 ν"), grpMaterial);
	addCaptioned(material, 0, 0, tr("縦弾性係数 E"), txtRosetteModulus, QStringLiteral("GPa"));
	addCaptioned(material, 1, 0, tr("ポアソン比 ν"), txtRosettePoisson);
	material->setColumnStretch(3, 1);
	grid->addWidget(grpMaterial, 3, 0, 1, 3);

	cmdAddRosette = sideButton(tr("ロゼットを追加"), frame);
	grid->addWidget(cmdAddRosette, 4, 0, 1, 3, Qt::AlignRight);
	lstRosettes = new QListWidget(frame);
	lstRosettes->setAccessibleName(tr("定義したロゼット"));
	auto *listLabel = new QLabel(tr("定義したロゼット"), frame);
	listLabel->setBuddy(lstRosettes);
	grid->addWidget(listLabel, 5, 0, 1, 3);
	grid->addWidget(lstRosettes, 6, 0, 1, 3);
	cmdRemoveRosette = sideButton(tr("ロゼットを削除"), frame);
	grid->addWidget(cmdRemoveRosette, 7, 0, 1, 3, Qt::AlignRight);
	grid->setColumnStretch(2, 1);
	grid->setRowStretch(6, 1);
	return frame;
}

void DialogComputedChannels::connectChannels()
{
	connect(tblChannels->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
			&DialogComputedChannels::loadEditor);
	connect(txtName, &QLineEdit::textChanged, this,
			[this](const QString &text) { editChannel(&ComputedChannel::name, text); });
	connect(txtExpression, &QLineEdit::textChanged, this, [this](const QString &text) {
		editChannel(&ComputedChannel::expression, text);
	});
	connect(txtUnit, &QLineEdit::textChanged, this,
			[this](const QString &text) { editChannel(&ComputedChannel::unit, text); });
	connect(cmdAdd, &QPushButton::clicked, this, &DialogComputedChannels::addChannel);
	connect(cmdRemove, &QPushButton::clicked, this, &DialogComputedChannels::removeChannel);
	connect(cmdUp, &QPushButton::clicked, this, [this] { moveChannel(-1); });
	connect(cmdDown, &QPushButton::clicked, this, [this] { moveChannel(1); });
}

void DialogComputedChannels::connectRosettes()
{
	connect(cmdAddRosette, &QPushButton::clicked, this, &DialogComputedChannels::addRosette);
	connect(cmdRemoveRosette, &QPushButton::clicked, this,
			&DialogComputedChannels::removeRosette);
	connect(lstRosettes, &QListWidget::currentRowChanged, this, [this](int row) {
		cmdRemoveRosette->setEnabled(row >= 0);
		if (row >= 0)
			loadRosetteEntries(rosettes_[row]);
	});
}

ChannelDefinitions DialogComputedChannels::edited() const
{
	ChannelDefinitions d = definitions_;
	d.rosettes = rosettes_;
	d.channels = channels_;
	return d;
}

int DialogComputedChannels::currentChannel() const
{
	return tblChannels->currentIndex().row();
}

// The table anew from the channels, `current` the row to edit.
void DialogComputedChannels::showChannels(int current)
{
	{
		const QSignalBlocker quiet(tblChannels->selectionModel());
		channelModel_->setRowCount(0);
		for (std::size_t row = 0; row < channels_.size(); ++row) {
			channelModel_->appendRow(rowItems(QStringList(ColumnCount)));
			showChannelRow(static_cast<int>(row));
		}
		tblChannels->setCurrentIndex(channelModel_->index(current, NameColumn));
	}
	loadEditor();
}

void DialogComputedChannels::showChannelRow(int row)
{
	const ComputedChannel &c = channels_[row];
	channelModel_->item(row, NameColumn)->setText(shownText(c.name));
	channelModel_->item(row, ExpressionColumn)->setText(shownText(c.expression));
	channelModel_->item(row, UnitColumn)->setText(shownText(c.unit));
}

void DialogComputedChannels::loadEditor()
{
	const int row = currentChannel();
	const bool editing = row >= 0;
	const ComputedChannel shown = editing ? channels_[row] : ComputedChannel{};
	for (QLineEdit *edit : {txtName, txtExpression, txtUnit})
		edit->setEnabled(editing);
	{
		const QSignalBlocker quietName(txtName), quietExpression(txtExpression),
				quietUnit(txtUnit);
		txtName->setText(shownText(shown.name));
		txtExpression->setText(shownText(shown.expression));
		txtUnit->setText(shownText(shown.unit));
	}
	setChannelButtonsEnabled();
	showExpressionCheck();
}

void DialogComputedChannels::editChannel(std::string ComputedChannel::*field, const QString &text)
{
	const int row = currentChannel();
	if (row < 0)
		return;
	// The expression as typed, so that the parser's positions are the user's.
	channels_[row].*field = field == &ComputedChannel::expression ? text.toStdString()
								      : entryName(text);
	showChannelRow(row);
	showExpressionCheck();
}

void DialogComputedChannels::addChannel()
{
	channels_.push_back({freeChannelName(channels_), {}, {}});
	showChannels(static_cast<int>(channels_.size()) - 1);
	txtName->setFocus();
	txtName->selectAll();
}

void DialogComputedChannels::removeChannel()
{
	const int row = currentChannel();
	if (row < 0)
		return;
	channels_.erase(channels_.begin() + row);
	showChannels(std::min(row, static_cast<int>(channels_.size()) - 1));
}

void DialogComputedChannels::moveChannel(int by)
{
	const int row = currentChannel();
	const int to = row + by;
	if (row < 0 || to < 0 || to >= static_cast<int>(channels_.size()))
		return;
	std::swap(channels_[row], channels_[to]);
	showChannels(to);
}

void DialogComputedChannels::setChannelButtonsEnabled()
{
	const int row = currentChannel();
	const int count = static_cast<int>(channels_.size());
	cmdAdd->setEnabled(count < kMaxComputedChannels);
	cmdRemove->setEnabled(row >= 0);
	cmdUp->setEnabled(row > 0);
	cmdDown->setEnabled(row >= 0 && row + 1 < count);
}

// The current channel's expression against what it may read: the outputs
// before the computed channels, then the channels above it.
void DialogComputedChannels::showExpressionCheck()
{
	const int row = currentChannel();
	if (row < 0) {
		lblExpression->clear();
		return;
	}
	std::vector<std::string> readable;
	for (const OutputChannel &output : outputChannels(edited(), units_)) {
		if (output.kind != OutputKind::Computed)
			readable.push_back(output.name);
	}
	for (int above = 0; above < row; ++above)
		readable.push_back(channels_[above].name);
	const ComputedChannel &c = channels_[row];
	const CompiledExpression compiled = compileExpression(c.expression, readable);
	if (compiled.program) {
		lblExpression->setText(tr("式に誤りはありません。"));
	} else {
		DefinitionFault fault{FaultCode::ChannelExpression};
		fault.name = c.name;
		fault.expression = compiled.fault;
		lblExpression->setText(definitionFaultText(fault));
	}
	txtExpression->setAccessibleDescription(lblExpression->text());
}

RosetteDefinition DialogComputedChannels::rosetteEntries() const
{
	RosetteDefinition r;
	r.name = entryName(txtRosetteName->text());
	r.layout = static_cast<RosetteLayout>(cboLayout->currentIndex());
	for (int g = 0; g < 3; ++g) {
		const int index = cboGauge[g]->currentIndex();
		r.units[g] = index < 0 ? 0 : selectable_[index];
	}
	r.material = materialOf({grpMaterial->isChecked(), txtRosetteModulus->text(),
			txtRosettePoisson->text()});
	return r;
}

void DialogComputedChannels::loadRosetteEntries(const RosetteDefinition &r)
{
	txtRosetteName->setText(shownText(r.name));
	cboLayout->setCurrentIndex(static_cast<int>(r.layout));
	for (int g = 0; g < 3; ++g) {
		const auto at = std::find(selectable_.begin(), selectable_.end(), r.units[g]);
		cboGauge[g]->setCurrentIndex(at == selectable_.end()
						? -1
						: static_cast<int>(at - selectable_.begin()));
	}
	const MaterialEntries material = materialEntries(r.material);
	grpMaterial->setChecked(material.given);
	txtRosetteModulus->setText(material.modulus);
	txtRosettePoisson->setText(material.poisson);
}

// The rosette of the entries beside the others, judged by the one check of
// definitions that hold nothing else.
void DialogComputedChannels::addRosette()
{
	const RosetteDefinition rosette = rosetteEntries();
	std::vector<RosetteDefinition> rosettes = rosettes_;
	const auto same = std::find_if(rosettes.begin(), rosettes.end(),
			[&](const RosetteDefinition &r) { return r.name == rosette.name; });
	const int row = static_cast<int>(same - rosettes.begin());
	if (same == rosettes.end())
		rosettes.push_back(rosette);
	else
		*same = rosette;
	ChannelDefinitions alone;
	alone.rosettes = rosettes;
	if (const auto fault = checkDefinitions(alone, units_)) {
		prompt_.message(definitionFaultText(*fault), kErrorTitle, Prompt::Icon::Error);
		return;
	}
	rosettes_ = std::move(rosettes);
	showRosettes(row);
}

void DialogComputedChannels::removeRosette()
{
	const int row = lstRosettes->currentRow();
	if (row < 0)
		return;
	rosettes_.erase(rosettes_.begin() + row);
	showRosettes(-1);
}

void DialogComputedChannels::showRosettes(int current)
{
	{
		const QSignalBlocker quiet(lstRosettes);
		lstRosettes->clear();
		for (const RosetteDefinition &r : rosettes_)
			lstRosettes->addItem(rosetteText(r));
		lstRosettes->setCurrentRow(current);
	}
	cmdRemoveRosette->setEnabled(current >= 0);
	showNames();
	showExpressionCheck();
}

void DialogComputedChannels::showNames()
{
	const ChannelDefinitions d = edited();
	nameModel_->setRowCount(0);
	for (const OutputChannel &output : outputChannels(d, units_)) {
		if (output.kind != OutputKind::Computed)
			nameModel_->appendRow(rowItems(
					{shownText(output.name), shownUnitName(output.unit),
							outputChannelDescription(output, d)}));
	}
}

// The channel or rosette a refusal names, to be seen beside the message.
void DialogComputedChannels::selectNamed(const std::string &name)
{
	for (std::size_t row = 0; row < channels_.size(); ++row) {
		if (channels_[row].name == name) {
			tblChannels->setCurrentIndex(
					channelModel_->index(static_cast<int>(row), NameColumn));
			return;
		}
	}
	for (std::size_t row = 0; row < rosettes_.size(); ++row) {
		if (rosettes_[row].name == name)
			lstRosettes->setCurrentRow(static_cast<int>(row));
	}
}

void DialogComputedChannels::OKButton_Click()
{
	const ChannelDefinitions taken = edited();
	if (const auto fault = checkDefinitions(taken, units_)) {
		selectNamed(fault->name);
		prompt_.message(definitionFaultText(*fault), kErrorTitle, Prompt::Icon::Error);
		return;
	}
	definitions_ = taken;
	accept();
}

} // namespace kelvra

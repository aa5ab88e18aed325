#include "DialogSetting.h"

#include "core/Prompt.h"
#include "settings/LongRecordEntries.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
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

QLineEdit *namedLineEdit(const QString &accessibleName, QWidget *parent)
{
	auto *edit = new QLineEdit(parent);
	edit->setAccessibleName(accessibleName);
	edit->setMaximumWidth(90);
	return edit;
}

} // namespace

DialogSetting::DialogSetting(ModuleData &md, TakeZero takeZero, Prompt &prompt, QWidget *parent)
	: QDialog(parent), md_(md), takeZero_(std::move(takeZero)), prompt_(prompt)
{
	setWindowTitle(tr("取込設定"));
	setModal(true);

	auto *frames = new QHBoxLayout;
	frames->addWidget(buildUnitFrame());
	auto *right = new QVBoxLayout;
	right->addWidget(buildIntervalFrame());
	right->addWidget(buildTriggerFrame());
	right->addWidget(buildRecordFrame());
	frames->addLayout(right);

	const DialogButtons buttons = makeDialogButtons(this, QStringLiteral("OK"), tr("ｷｬﾝｾﾙ"));
	OKButton = buttons.ok;
	CancelButton = buttons.cancel;

	auto *layout = new QVBoxLayout(this);
	layout->addLayout(frames);
	layout->addLayout(buttons.layout);

	connect(OKButton, &QPushButton::clicked, this, &DialogSetting::OKButton_Click);
	for (int i = 0; i < kUnitCount; ++i)
		connect(cmdZero[i], &QPushButton::clicked, this, [this, i] { cmdZero_Click(i); });
	for (QCheckBox *box : chkTrg)
		connect(box, &QCheckBox::toggled, this, &DialogSetting::chkTrg_Click);
	connect(chkLongRecord, &QCheckBox::toggled, this, &DialogSetting::SetRecordEnabled);
	connect(cmdBrowse, &QPushButton::clicked, this, &DialogSetting::cmdBrowse_Click);
	connect(txtRecordFolder, &QLineEdit::editingFinished, this, &DialogSetting::showFreeSpace);
	Form_Load();
}

QWidget *DialogSetting::buildUnitFrame()
{
	auto *frame = new QGroupBox(tr("使用ユニット"), this);
	auto *grid = new QGridLayout(frame);
	for (int i = 0; i < kUnitCount; ++i) {
		chkID[i] = new QCheckBox(QStringLiteral("ID%1").arg(i), frame);
		cmdZero[i] = new QPushButton(QStringLiteral("ZERO"), frame);
		cmdZero[i]->setAccessibleName(QStringLiteral("ID%1 ZERO").arg(i));
		cmdZero[i]->setAutoDefault(false);
		grid->addWidget(chkID[i], i, 0);
		grid->addWidget(cmdZero[i], i, 1);
	}
	grid->setRowStretch(kUnitCount, 1);
	return frame;
}

QWidget *DialogSetting::buildIntervalFrame()
{
	auto *frame = new QGroupBox(tr("測定間隔"), this);
	auto *grid = new QGridLayout(frame);
	const QString captions[] = {tr("ミリ秒"), tr("秒")};
	const QString units[] = {QStringLiteral("×10msec"), tr("秒")};
	for (int i = 0; i < 2; ++i) {
		optTimer[i] = new QRadioButton(captions[i], frame);
		txtTime[i] = namedLineEdit(captions[i], frame);
		grid->addWidget(optTimer[i], i, 0);
		grid->addWidget(txtTime[i], i, 1);
		grid->addWidget(new QLabel(units[i], frame), i, 2);
	}
	chkAverage = new QCheckBox(tr("データ値の平均化"), frame);
	grid->addWidget(chkAverage, 2, 0, 1, 3);
	return frame;
}

QWidget *DialogSetting::buildTriggerFrame()
{
	auto *frame = new QGroupBox(tr("トリガ設定"), this);
	auto *grid = new QGridLayout(frame);

	grid->addWidget(new QLabel(tr("トリガレベル"), frame), 0, 0);
	const QString levels[] = {tr("上限トリガ"), tr("下限トリガ")};
	for (int i = 0; i < 2; ++i) {
		chkTrg[i] = new QCheckBox(levels[i], frame);
		txtTrgData[i] = namedLineEdit(levels[i], frame);
		grid->addWidget(chkTrg[i], 0, 1 + 2 * i);
		grid->addWidget(txtTrgData[i], 0, 2 + 2 * i);
	}

	grid->addWidget(new QLabel(tr("取込データ数"), frame), 1, 0);
	const QString counts[] = {tr("トリガ前"), tr("トリガ後")};
	for (int i = 0; i < 2; ++i) {
		auto *label = new QLabel(counts[i], frame);
		txtTrgDatnum[i] = namedLineEdit(counts[i], frame);
		label->setBuddy(txtTrgDatnum[i]);
		grid->addWidget(label, 1, 1 + 2 * i, Qt::AlignRight);
		grid->addWidget(txtTrgDatnum[i], 1, 2 + 2 * i);
	}

	grid->addWidget(new QLabel(tr("使用ユニット", "the unit watched for the trigger"), frame),
			2, 0);
	auto *watched = new QHBoxLayout;
	for (int i = 0; i < kUnitCount; ++i) {
		Option1[i] = new QRadioButton(QStringLiteral("ID%1").arg(i), frame);
		watched->addWidget(Option1[i]);
	}
	grid->addLayout(watched, 2, 1, 1, 4);
	return frame;
}

QWidget *DialogSetting::buildRecordFrame()
{
	auto *frame = new QGroupBox(tr("連続記録"), this);
	auto *grid = new QGridLayout(frame);
	chkLongRecord = new QCheckBox(tr("ファイルへ連続記録"), frame);
	chkLongRecord->setAccessibleName(chkLongRecord->text());
	grid->addWidget(chkLongRecord, 0, 0, 1, 3);

	auto *folderLabel = new QLabel(tr("記録フォルダ"), frame);
	txtRecordFolder = new QLineEdit(frame);
	txtRecordFolder->setAccessibleName(folderLabel->text());
	folderLabel->setBuddy(txtRecordFolder);
	cmdBrowse = new QPushButton(tr("参照..."), frame);
	cmdBrowse->setAutoDefault(false);
	grid->addWidget(folderLabel, 1, 0);
	grid->addWidget(txtRecordFolder, 1, 1);
	grid->addWidget(cmdBrowse, 1, 2);

	auto *splitLabel = new QLabel(tr("分割"), frame);
	cboSplit = new QComboBox(frame);
	cboSplit->addItems({tr("しない"), tr("1時間"), tr("1日")});
	cboSplit->setAccessibleName(splitLabel->text());
	splitLabel->setBuddy(cboSplit);
	grid->addWidget(splitLabel, 2, 0);
	grid->addWidget(cboSplit, 2, 1, Qt::AlignLeft);

	chkRepeatTrigger = new QCheckBox(tr("繰り返しトリガ"), frame);
	chkRepeatTrigger->setAccessibleName(chkRepeatTrigger->text());
	grid->addWidget(chkRepeatTrigger, 3, 0, 1, 3);

	txtHook = addRecordLine(grid, 4, tr("イベントで実行"),
			QStringLiteral("/usr/local/bin/kelvra-mail"));
	txtHook->setToolTip(
			tr("異常、切断、再接続、ディスクの障害、空き容量不足、再開、"
			   "測定の終わりごとに実行するコマンド (シェルは通さない)"));
	txtHookKinds = addRecordLine(
			grid, 5, tr("実行するイベント"), tr("すべて (alarm,dropout,…)"));
	txtMinFree = addRecordLine(grid, 6, tr("最小空き容量"), tr("2GB か 6h"));
	txtServe = addRecordLine(grid, 7, tr("状態ページ"), QStringLiteral("127.0.0.1:8080"));
	txtServeToken = addRecordLine(grid, 8, tr("トークン"), tr("ループバック以外では必要"));
	txtServeToken->setEchoMode(QLineEdit::Password);

	lblFreeSpace = new QLabel(frame);
	grid->addWidget(lblFreeSpace, 9, 0, 1, 3);
	return frame;
}

// A captioned line of the recording frame, its caption its accessible name.
QLineEdit *DialogSetting::addRecordLine(
		QGridLayout *grid, int row, const QString &caption, const QString &placeholder)
{
	auto *label = new QLabel(caption, grid->parentWidget());
	auto *edit = new QLineEdit(grid->parentWidget());
	edit->setAccessibleName(caption);
	edit->setPlaceholderText(placeholder);
	label->setBuddy(edit);
	grid->addWidget(label, row, 0);
	grid->addWidget(edit, row, 1, 1, 2);
	return edit;
}

LongRecordSettings DialogSetting::longRecord() const
{
	LongRecordSettings s;
	s.enabled = chkLongRecord->isChecked();
	s.folder = txtRecordFolder->text().trimmed();
	s.split = static_cast<SplitPeriod>(cboSplit->currentIndex());
	s.repeatTrigger = chkRepeatTrigger->isChecked();
	s.hookCommand = txtHook->text().trimmed();
	s.hookKinds = txtHookKinds->text().trimmed();
	s.minFree = txtMinFree->text().trimmed();
	s.serveAddress = txtServe->text().trimmed();
	s.serveToken = txtServeToken->text();
	return s;
}

void DialogSetting::SetRecordEnabled()
{
	const bool on = chkLongRecord->isChecked();
	for (QWidget *control : std::initializer_list<QWidget *>{txtRecordFolder, cmdBrowse,
			     cboSplit, txtHook, txtHookKinds, txtMinFree, txtServe, txtServeToken})
		control->setEnabled(on);
	chkRepeatTrigger->setEnabled(on && (chkTrg[0]->isChecked() || chkTrg[1]->isChecked()));
	showFreeSpace();
}

void DialogSetting::showFreeSpace()
{
	lblFreeSpace->setText(chkLongRecord->isChecked()
					? FreeSpaceText(md_, txtRecordFolder->text().trimmed())
					: QString());
}

void DialogSetting::cmdBrowse_Click()
{
	const QString folder = prompt_.askFolder(txtRecordFolder->text());
	if (folder.isEmpty())
		return;
	txtRecordFolder->setText(QDir::toNativeSeparators(folder));
	showFreeSpace();
}

void DialogSetting::Form_Load()
{
	const SettingEntries entries = LoadSettingEntries(md_);
	for (int i = 0; i < kUnitCount; ++i)
		chkID[i]->setChecked(entries.unitTicked[i]);
	optTimer[entries.milliseconds ? 0 : 1]->setChecked(true);
	txtTime[0]->setText(entries.timeSteps);
	txtTime[1]->setText(entries.timeSeconds);
	chkAverage->setChecked(entries.average);
	for (int i = 0; i < 2; ++i) {
		chkTrg[i]->setChecked(entries.triggerTicked[i]);
		txtTrgData[i]->setText(entries.triggerLevel[i]);
		txtTrgDatnum[i]->setText(entries.triggerCount[i]);
	}
	if (entries.triggerUnit >= 0)
		Option1[entries.triggerUnit]->setChecked(true);
	SetTrgEnabled(entries.triggerTicked[0] || entries.triggerTicked[1]);
	chkLongRecord->setChecked(md_.LongRecord.enabled);
	txtRecordFolder->setText(md_.LongRecord.folder);
	cboSplit->setCurrentIndex(static_cast<int>(md_.LongRecord.split));
	chkRepeatTrigger->setChecked(md_.LongRecord.repeatTrigger);
	txtHook->setText(md_.LongRecord.hookCommand);
	txtHookKinds->setText(md_.LongRecord.hookKinds);
	txtMinFree->setText(md_.LongRecord.minFree);
	txtServe->setText(md_.LongRecord.serveAddress);
	txtServeToken->setText(md_.LongRecord.serveToken);
	SetRecordEnabled();
}

SettingEntries DialogSetting::entries() const
{
	SettingEntries entries;
	for (int i = 0; i < kUnitCount; ++i) {
		entries.unitTicked[i] = chkID[i]->isChecked();
		if (Option1[i]->isChecked())
			entries.triggerUnit = i;
	}
	entries.milliseconds = optTimer[0]->isChecked();
	entries.timeSteps = txtTime[0]->text();
	entries.timeSeconds = txtTime[1]->text();
	entries.average = chkAverage->isChecked();
	for (int i = 0; i < 2; ++i) {
		entries.triggerTicked[i] = chkTrg[i]->isChecked();
		entries.triggerLevel[i] = txtTrgData[i]->text();
		entries.triggerCount[i] = txtTrgDatnum[i]->text();
	}
	return entries;
}

void DialogSetting::SetTrgEnabled(bool enable)
{
	for (QRadioButton *option : Option1)
		option->setEnabled(enable);
	for (int i = 0; i < 2; ++i) {
		txtTrgData[i]->setEnabled(chkTrg[i]->isChecked());
		txtTrgDatnum[i]->setEnabled(enable);
	}
}

void DialogSetting::chkTrg_Click()
{
	SetTrgEnabled(chkTrg[0]->isChecked() || chkTrg[1]->isChecked());
	SetRecordEnabled();
}

void DialogSetting::OKButton_Click()
{
	const SettingEntries current = entries();
	const QString error = CheckSettings(current, md_);
	if (!error.isEmpty()) {
		prompt_.message(error, kErrorTitle, Prompt::Icon::Error);
		return;
	}
	const LongRecordSettings record = longRecord();
	if (record.enabled) {
		if (const QString problem = CheckRecordFolder(record.folder); !problem.isEmpty()) {
			prompt_.message(problem, kErrorTitle, Prompt::Icon::Error);
			return;
		}
		if (const UnattendedCheck check = CheckUnattended(record); !check.options) {
			prompt_.message(check.message, kErrorTitle, Prompt::Icon::Error);
			return;
		}
	}
	ApplySettings(current, md_);
	md_.LongRecord = record;
	md_.SettingOK = kTrue;
	accept();
}

void DialogSetting::cmdZero_Click(int index)
{
	zeroing_ = true;
	setEnabled(false);
	setCursor(Qt::WaitCursor);
	takeZero_(index, chkID[index]->isChecked());
	unsetCursor();
	setEnabled(true);
	zeroing_ = false;
}

void DialogSetting::reject()
{
	if (!zeroing_)
		QDialog::reject();
}

void DialogSetting::closeEvent(QCloseEvent *event)
{
	if (zeroing_)
		event->ignore();
	else
		QDialog::closeEvent(event);
}

} // namespace kelvra

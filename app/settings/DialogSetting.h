#pragma once

// "取込設定": units in use with their ZERO buttons, the measuring interval and
// how it is timed, averaging and the trigger. The checks and how the entries
// are applied live in SettingEntries; the dialog only shows and collects them.

#include "core/ModuleData.h"
#include "settings/SettingEntries.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvra {

class Prompt;

class DialogSetting : public QDialog {
	Q_OBJECT

public:
	// ZERO takes a unit's zero reference through this: the unit, and whether
	// its check box is ticked.
	using TakeZero = std::function<void(int unit, bool ticked)>;

	DialogSetting(ModuleData &md, TakeZero takeZero, Prompt &prompt, QWidget *parent = nullptr);

	// The entries as the controls show them now.
	SettingEntries entries() const;

	void OKButton_Click();
	void cmdZero_Click(int index);

	std::array<QCheckBox *, kUnitCount> chkID{};
	std::array<QPushButton *, kUnitCount> cmdZero{};
	std::array<QRadioButton *, 2> optTimer{};
	std::array<QLineEdit *, 2> txtTime{};
	QCheckBox *chkAverage = nullptr;
	std::array<QCheckBox *, 2> chkTrg{};
	std::array<QLineEdit *, 2> txtTrgData{};
	std::array<QLineEdit *, 2> txtTrgDatnum{};
	std::array<QRadioButton *, kUnitCount> Option1{};
	QCheckBox *chkLongRecord = nullptr;
	QLineEdit *txtRecordFolder = nullptr;
	QPushButton *cmdBrowse = nullptr;
	QComboBox *cboSplit = nullptr;
	QCheckBox *chkRepeatTrigger = nullptr;
	QLabel *lblFreeSpace = nullptr;
	// Unattended runs: the hook, its kinds, the least free space, the status page.
	QLineEdit *txtHook = nullptr;
	QLineEdit *txtHookKinds = nullptr;
	QLineEdit *txtMinFree = nullptr;
	QLineEdit *txtServe = nullptr;
	QLineEdit *txtServeToken = nullptr;
	QPushButton *OKButton = nullptr;
	QPushButton *CancelButton = nullptr;

public Q_SLOTS:
	void reject() override;

protected:
	void closeEvent(QCloseEvent *event) override;

private:
	QWidget *buildUnitFrame();
	QWidget *buildIntervalFrame();
	QWidget *buildTriggerFrame();
	QWidget *buildRecordFrame();
	// The long-recording settings as the controls show them now.
	LongRecordSettings longRecord() const;
	QLineEdit *addRecordLine(QGridLayout *grid, int row, const QString &caption,
			const QString &placeholder);
	void SetRecordEnabled();
	void showFreeSpace();
	void cmdBrowse_Click();
	void Form_Load();
	void SetTrgEnabled(bool enable);
	void chkTrg_Click();

	ModuleData &md_;
	TakeZero takeZero_;
	Prompt &prompt_;
	bool zeroing_ = false; // a ZERO reading is under way: nothing else may happen
};

} // namespace kelvra

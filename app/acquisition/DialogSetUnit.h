#pragma once

// "単位設定": the display unit, and per unit in use the sensor's rated output
// with its own unit and the rated capacity. The checks and how the entries
// are saved live in UnitEntries; the dialog only shows and collects them.

#include "acquisition/UnitEntries.h"
#include "core/ModuleData.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvra {

class Prompt;

class DialogSetUnit : public QDialog {
	Q_OBJECT

public:
	DialogSetUnit(ModuleData &md, Prompt &prompt, QWidget *parent = nullptr);

	// True once the dialog was closed with OK.
	bool GetDlgButton() const { return accepted_; }

	UnitEntries entries() const;
	void OKButton_Click();

	std::array<QLineEdit *, kUnitCount> txtPower{};
	// Per unit: "mV/V" and "μひずみ".
	std::array<std::array<QRadioButton *, 2>, kUnitCount> optPower{};
	std::array<QLineEdit *, kUnitCount> txtCapacity{};
	std::array<QLabel *, kUnitCount> lblSign{};
	std::array<QRadioButton *, 6> optUintsBtn{};
	QPushButton *OKButton = nullptr;
	QPushButton *CancelButton = nullptr;

private:
	QWidget *buildUnitFrame();
	QWidget *buildSingFrame();
	void LoadUnitData();
	void SetUnitSign();
	void SetUnitEnabled(int unit, bool on);
	int selectedSing() const;

	ModuleData &md_;
	Prompt &prompt_;
	bool accepted_ = false;
};

} // namespace kelvra

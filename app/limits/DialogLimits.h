#pragma once

// "リミット設定": for each unit in use a warning and an alarm level above and
// below, each with its own check box, and the hysteresis; whether an alarm
// beeps. The checks live in LimitEntries; the dialog shows and collects them.

#include "LimitEntries.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kelvra {

class Prompt;

class DialogLimits : public QDialog {
	Q_OBJECT

public:
	DialogLimits(const ModuleData &md, const LimitSettings &limits, Prompt &prompt,
			QWidget *parent = nullptr);

	// The limits taken with OK.
	const LimitSettings &limits() const { return limits_; }
	LimitEntries entries() const;

	void OKButton_Click();

	// Indexed [unit][level][side]; null for a unit not in use.
	std::array<std::array<std::array<QCheckBox *, 2>, 2>, kUnitCount> chkLevel{};
	std::array<std::array<std::array<QLineEdit *, 2>, 2>, kUnitCount> txtLevel{};
	std::array<QLineEdit *, kUnitCount> txtHysteresis{};
	QCheckBox *chkBeep = nullptr;
	QPushButton *OKButton = nullptr;
	QPushButton *CancelButton = nullptr;

private:
	QWidget *buildLevelFrame();

	const ModuleData &md_;
	Prompt &prompt_;
	LimitSettings limits_;
};

} // namespace kelvra

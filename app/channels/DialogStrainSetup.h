#pragma once

// "ひずみ設定": a unit's bridge with its gauges, the tare, a scaling table and
// a modulus that gives the unit a stress channel, for the units in use one at
// a time (the selector keeps what was typed for each). Only for units shown
// in microstrain: with a load the dialog says why and takes nothing. On OK
// the definitions' one check judges every entry; the dialog gives new
// definitions only once they pass, and stays open with the entries as typed
// when they do not.

#include "ChannelDefinitions.h"
#include "DefinitionEntries.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kelvra {

class HeaderNamedModel;
class Prompt;

class DialogStrainSetup : public QDialog {
	Q_OBJECT

public:
	// Shows `unit` first, or the first unit in use when it is not.
	DialogStrainSetup(const ChannelDefinitions &definitions, const MeasuredUnits &units,
			int unit, Prompt &prompt, QWidget *parent = nullptr);

	// The definitions taken with OK; until then those given.
	const ChannelDefinitions &definitions() const { return definitions_; }
	// The unit whose entries are shown; -1 with none in use.
	int shownUnit() const { return shown_; }

	void OKButton_Click();

	QComboBox *cboUnit = nullptr;
	QComboBox *cboBridge = nullptr;
	QLineEdit *txtGaugeFactor = nullptr;
	QLineEdit *txtPoisson = nullptr;
	QLineEdit *txtLeadOhm = nullptr;
	QLineEdit *txtGaugeOhm = nullptr;
	QCheckBox *chkTare = nullptr;
	QLineEdit *txtTareSamples = nullptr;
	QGroupBox *grpScale = nullptr; // ticked: the unit has a scaling table
	QTableView *tblScale = nullptr;
	QPushButton *cmdAddRow = nullptr;
	QPushButton *cmdRemoveRow = nullptr;
	QLineEdit *txtScaleUnit = nullptr;
	QGroupBox *grpStress = nullptr; // ticked: the unit has a stress channel
	QLineEdit *txtModulus = nullptr;
	QLabel *lblNote = nullptr; // why nothing can be set, when so
	QPushButton *OKButton = nullptr;
	QPushButton *CancelButton = nullptr;

private:
	QWidget *buildUnitRow();
	QWidget *buildBridgeFrame();
	QWidget *buildTareFrame();
	QWidget *buildScaleFrame();
	QWidget *buildStressFrame();
	void connectEntries();
	void showUnit(int index);
	void loadShown();
	void storeShown();
	void setBridgeEntriesEnabled();
	void setRowButtonsEnabled();
	void addScaleRow();
	void removeScaleRow();
	void setScaleRows(const std::vector<ScaleRowEntry> &rows);
	std::vector<ScaleRowEntry> scaleRows() const;
	void refuseAll(const QString &why);

	const MeasuredUnits units_;
	Prompt &prompt_;
	ChannelDefinitions definitions_;
	std::array<UnitSetupEntries, kDefinitionUnits> entries_{};
	std::vector<int> selectable_; // the units in use, as the selector lists them
	int shown_ = -1;
	HeaderNamedModel *scaleModel_ = nullptr;
};

} // namespace kelvra

#pragma once

// "演算チャンネル": the computed channels NAME = EXPRESSION with their unit
// names, in the order they are computed (a channel reads those above it),
// and the rosettes, which a helper adds and whose outputs the expressions
// may read. The line under the expression says as it is typed where the
// parser refuses it. On OK the definitions' one check judges the whole; the
// dialog gives new definitions only once they pass, and stays open with the
// entries as typed when they do not.

#include "ChannelDefinitions.h"

#include <QDialog>

#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace kelvra {

class HeaderNamedModel;
class Prompt;

class DialogComputedChannels : public QDialog {
	Q_OBJECT

public:
	DialogComputedChannels(const ChannelDefinitions &definitions, const MeasuredUnits &units,
			Prompt &prompt, QWidget *parent = nullptr);

	// The definitions taken with OK; until then those given.
	const ChannelDefinitions &definitions() const { return definitions_; }

	void OKButton_Click();

	// The columns of the channels' table. A channel's limit levels are to
	// follow the unit, as columns here and as entries after txtUnit.
	enum Column { NameColumn, ExpressionColumn, UnitColumn, ColumnCount };

	// The channels; the entries below edit the current row.
	QTableView *tblChannels = nullptr;
	QPushButton *cmdAdd = nullptr;
	QPushButton *cmdRemove = nullptr;
	QPushButton *cmdUp = nullptr;
	QPushButton *cmdDown = nullptr;
	QLineEdit *txtName = nullptr;
	QLineEdit *txtExpression = nullptr;
	QLineEdit *txtUnit = nullptr;
	QLabel *lblExpression = nullptr; // what the parser says of the expression
	// What an expression reads beside the channels: the units, their
	// stress channels and the rosettes' outputs.
	QTableView *tblNames = nullptr;

	// The rosette helper: its entries, the rosettes defined.
	QComboBox *cboLayout = nullptr;
	std::array<QComboBox *, 3> cboGauge{}; // A, B, C
	QLineEdit *txtRosetteName = nullptr;
	QGroupBox *grpMaterial = nullptr; // ticked: the rosette gives stresses
	QLineEdit *txtRosetteModulus = nullptr;
	QLineEdit *txtRosettePoisson = nullptr;
	QPushButton *cmdAddRosette = nullptr; // under a name defined, redefines it
	QListWidget *lstRosettes = nullptr;
	QPushButton *cmdRemoveRosette = nullptr;

	QPushButton *OKButton = nullptr;
	QPushButton *CancelButton = nullptr;

private:
	QWidget *buildChannelFrame();
	QWidget *buildNameFrame();
	QWidget *buildRosetteFrame();
	void connectChannels();
	void connectRosettes();

	ChannelDefinitions edited() const;
	int currentChannel() const;
	void showChannels(int current);
	void showChannelRow(int row);
	void loadEditor();
	void editChannel(std::string ComputedChannel::*field, const QString &text);
	void addChannel();
	void removeChannel();
	void moveChannel(int by);
	void setChannelButtonsEnabled();
	void showExpressionCheck();

	RosetteDefinition rosetteEntries() const;
	void loadRosetteEntries(const RosetteDefinition &rosette);
	void addRosette();
	void removeRosette();
	void showRosettes(int current);
	void showNames();
	void selectNamed(const std::string &name);

	const MeasuredUnits units_;
	Prompt &prompt_;
	ChannelDefinitions definitions_;
	std::vector<RosetteDefinition> rosettes_;
	std::vector<ComputedChannel> channels_;
	std::vector<int> selectable_; // the units in use, as the gauges' lists hold them
	HeaderNamedModel *channelModel_ = nullptr;
	HeaderNamedModel *nameModel_ = nullptr;
};

} // namespace kelvra

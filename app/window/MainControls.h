#pragma once

// The main window's controls below and beside the graph: the "表示範囲"
// group, the "現在値" group and the command column, with the four buttons
// in the window's corners that open the move tool. They are the graph
// view's and the current values' view of the window.

#include "core/ModuleData.h"
#include "display/CurrentValues.h"
#include "display/ViewControls.h"

#include <QCoreApplication>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSize;
class QWidget;

namespace kelvra {

class MainControls : public ViewControls, public ValueLabels {
	Q_DECLARE_TR_FUNCTIONS(MainControls)

public:
	QWidget *buildRangeGroup(QWidget *parent);
	QWidget *buildValueGroup(QWidget *parent);
	QWidget *buildCommandColumn(QWidget *parent);
	// On the window itself, placed by placeMoveButtons.
	void buildMoveButtons(QWidget *window);
	void placeMoveButtons(const QSize &window);

	// The buttons a run in progress must not reach, disabled while it lasts.
	void showRunning(bool running);

	// ViewControls
	void setScrollButtonsEnabled(bool enabled) override;
	void setCountListEnabled(bool enabled) override;
	void setCountList(const QStringList &items, int selected) override;
	int32_t countListValue() const override;
	void showScrollMode(int index) override;
	void showScaleMode(int index) override;
	void setScaleInputs(bool enabled, const QString &top, const QString &bottom) override;
	QString scaleTopText() const override;
	QString scaleBottomText() const override;

	// ValueLabels
	void setValueText(int unit, const QString &text) override;

	QPushButton *start = nullptr;
	QPushButton *stop = nullptr;
	QPushButton *setting = nullptr;
	QPushButton *unitSetting = nullptr;
	QPushButton *saveConditions = nullptr;
	QPushButton *dataList = nullptr;
	QPushButton *save = nullptr;
	QPushButton *read = nullptr;
	QPushButton *print = nullptr;
	QPushButton *end = nullptr;
	QButtonGroup *scrollGroup = nullptr;
	QButtonGroup *scaleGroup = nullptr;
	QComboBox *countList = nullptr;
	QPushButton *scrollLeft = nullptr;
	QPushButton *scrollRight = nullptr;
	QPushButton *setScale = nullptr;
	QPushButton *limit = nullptr;
	std::array<QLabel *, kUnitCount> values{};
	QPushButton *acknowledge = nullptr;
	QPushButton *mark = nullptr;
	QPushButton *events = nullptr;
	std::array<QPushButton *, 4> move{};

private:
	std::array<QRadioButton *, 3> scrollModes_{};
	std::array<QRadioButton *, 2> scaleModes_{};
	QLineEdit *scaleTop_ = nullptr;
	QLineEdit *scaleBottom_ = nullptr;
};

} // namespace kelvra

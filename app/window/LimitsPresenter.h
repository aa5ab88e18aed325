#pragma once

// The limits as the main window shows them: "リミット" edits them, the
// current values turn amber or red while a unit's state is latched, an
// alarm beeps when asked to, and "確認" acknowledges what was latched.

#include "core/ModuleData.h"
#include "core/Prompt.h"
#include "limits/LimitMonitor.h"

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace kelvra {

class LimitsPresenter : public QObject {
	Q_OBJECT

public:
	using ShowModal = std::function<void(QDialog &)>;

	LimitsPresenter(const ModuleData &md, LimitMonitor &monitor, Prompt &prompt,
			const ShowModal &showModal, const std::array<QLabel *, kUnitCount> &values,
			QPushButton *acknowledge, QWidget *dialogParent);

	// Opens the limits dialog; what it accepts applies from the next sample.
	void edit();
	void acknowledge();
	void eventsSeen(const std::vector<LimitEvent> &events);
	void showStates();

private:
	const ModuleData &md_;
	LimitMonitor &monitor_;
	Prompt &prompt_;
	const ShowModal &showModal_;
	std::array<QLabel *, kUnitCount> values_;
	QPushButton *acknowledge_;
	QWidget *dialogParent_;
};

} // namespace kelvra

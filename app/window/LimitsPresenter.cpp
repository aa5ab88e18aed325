#include "LimitsPresenter.h"

#include "limits/DialogLimits.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace kelvra {

LimitsPresenter::LimitsPresenter(const ModuleData &md, LimitMonitor &monitor, Prompt &prompt,
		const ShowModal &showModal, const std::array<QLabel *, kUnitCount> &values,
		QPushButton *acknowledge, QWidget *dialogParent)
	: QObject(dialogParent), md_(md), monitor_(monitor), prompt_(prompt), showModal_(showModal),
	  values_(values), acknowledge_(acknowledge), dialogParent_(dialogParent)
{
	connect(acknowledge_, &QPushButton::clicked, this, &LimitsPresenter::acknowledge);
}

void LimitsPresenter::edit()
{
	DialogLimits dialog(md_, monitor_.limits(), prompt_, dialogParent_);
	showModal_(dialog);
	if (dialog.result() == QDialog::Accepted) {
		monitor_.setLimits(dialog.limits());
		showStates();
	}
}

void LimitsPresenter::acknowledge()
{
	monitor_.acknowledge();
	showStates();
}

void LimitsPresenter::eventsSeen(const std::vector<LimitEvent> &events)
{
	const bool alarm = std::any_of(events.begin(), events.end(),
			[](const LimitEvent &e) { return e.kind == LimitEvent::Kind::Alarm; });
	if (alarm && monitor_.limits().beep)
		QApplication::beep();
	showStates();
}

void LimitsPresenter::showStates()
{
	bool latched = false;
	for (int u = 0; u < kUnitCount; ++u) {
		const LimitState state = monitor_.latched(u);
		latched = latched || state != LimitState::Normal;
		// Told in words as well, so the state is not told by colour alone.
		switch (state) {
		case LimitState::Normal:
			values_[u]->setStyleSheet(QString());
			values_[u]->setAccessibleDescription(QString());
			break;
		case LimitState::Warning:
			values_[u]->setStyleSheet(
					QStringLiteral("background-color: #ffbf00; color: black;"));
			values_[u]->setAccessibleDescription(tr("警告"));
			break;
		case LimitState::Alarm:
			values_[u]->setStyleSheet(
					QStringLiteral("background-color: #e00000; color: white;"));
			values_[u]->setAccessibleDescription(tr("異常"));
			break;
		}
	}
	acknowledge_->setEnabled(latched);
}

} // namespace kelvra

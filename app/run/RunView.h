#pragma once

// What a measurement run asks of the window: command states, graph set-up,
// following and drawing, current values and the header. The main window,
// the command-line recorder and the tests each implement it.

#include "core/ModuleData.h"

#include <QString>

namespace kelvra {

class RunView {
public:
	virtual ~RunView() = default;

	// Buttons for the idle or the measuring state, as MeasFlag says.
	virtual void SetButtonState() = 0;
	// Unloads the data list window when it is open.
	virtual void CloseDataList() = 0;

	virtual void SuspendRedraw() = 0;
	virtual void ResumeRedraw() = 0;

	// View set-up at the start of a run; -1 when the run may go on.
	virtual Flag SetGraphParam() = 0;
	virtual void FollowAxisX() = 0;
	// expandOnly 0: the Y scale anew from all samples; -1: only widened to
	// take the newest ones.
	virtual void FollowAxisY(Flag expandOnly) = 0;

	virtual void GrDrawData(int32_t n) = 0;
	virtual void GrDrawData2(int32_t first, int32_t last) = 0;
	virtual void DrawTrigLine(Flag show) = 0;
	virtual void SetHeaderText(const QString &text) = 0;
	// Header and X axis title of a trigger run stopped by the user.
	virtual void SetTriggerStopTitles(const QString &header, const QString &xTitle) = 0;

	virtual void ShowCurrentValues() = 0;
	virtual void ShowCurrentValuesByNum() = 0;
	virtual void ShowCurrentValuesTrg() = 0;
};

} // namespace kelvra

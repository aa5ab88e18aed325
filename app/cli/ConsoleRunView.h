#pragma once

// The run's view of a window that is not there: progress on standard error
// when that is a terminal, nothing else.

#include "run/RunView.h"

namespace kelvra::cli {

class ConsoleRunView : public RunView {
public:
	void SetButtonState() override {}
	void CloseDataList() override {}
	void SuspendRedraw() override {}
	void ResumeRedraw() override {}
	Flag SetGraphParam() override { return kTrue; }
	void FollowAxisX() override {}
	void FollowAxisY(Flag) override {}
	void GrDrawData(int32_t) override {}
	void GrDrawData2(int32_t, int32_t) override {}
	void DrawTrigLine(Flag) override {}
	void SetHeaderText(const QString &) override {}
	void SetTriggerStopTitles(const QString &, const QString &) override {}
	void ShowCurrentValues() override {}
	void ShowCurrentValuesByNum() override {}
	void ShowCurrentValuesTrg() override {}
};

} // namespace kelvra::cli

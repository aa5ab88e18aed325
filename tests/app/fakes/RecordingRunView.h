#pragma once

// Logs what the run asks of the window, in order.

#include "run/RunView.h"

#include <QStringList>

namespace kelvra::testing {

class RecordingRunView : public RunView {
public:
	explicit RecordingRunView(ModuleData &md, QStringList &log) : md_(md), log_(log) {}

	Flag graphParamResult = kTrue;

	void SetButtonState() override
	{
		log_ << (md_.MeasFlag == kTrue ? QStringLiteral("buttons measuring")
					       : QStringLiteral("buttons idle"));
	}
	void CloseDataList() override { log_ << QStringLiteral("close list"); }
	void SuspendRedraw() override { log_ << QStringLiteral("suspend"); }
	void ResumeRedraw() override { log_ << QStringLiteral("resume"); }
	Flag SetGraphParam() override
	{
		log_ << QStringLiteral("graph param");
		return graphParamResult;
	}
	void FollowAxisX() override { log_ << QStringLiteral("follow x"); }
	void FollowAxisY(Flag expandOnly) override
	{
		log_ << QStringLiteral("follow y %1").arg(expandOnly);
	}
	void GrDrawData(int32_t n) override { log_ << QStringLiteral("draw %1").arg(n); }
	void GrDrawData2(int32_t first, int32_t last) override
	{
		log_ << QStringLiteral("draw %1-%2").arg(first).arg(last);
	}
	void DrawTrigLine(Flag show) override
	{
		log_ << QStringLiteral("trigger line %1").arg(show);
	}
	void SetHeaderText(const QString &text) override
	{
		log_ << QStringLiteral("header ") + text;
	}
	void SetTriggerStopTitles(const QString &header, const QString &xTitle) override
	{
		log_ << QStringLiteral("header ") + header << QStringLiteral("x title ") + xTitle;
	}
	void ShowCurrentValues() override { log_ << QStringLiteral("values"); }
	void ShowCurrentValuesByNum() override { log_ << QStringLiteral("values by num"); }
	void ShowCurrentValuesTrg() override { log_ << QStringLiteral("values trg"); }

private:
	ModuleData &md_;
	QStringList &log_;
};

} // namespace kelvra::testing

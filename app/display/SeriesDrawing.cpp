#include "SeriesDrawing.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

namespace kelvra {

SeriesDrawing::SeriesDrawing(const ModuleData &md, Chart &chart, GraphView &view)
	: md_(md), chart_(chart), view_(view)
{
}

void SeriesDrawing::InitGraph()
{
	chart_.setRedrawSuspended(true);
	chart_.reset();
	SetGraphStyle();
	DispConnectflg();
	chart_.setRedrawSuspended(false);
}

void SeriesDrawing::SetGraphStyle()
{
	// Plain lines without symbols are the chart's own style.
}

void SeriesDrawing::DispConnectflg()
{
	chart_.setSeriesLabels({QStringLiteral("ID0 "), QStringLiteral("ID1 "),
			QStringLiteral("ID2 "), QStringLiteral("ID3 ")});
}

double SeriesDrawing::pointX(int32_t p) const
{
	const double seconds = md_.IntervalTM / 1000.0;
	if (md_.TrgMode != kFalse)
		return (p - (md_.TrgDnum1 + 1.0)) * seconds; // the trigger sample sits at 0
	return static_cast<double>(p + md_.DataOffset) * seconds;
}

void SeriesDrawing::drawPoint(int unit, int32_t p)
{
	const float value = md_.SampleAt(unit, p);
	const double y = value == kNoData ? std::numeric_limits<double>::quiet_NaN() : value;
	chart_.setPoint(unit, p, pointX(p), y);
}

void SeriesDrawing::GrDrawData(int32_t p)
{
	for (int u = 0; u < kUnitCount; ++u) {
		chart_.setPointCount(u, p);
		if (md_.Channels[u].inUse())
			drawPoint(u, p);
	}
}

void SeriesDrawing::GrDrawData2(int32_t first, int32_t last)
{
	first = std::max(first, 1);
	last = std::min(last, kBufferLength);
	for (int u = 0; u < kUnitCount; ++u) {
		chart_.setPointCount(u, md_.DataCount);
		if (!md_.Channels[u].inUse())
			continue;
		for (int32_t p = first; p <= last; ++p)
			drawPoint(u, p);
	}
}

void SeriesDrawing::DrawTrigLine(Flag show)
{
	view_.ApplyAxisX();
	chart_.setTriggerLine(show == kTrue, 0.0);
	if (md_.TrgMode != kFalse)
		chart_.setHeader(QCoreApplication::translate("SeriesDrawing", "開始時刻 [ ") +
				md_.StartTimeStr + QStringLiteral(" ]"));
}

void SeriesDrawing::SetHeaderText(const QString &text)
{
	chart_.setHeader(text);
}

void SeriesDrawing::SetGraphTitles()
{
	chart_.setRedrawSuspended(true);
	GrDrawData(1);
	DrawTrigLine(kFalse);
	if (md_.TrgMaxFlag == kTrue || md_.TrgMinFlag == kTrue) {
		chart_.setHeader(QCoreApplication::translate("SeriesDrawing", "トリガ時刻 [ ") +
				md_.StartTimeStr + QStringLiteral(" ]"));
		chart_.setXTitle(QCoreApplication::translate(
				"SeriesDrawing", "トリガの経過時間（秒）"));
	} else {
		chart_.setHeader(QCoreApplication::translate("SeriesDrawing", "開始時刻 [ ") +
				md_.StartTimeStr + QStringLiteral(" ]"));
		chart_.setXTitle(QCoreApplication::translate(
				"SeriesDrawing", "開始からの経過時間（秒）"));
	}
	chart_.setYTitle(ShownUnitText(md_.GetSingStr()));
	chart_.setRedrawSuspended(false);
}

} // namespace kelvra

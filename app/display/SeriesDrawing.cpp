#include "SeriesDrawing.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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

SeriesDrawing::XScale SeriesDrawing::xScale() const
{
	return {md_.settings.IntervalTM / 1000.0, md_.GraphOrigin()};
}

double SeriesDrawing::pointX(int32_t p) const
{
	return xScale().at(p);
}

namespace {

float shownValue(float value)
{
	return value == kNoData ? std::numeric_limits<float>::quiet_NaN() : value;
}

} // namespace

void SeriesDrawing::GrDrawData(int32_t p)
{
	for (int u = 0; u < kUnitCount; ++u) {
		chart_.setPointCount(u, p);
		if (md_.Channels[u].inUse())
			chart_.setPoint(u, p, pointX(p), shownValue(md_.SampleAt(u, p)));
	}
}

// Straight from the buffer when it is not a trigger window: this runs over
// every sample of a full redraw.
void SeriesDrawing::readShown(int unit, int32_t first, std::span<float> out) const
{
	if (md_.TrgMode == kFalse) {
		const float *from = md_.Channels[unit].Data.data() + (first - 1);
		std::transform(from, from + out.size(), out.begin(),
				[](float value) { return shownValue(value); });
		return;
	}
	for (std::size_t i = 0; i < out.size(); ++i)
		out[i] = shownValue(md_.SampleAt(unit, first + static_cast<int32_t>(i)));
}

void SeriesDrawing::GrDrawData2(int32_t first, int32_t last)
{
	first = std::max(first, 1);
	last = std::min(last, kBufferLength);
	const XScale scale = xScale(); // worked out once: a full redraw is 352000 points
	std::vector<double> xs(std::max(last - first + 1, 0));
	for (std::size_t i = 0; i < xs.size(); ++i)
		xs[i] = scale.at(first + static_cast<int32_t>(i));
	std::vector<float> ys(xs.size());
	for (int u = 0; u < kUnitCount; ++u) {
		chart_.setPointCount(u, md_.DataCount);
		if (!md_.Channels[u].inUse() || xs.empty())
			continue;
		readShown(u, first, ys);
		chart_.setPoints(u, first, xs, ys);
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
	if (md_.settings.TrgMaxFlag == kTrue || md_.settings.TrgMinFlag == kTrue) {
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

#include "GraphView.h"

#include "core/NumberText.h"
#include "core/RunClock.h"

#include <QCoreApplication>
#include <cmath>

namespace kelvra {

namespace {

const char *const kBadScaleText = QT_TRANSLATE_NOOP("GraphView", "設定値に誤りがあります。");

// One wheel step shows this share of the span.
constexpr double kWheelZoom = 0.8;

float roundedWhole(float value)
{
	return static_cast<float>(roundHalfEven(value));
}

} // namespace

GraphView::GraphView(ModuleData &md, Chart &chart, ViewControls &controls, Prompt &prompt)
	: md_(md), chart_(chart), controls_(controls), prompt_(prompt)
{
}

void GraphView::InitDispNumList()
{
	QStringList counts;
	for (int power = 10; power <= 10000; power *= 10) {
		for (int j = 1; j <= 9; ++j)
			counts << QString::number(j * power);
	}
	controls_.setCountList(counts, 9); // "100"
}

void GraphView::InitGraphParam(bool fromData)
{
	md_.DispStart = 1;
	md_.ScrollMode = XAxisMode::All;
	md_.DispDataNum = md_.DispEnd = fromData ? md_.DataCount : 100;
	md_.ScaleYMax = roundedWhole(md_.RangeMax);
	md_.ScaleYMin = roundedWhole(md_.RangeMin);
	if (DispConnectflg)
		DispConnectflg();
	md_.ScaleYMode = YScaleMode::FromData;
	selectScaleOption(YScaleMode::FromData);
	EnableScaleYInput(false);
	selectScrollOption(XAxisMode::All);
	controls_.setScrollButtonsEnabled(false);
	SetAxesY(md_.ScaleYMin, md_.ScaleYMax);
	SetAxesX(md_.DispStart, md_.DispEnd);
	InitDispNumList();
}

void GraphView::selectScrollOption(XAxisMode mode)
{
	controls_.showScrollMode(static_cast<int>(mode));
	if (selectedScroll_ == mode)
		return;
	selectedScroll_ = mode;
	SetScrollMode(mode);
}

void GraphView::selectScaleOption(YScaleMode mode)
{
	controls_.showScaleMode(static_cast<int>(mode));
	if (selectedScale_ == mode)
		return;
	selectedScale_ = mode;
	chooseScaleMode(static_cast<int>(mode));
}

int32_t GraphView::windowEnd() const
{
	return md_.DispStart + md_.DispDataNum - 1;
}

void GraphView::EnableScaleYInput(bool enable)
{
	if (enable)
		controls_.setScaleInputs(
				true, shortestText(md_.ScaleYMax), shortestText(md_.ScaleYMin));
	else
		controls_.setScaleInputs(false, QString(), QString());
}

std::optional<std::pair<float, float>> GraphView::typedScale() const
{
	const auto top = readSingle(controls_.scaleTopText());
	const auto bottom = readSingle(controls_.scaleBottomText());
	if (!top || !bottom)
		return std::nullopt;
	return std::pair{*top, *bottom};
}

Flag GraphView::SetGraphParam()
{
	bool scaleOk = true;
	if (md_.ScaleYMode == YScaleMode::Fixed) {
		const auto scale = typedScale();
		if (scale && scale->first > scale->second) {
			md_.ScaleYMax = scale->first;
			md_.ScaleYMin = scale->second;
			EnableScaleYInput(true);
		} else {
			// Text that is no number gets the same message; the run starts
			// with the previous scale.
			prompt_.message(QCoreApplication::translate("GraphView", kBadScaleText),
					kMessageTitle, Prompt::Icon::None);
			scaleOk = false;
		}
	} else {
		md_.ScaleYMax = roundedWhole(md_.RangeMax);
		md_.ScaleYMin = roundedWhole(md_.RangeMin);
		SetAxesY(md_.ScaleYMin, md_.ScaleYMax);
		EnableScaleYInput(false);
	}
	if (scaleOk) {
		md_.DispStart = 1;
		if (md_.ScrollMode == XAxisMode::All) {
			controls_.setScrollButtonsEnabled(false);
			controls_.setCountListEnabled(false);
			md_.DispDataNum = md_.DispEnd = 100;
		} else {
			md_.DispDataNum = md_.DispEnd = controls_.countListValue();
			controls_.setScrollButtonsEnabled(
					md_.ScrollMode == XAxisMode::ManualScroll);
			controls_.setCountListEnabled(true);
		}
		SetAxesY(md_.ScaleYMin, md_.ScaleYMax);
		ApplyAxisX();
	}
	chart_.reset();
	return kTrue;
}

void GraphView::SetScrollMode(XAxisMode mode)
{
	const XAxisMode previous = md_.ScrollMode;
	md_.ScrollMode = mode;
	const bool measuring = md_.MeasFlag == kTrue;
	if (mode == XAxisMode::All && reviewedLength_) {
		controls_.setScrollButtonsEnabled(false);
		controls_.setCountListEnabled(false);
		setXRange(0.0, *reviewedLength_);
		return;
	}
	if (mode == XAxisMode::All) {
		controls_.setScrollButtonsEnabled(false);
		controls_.setCountListEnabled(false);
		md_.DispStart = 1;
		if (measuring) {
			const int32_t step = md_.DataCount >= 1000 ? 1000 : 100;
			md_.DispDataNum = md_.DataCount <= 100 ? 100
							       : (md_.DataCount / step + 1) * step;
		} else {
			md_.DispDataNum = md_.DataCount < 1 ? 100 : md_.DataCount;
		}
		md_.DispEnd = md_.DispDataNum;
	} else if (mode == XAxisMode::AutoScroll) {
		const int32_t n = controls_.countListValue();
		md_.DispDataNum = n;
		if (measuring) {
			if (md_.DataCount > n) {
				const int32_t half = std::max(n / 2, 1);
				md_.DispStart = md_.DataCount / half * half;
				// Switching here during a run shows one sample more than a
				// full window, until the window next follows the data.
				md_.DispEnd = windowEnd() + 1;
			} else {
				md_.DispEnd = n;
			}
		}
		controls_.setScrollButtonsEnabled(false);
		controls_.setCountListEnabled(true);
	} else {
		if (previous == XAxisMode::All)
			md_.DispStart = 1;
		md_.DispDataNum = controls_.countListValue();
		md_.DispEnd = windowEnd();
		controls_.setScrollButtonsEnabled(true);
		controls_.setCountListEnabled(true);
	}
	ApplyAxisX();
}

void GraphView::chooseScrollMode(int index)
{
	selectedScroll_ = static_cast<XAxisMode>(index);
	SetScrollMode(*selectedScroll_);
}

void GraphView::chooseScaleMode(int index)
{
	yZoomed_ = false;
	md_.ScaleYMode = index == 1 ? YScaleMode::Fixed : YScaleMode::FromData;
	selectedScale_ = md_.ScaleYMode;
	if (md_.ScaleYMode == YScaleMode::Fixed) {
		EnableScaleYInput(true);
		return;
	}
	CalcScaleYFromData();
	SetAxesY(md_.ScaleYMin, md_.ScaleYMax);
	EnableScaleYInput(false);
}

void GraphView::chooseWindowSize()
{
	const int32_t n = controls_.countListValue();
	if (n == md_.DispDataNum || n < 1)
		return;
	md_.DispDataNum = n;
	if (md_.MeasFlag == kTrue && md_.ScrollMode == XAxisMode::AutoScroll) {
		if (md_.DispStart < 2) {
			md_.DispEnd = n;
		} else {
			md_.DispStart = n * (md_.DataCount / n);
			md_.DispEnd = windowEnd();
		}
	} else {
		md_.DispEnd = windowEnd();
	}
	ApplyAxisX();
}

void GraphView::scroll(int32_t start)
{
	chart_.setRedrawSuspended(true);
	md_.DispStart = start;
	md_.DispEnd = windowEnd();
	ApplyAxisX();
	chart_.setRedrawSuspended(false);
}

void GraphView::scrollLeft()
{
	if (md_.ScrollMode != XAxisMode::ManualScroll ||
			(md_.TrgMode != kFalse && md_.TrgPoint < 0))
		return;
	const int32_t half = md_.DispDataNum / 2;
	scroll(std::max(md_.DispStart - half, 1));
}

void GraphView::scrollRight()
{
	if (md_.ScrollMode != XAxisMode::ManualScroll ||
			(md_.TrgMode != kFalse && md_.TrgPoint < 0))
		return;
	const int32_t half = md_.DispDataNum / 2;
	if (md_.DataCount - half >= md_.DispStart)
		scroll(md_.DispStart + half);
}

void GraphView::CentreOn(int32_t k)
{
	selectScrollOption(XAxisMode::ManualScroll);
	scroll(std::max(k - md_.DispDataNum / 2, 1));
}

void GraphView::applyTypedScale()
{
	const auto scale = typedScale();
	if (!scale)
		return; // text that is no number: nothing changes
	if (scale->first > scale->second) {
		md_.ScaleYMax = scale->first;
		md_.ScaleYMin = scale->second;
		SetAxesY(md_.ScaleYMin, md_.ScaleYMax);
	} else {
		prompt_.message(QCoreApplication::translate("GraphView", kBadScaleText),
				kMessageTitle, Prompt::Icon::None);
	}
}

void GraphView::FollowAxisX()
{
	const int32_t start = md_.DispStart;
	const int32_t end = md_.DispEnd;
	if (md_.ScrollMode == XAxisMode::All) {
		md_.DispStart = 1;
		if (md_.DispEnd < md_.DataCount) {
			const int32_t count = md_.DataCount;
			const int32_t step = count < 100 ? 10
					: count < 1000   ? 100
					: count < 10000  ? 1000
							 : 10000;
			md_.DispDataNum += step;
			md_.DispEnd = md_.DispDataNum + 1;
		}
	} else if (md_.ScrollMode == XAxisMode::AutoScroll) {
		if (md_.DispEnd < md_.DataCount) {
			md_.DispStart += md_.DispDataNum / 2;
			md_.DispEnd = windowEnd();
		}
	}
	if (md_.DispStart == start && md_.DispEnd == end)
		return;
	chart_.setRedrawSuspended(true);
	ApplyAxisX();
	chart_.setRedrawSuspended(false);
}

void GraphView::setScaleByStepRule()
{
	md_.ScaleYMax = static_cast<float>((std::floor(md_.AllMax / 1000.0) + 1.0) * 1000.0);
	md_.ScaleYMin = static_cast<float>(std::floor(md_.AllMin / 1000.0) * 1000.0);
}

void GraphView::FollowAxisY(Flag expandOnly)
{
	if (md_.ScaleYMode != YScaleMode::FromData || yZoomed_)
		return;
	bool changed = true;
	if (expandOnly == kFalse)
		setScaleByStepRule();
	else
		changed = md_.ExpandScaleY() == kTrue;
	if (!changed)
		return;
	chart_.setRedrawSuspended(true);
	SetAxesY(md_.ScaleYMin, md_.ScaleYMax);
	chart_.setRedrawSuspended(false);
}

void GraphView::CalcScaleYFromData()
{
	md_.SetAllMaxMin();
	setScaleByStepRule();
}

void GraphView::SetAxesX(int32_t start, int32_t end)
{
	const double seconds = md_.IntervalTM / 1000.0;
	const auto offset = static_cast<double>(md_.DataOffset);
	setXRange((start + offset) * seconds, (end + offset) * seconds);
}

void GraphView::SetAxesXTrg(int32_t start, int32_t end)
{
	const double seconds = md_.IntervalTM / 1000.0;
	const double trigger = md_.TrgDnum1 + 1.0;
	setXRange((start - trigger) * seconds, (end - trigger) * seconds);
}

void GraphView::SetAxesY(float minimum, float maximum)
{
	if (!yZoomed_)
		setYRange(minimum, maximum);
}

void GraphView::setXRange(double from, double to)
{
	xSpan_ = {from, to};
	chart_.setTimeAxis(timeAxis(), clockZero());
	chart_.setXRange(from, to);
}

void GraphView::setClockShown(bool shown)
{
	clockShown_ = shown;
	setXRange(xSpan_.first, xSpan_.second);
}

double GraphView::dataSeconds() const
{
	return reviewedLength_ ? *reviewedLength_ : md_.DataCount * (md_.IntervalTM / 1000.0);
}

TimeAxis GraphView::timeAxis() const
{
	if (clockShown_ && clockZero().isValid())
		return TimeAxis::Clock;
	return dataSeconds() > kSecondsInHour ? TimeAxis::Hours : TimeAxis::Seconds;
}

QDateTime GraphView::clockZero() const
{
	return StartTimeOf(md_.StartTimeStr);
}

void GraphView::setYRange(double bottom, double top)
{
	ySpan_ = {bottom, top};
	chart_.setYRange(bottom, top);
}

double GraphView::secondsPerSample() const
{
	return md_.IntervalTM / 1000.0;
}

void GraphView::zoomX(double from, double to)
{
	const double seconds = secondsPerSample();
	if (to - from < 2.0 * seconds) // no closer than two samples
		return;
	md_.ScrollMode = XAxisMode::ManualScroll;
	selectedScroll_ = XAxisMode::ManualScroll;
	controls_.showScrollMode(static_cast<int>(XAxisMode::ManualScroll));
	controls_.setScrollButtonsEnabled(true);
	controls_.setCountListEnabled(true);
	// The arrows scroll by half the span from here.
	md_.DispStart = std::max(
			static_cast<int32_t>(std::floor(from / seconds + md_.GraphOrigin())), 1);
	md_.DispDataNum = std::max(static_cast<int32_t>(std::lround((to - from) / seconds)), 2);
	md_.DispEnd = windowEnd();
	setXRange(from, to);
}

void GraphView::zoomY(double bottom, double top)
{
	if (!(top > bottom))
		return;
	yZoomed_ = true;
	setYRange(bottom, top);
}

void GraphView::wheelX(double pivot, double steps)
{
	const double share = std::pow(kWheelZoom, steps);
	const auto [from, to] = xSpan_;
	zoomX(pivot - (pivot - from) * share, pivot + (to - pivot) * share);
}

void GraphView::wheelY(double pivot, double steps)
{
	const double share = std::pow(kWheelZoom, steps);
	const auto [bottom, top] = ySpan_;
	zoomY(pivot - (pivot - bottom) * share, pivot + (top - pivot) * share);
}

void GraphView::panX(double share)
{
	const auto [from, to] = xSpan_;
	const double by = (to - from) * share;
	zoomX(from + by, to + by);
}

void GraphView::panY(double share)
{
	const auto [bottom, top] = ySpan_;
	const double by = (top - bottom) * share;
	zoomY(bottom + by, top + by);
}

void GraphView::showAll()
{
	yZoomed_ = false;
	selectedScroll_ = XAxisMode::All;
	controls_.showScrollMode(static_cast<int>(XAxisMode::All));
	SetScrollMode(XAxisMode::All);
	if (md_.ScaleYMode == YScaleMode::FromData && reviewedLength_)
		setScaleByStepRule();
	else if (md_.ScaleYMode == YScaleMode::FromData)
		CalcScaleYFromData();
	SetAxesY(md_.ScaleYMin, md_.ScaleYMax);
}

void GraphView::setReviewedLength(std::optional<double> seconds)
{
	reviewedLength_ = seconds;
}

void GraphView::ApplyAxisX()
{
	if (md_.TrgMode != kFalse)
		SetAxesXTrg(md_.DispStart, md_.DispEnd);
	else
		SetAxesX(md_.DispStart, md_.DispEnd);
}

} // namespace kelvra

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

bool ExpandScaleToData(GraphViewState &state, float allMin, float allMax)
{
	bool changed = false;
	if (state.scaleTop < allMax) {
		state.scaleTop = static_cast<float>((std::floor(allMax / 1000.0) + 1.0) * 1000.0);
		changed = true;
	}
	if (state.scaleBottom <= allMin)
		return changed;
	state.scaleBottom = static_cast<float>(std::floor(allMin / 1000.0) * 1000.0);
	return true;
}

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
	state_.firstShown = 1;
	state_.scrollMode = XAxisMode::All;
	state_.windowSize = state_.lastShown = fromData ? md_.DataCount : 100;
	state_.scaleTop = roundedWhole(md_.RangeMax);
	state_.scaleBottom = roundedWhole(md_.RangeMin);
	if (DispConnectflg)
		DispConnectflg();
	state_.scaleMode = YScaleMode::FromData;
	selectScaleOption(YScaleMode::FromData);
	EnableScaleYInput(false);
	selectScrollOption(XAxisMode::All);
	controls_.setScrollButtonsEnabled(false);
	SetAxesY(state_.scaleBottom, state_.scaleTop);
	SetAxesX(state_.firstShown, state_.lastShown);
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
	return state_.firstShown + state_.windowSize - 1;
}

void GraphView::EnableScaleYInput(bool enable)
{
	if (enable)
		controls_.setScaleInputs(true, shortestText(state_.scaleTop),
				shortestText(state_.scaleBottom));
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
	if (state_.scrollMode == XAxisMode::All)
		state_.windowSize = 100; // a run shown whole starts with 100 samples
	bool scaleOk = true;
	if (state_.scaleMode == YScaleMode::Fixed) {
		const auto scale = typedScale();
		if (scale && scale->first > scale->second) {
			state_.scaleTop = scale->first;
			state_.scaleBottom = scale->second;
			EnableScaleYInput(true);
		} else {
			// Text that is no number gets the same message; the run starts
			// with the previous scale.
			prompt_.message(QCoreApplication::translate("GraphView", kBadScaleText),
					kMessageTitle, Prompt::Icon::None);
			scaleOk = false;
		}
	} else {
		state_.scaleTop = roundedWhole(md_.RangeMax);
		state_.scaleBottom = roundedWhole(md_.RangeMin);
		SetAxesY(state_.scaleBottom, state_.scaleTop);
		EnableScaleYInput(false);
	}
	if (scaleOk) {
		state_.firstShown = 1;
		if (state_.scrollMode == XAxisMode::All) {
			controls_.setScrollButtonsEnabled(false);
			controls_.setCountListEnabled(false);
			state_.windowSize = state_.lastShown = 100;
		} else {
			state_.windowSize = state_.lastShown = controls_.countListValue();
			controls_.setScrollButtonsEnabled(
					state_.scrollMode == XAxisMode::ManualScroll);
			controls_.setCountListEnabled(true);
		}
		SetAxesY(state_.scaleBottom, state_.scaleTop);
		ApplyAxisX();
	}
	chart_.reset();
	return kTrue;
}

void GraphView::SetScrollMode(XAxisMode mode)
{
	const XAxisMode previous = state_.scrollMode;
	state_.scrollMode = mode;
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
		state_.firstShown = 1;
		if (measuring) {
			const int32_t step = md_.DataCount >= 1000 ? 1000 : 100;
			state_.windowSize = md_.DataCount <= 100
					? 100
					: (md_.DataCount / step + 1) * step;
		} else {
			state_.windowSize = md_.DataCount < 1 ? 100 : md_.DataCount;
		}
		state_.lastShown = state_.windowSize;
	} else if (mode == XAxisMode::AutoScroll) {
		const int32_t n = controls_.countListValue();
		state_.windowSize = n;
		if (measuring) {
			if (md_.DataCount > n) {
				const int32_t half = std::max(n / 2, 1);
				state_.firstShown = md_.DataCount / half * half;
				// Switching here during a run shows one sample more than a
				// full window, until the window next follows the data.
				state_.lastShown = windowEnd() + 1;
			} else {
				state_.lastShown = n;
			}
		}
		controls_.setScrollButtonsEnabled(false);
		controls_.setCountListEnabled(true);
	} else {
		if (previous == XAxisMode::All)
			state_.firstShown = 1;
		state_.windowSize = controls_.countListValue();
		state_.lastShown = windowEnd();
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
	state_.scaleMode = index == 1 ? YScaleMode::Fixed : YScaleMode::FromData;
	selectedScale_ = state_.scaleMode;
	if (state_.scaleMode == YScaleMode::Fixed) {
		EnableScaleYInput(true);
		return;
	}
	CalcScaleYFromData();
	SetAxesY(state_.scaleBottom, state_.scaleTop);
	EnableScaleYInput(false);
}

void GraphView::chooseWindowSize()
{
	const int32_t n = controls_.countListValue();
	if (n == state_.windowSize || n < 1)
		return;
	state_.windowSize = n;
	if (md_.MeasFlag == kTrue && state_.scrollMode == XAxisMode::AutoScroll) {
		if (state_.firstShown < 2) {
			state_.lastShown = n;
		} else {
			state_.firstShown = n * (md_.DataCount / n);
			state_.lastShown = windowEnd();
		}
	} else {
		state_.lastShown = windowEnd();
	}
	ApplyAxisX();
}

void GraphView::scroll(int32_t start)
{
	chart_.setRedrawSuspended(true);
	state_.firstShown = start;
	state_.lastShown = windowEnd();
	ApplyAxisX();
	chart_.setRedrawSuspended(false);
}

void GraphView::scrollLeft()
{
	if (state_.scrollMode != XAxisMode::ManualScroll ||
			(md_.TrgMode != kFalse && md_.TrgPoint < 0))
		return;
	const int32_t half = state_.windowSize / 2;
	scroll(std::max(state_.firstShown - half, 1));
}

void GraphView::scrollRight()
{
	if (state_.scrollMode != XAxisMode::ManualScroll ||
			(md_.TrgMode != kFalse && md_.TrgPoint < 0))
		return;
	const int32_t half = state_.windowSize / 2;
	if (md_.DataCount - half >= state_.firstShown)
		scroll(state_.firstShown + half);
}

void GraphView::CentreOn(int32_t k)
{
	selectScrollOption(XAxisMode::ManualScroll);
	scroll(std::max(k - state_.windowSize / 2, 1));
}

void GraphView::applyTypedScale()
{
	const auto scale = typedScale();
	if (!scale)
		return; // text that is no number: nothing changes
	if (scale->first > scale->second) {
		state_.scaleTop = scale->first;
		state_.scaleBottom = scale->second;
		SetAxesY(state_.scaleBottom, state_.scaleTop);
	} else {
		prompt_.message(QCoreApplication::translate("GraphView", kBadScaleText),
				kMessageTitle, Prompt::Icon::None);
	}
}

void GraphView::FollowAxisX()
{
	const int32_t start = state_.firstShown;
	const int32_t end = state_.lastShown;
	if (state_.scrollMode == XAxisMode::All) {
		state_.firstShown = 1;
		if (state_.lastShown < md_.DataCount) {
			const int32_t count = md_.DataCount;
			const int32_t step = count < 100 ? 10
					: count < 1000   ? 100
					: count < 10000  ? 1000
							 : 10000;
			state_.windowSize += step;
			state_.lastShown = state_.windowSize + 1;
		}
	} else if (state_.scrollMode == XAxisMode::AutoScroll) {
		if (state_.lastShown < md_.DataCount) {
			state_.firstShown += state_.windowSize / 2;
			state_.lastShown = windowEnd();
		}
	}
	if (state_.firstShown == start && state_.lastShown == end)
		return;
	chart_.setRedrawSuspended(true);
	ApplyAxisX();
	chart_.setRedrawSuspended(false);
}

void GraphView::setScaleByStepRule()
{
	state_.scaleTop = static_cast<float>((std::floor(md_.AllMax / 1000.0) + 1.0) * 1000.0);
	state_.scaleBottom = static_cast<float>(std::floor(md_.AllMin / 1000.0) * 1000.0);
}

void GraphView::FollowAxisY(Flag expandOnly)
{
	if (state_.scaleMode != YScaleMode::FromData || yZoomed_)
		return;
	bool changed = true;
	if (expandOnly == kFalse)
		setScaleByStepRule();
	else
		changed = ExpandScaleToData(state_, md_.AllMin, md_.AllMax);
	if (!changed)
		return;
	chart_.setRedrawSuspended(true);
	SetAxesY(state_.scaleBottom, state_.scaleTop);
	chart_.setRedrawSuspended(false);
}

void GraphView::CalcScaleYFromData()
{
	md_.SetAllMaxMin();
	setScaleByStepRule();
}

void GraphView::SetAxesX(int32_t start, int32_t end)
{
	const double seconds = md_.settings.IntervalTM / 1000.0;
	const auto offset = static_cast<double>(md_.DataOffset);
	setXRange((start + offset) * seconds, (end + offset) * seconds);
}

void GraphView::SetAxesXTrg(int32_t start, int32_t end)
{
	const double seconds = md_.settings.IntervalTM / 1000.0;
	const double trigger = md_.settings.TrgDnum1 + 1.0;
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
	return reviewedLength_ ? *reviewedLength_
			       : md_.DataCount * (md_.settings.IntervalTM / 1000.0);
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
	return md_.settings.IntervalTM / 1000.0;
}

void GraphView::zoomX(double from, double to)
{
	const double seconds = secondsPerSample();
	if (to - from < 2.0 * seconds) // no closer than two samples
		return;
	state_.scrollMode = XAxisMode::ManualScroll;
	selectedScroll_ = XAxisMode::ManualScroll;
	controls_.showScrollMode(static_cast<int>(XAxisMode::ManualScroll));
	controls_.setScrollButtonsEnabled(true);
	controls_.setCountListEnabled(true);
	// The arrows scroll by half the span from here.
	state_.firstShown = std::max(
			static_cast<int32_t>(std::floor(from / seconds + md_.GraphOrigin())), 1);
	state_.windowSize = std::max(static_cast<int32_t>(std::lround((to - from) / seconds)), 2);
	state_.lastShown = windowEnd();
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
	if (state_.scaleMode == YScaleMode::FromData && reviewedLength_)
		setScaleByStepRule();
	else if (state_.scaleMode == YScaleMode::FromData)
		CalcScaleYFromData();
	SetAxesY(state_.scaleBottom, state_.scaleTop);
}

void GraphView::setReviewedLength(std::optional<double> seconds)
{
	reviewedLength_ = seconds;
}

void GraphView::ApplyAxisX()
{
	if (md_.TrgMode != kFalse)
		SetAxesXTrg(state_.firstShown, state_.lastShown);
	else
		SetAxesX(state_.firstShown, state_.lastShown);
}

} // namespace kelvra

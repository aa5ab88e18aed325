#pragma once

// The graph's view window: which samples the X axis spans, how the window
// follows new samples or the scroll buttons, and the Y range, following the
// data in steps of 1000 or set by the user.

#include "Chart.h"
#include "ViewControls.h"
#include "core/ModuleData.h"
#include "core/Prompt.h"

#include <functional>
#include <optional>
#include <utility>

namespace kelvra {

// The X axis modes, numbered as their options "全表示", "自動ｽｸﾛｰﾙ", "手動ｽｸﾛｰﾙ".
enum class XAxisMode : int16_t { All = 0, AutoScroll = 1, ManualScroll = 2 };
// Where the Y scale comes from, numbered as its options "自動", "固定".
enum class YScaleMode : int16_t { FromData = 0, Fixed = 1 };

// What the graph shows: a window of sample numbers (from 1) and the value scale.
struct GraphViewState {
	int32_t windowSize = 100; // "表示データ数": the samples a scrolling window spans
	int32_t firstShown = 1;
	int32_t lastShown = 100;
	float scaleTop = 0.0f;
	float scaleBottom = 0.0f;
	XAxisMode scrollMode = XAxisMode::All;
	YScaleMode scaleMode = YScaleMode::FromData;
};

// Widens the scale in steps of 1000 until [allMin, allMax] fits; true when it changed.
bool ExpandScaleToData(GraphViewState &state, float allMin, float allMax);

class GraphView {
public:
	GraphView(ModuleData &md, Chart &chart, ViewControls &controls, Prompt &prompt);

	void InitDispNumList();
	void InitGraphParam(bool fromData);
	void EnableScaleYInput(bool enable);
	Flag SetGraphParam();
	void SetScrollMode(XAxisMode mode);
	void FollowAxisX();
	// expandOnly 0: the scale anew from all samples by the step rule;
	// -1: only widened where the newest samples pass it.
	void FollowAxisY(Flag expandOnly);
	void CalcScaleYFromData();

	void chooseScrollMode(int index);
	void chooseScaleMode(int index);
	void chooseWindowSize();
	void scrollLeft();
	void scrollRight();
	void applyTypedScale();
	// Scrolls by hand to a window of the chosen width centred on sample k.
	void CentreOn(int32_t k);

	void SetAxesX(int32_t start, int32_t end);
	void SetAxesXTrg(int32_t start, int32_t end);
	void SetAxesY(float minimum, float maximum);
	// The trigger variant when the data use the trigger.
	void ApplyAxisX();

	// Zoom and pan, in the chart's seconds and display units. Zooming the time
	// leaves the scrolling modes as "手動ｽｸﾛｰﾙ" does; zooming the values holds
	// them until a scale option is chosen or everything is shown again.
	void zoomX(double from, double to);
	void zoomY(double bottom, double top);
	// Steps of the wheel: positive zooms in around the pivot.
	void wheelX(double pivot, double steps);
	void wheelY(double pivot, double steps);
	// By a share of the span shown: positive moves later or higher.
	void panX(double share);
	void panY(double share);
	void showAll();
	// While a long recording is reviewed (its length in seconds, its extremes
	// in md.AllMin/AllMax): "全表示" shows it whole.
	void setReviewedLength(std::optional<double> seconds);
	// The clock time in place of the time from the start, when the start is known.
	void setClockShown(bool shown);
	// Seconds, h:mm:ss once the data last over an hour, or the clock time.
	TimeAxis timeAxis() const;
	// The clock time at 0 s on the time axis.
	QDateTime clockZero() const;
	std::pair<double, double> visibleX() const { return xSpan_; }
	std::pair<double, double> visibleY() const { return ySpan_; }
	bool valuesZoomed() const { return yZoomed_; }
	const GraphViewState &state() const { return state_; }
	// Set directly where a window is restored, as a benchmark of a long run does.
	GraphViewState &state() { return state_; }

	// Series labels, set by the drawing side.
	std::function<void()> DispConnectflg;

private:
	// Selecting an option from code runs its handler when the selection changes.
	void selectScrollOption(XAxisMode mode);
	void selectScaleOption(YScaleMode mode);
	// The last sample of a window of windowSize samples from firstShown.
	int32_t windowEnd() const;
	void setScaleByStepRule();
	std::optional<std::pair<float, float>> typedScale() const;
	double dataSeconds() const;
	void scroll(int32_t start);
	void setXRange(double from, double to);
	void setYRange(double bottom, double top);
	double secondsPerSample() const;

	ModuleData &md_;
	GraphViewState state_;
	Chart &chart_;
	ViewControls &controls_;
	Prompt &prompt_;
	// No option is selected when the window is built.
	std::optional<XAxisMode> selectedScroll_;
	std::optional<YScaleMode> selectedScale_;
	std::pair<double, double> xSpan_{0.0, 1.0};
	std::pair<double, double> ySpan_{0.0, 1.0};
	bool yZoomed_ = false;
	std::optional<double> reviewedLength_;
	bool clockShown_ = false;
};

} // namespace kelvra

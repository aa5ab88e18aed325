#pragma once

// Puts the samples on the chart: one series per unit, the points of a run as
// they arrive or all at once, the trigger line, the labels, the header line
// and the axis titles.

#include "Chart.h"
#include "GraphView.h"
#include "core/ModuleData.h"

#include <span>

namespace kelvra {

class SeriesDrawing {
public:
	SeriesDrawing(const ModuleData &md, Chart &chart, GraphView &view);

	void InitGraph();
	void SetGraphStyle();
	void DispConnectflg();
	void GrDrawData(int32_t p);
	void GrDrawData2(int32_t first, int32_t last);
	void DrawTrigLine(Flag show);
	void SetHeaderText(const QString &text);
	void SetGraphTitles();

	// Seconds of point p: from the start, or from the trigger sample.
	double pointX(int32_t p) const;

private:
	struct XScale {
		double seconds;
		double origin; // the sample drawn at 0 s
		double at(int32_t p) const { return (p - origin) * seconds; }
	};

	XScale xScale() const;
	// The unit's samples first, first + 1, ... as drawn, a missing one as NaN.
	void readShown(int unit, int32_t first, std::span<float> out) const;

	const ModuleData &md_;
	Chart &chart_;
	GraphView &view_;
};

} // namespace kelvra

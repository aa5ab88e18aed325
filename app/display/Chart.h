#pragma once

// The time graph as the program uses it: four series of points that share
// their X values, a header line, axis titles and ranges, a vertical trigger
// marker, labelled vertical lines for the markers set, redraw suspension and
// drawing itself onto a printed page.

#include "core/RunClock.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

class QCPPainter;

namespace kelvra {

struct ChartMarker {
	double x;
	QString label;

	bool operator==(const ChartMarker &) const = default;
};

class Chart {
public:
	static constexpr int kSeriesCount = 4;

	virtual ~Chart() = default;

	// While suspended nothing repaints; resuming repaints once.
	virtual void setRedrawSuspended(bool suspended) = 0;
	virtual void reset() = 0;

	virtual void setXRange(double minimum, double maximum) = 0;
	virtual void setYRange(double minimum, double maximum) = 0;
	// The title of an axis in seconds; the chart names the unit of the others.
	virtual void setXTitle(const QString &title) = 0;
	// `zero`: the clock time at 0 s, for TimeAxis::Clock.
	virtual void setTimeAxis(TimeAxis axis, const QDateTime &zero) = 0;
	virtual void setYTitle(const QString &title) = 0;
	virtual void setHeader(const QString &text) = 0;
	// The legend: a series with an empty label is not listed.
	virtual void setSeriesLabels(const QStringList &labels) = 0;

	// Series s (0..3) holds points 1..count; points beyond are dropped.
	virtual void setPointCount(int series, int32_t count) = 0;
	// Writes point p (from 1) of a series; points are written in order, and
	// a NaN value leaves a gap.
	virtual void setPoint(int series, int32_t p, double x, double y) = 0;
	// Writes points first, first + 1, ... of a series at once, as many as y
	// holds, as setPoint would one by one: a full redraw is 352000 points.
	virtual void setPoints(int series, int32_t first, std::span<const double> x,
			std::span<const float> y) = 0;

	virtual void setTriggerLine(bool shown, double x) = 0;
	// In place of the markers shown before.
	virtual void setMarkers(const std::vector<ChartMarker> &markers) = 0;

	// Draws the chart as vector graphics into a rectangle (in device pixels)
	// of a page being painted; false when it cannot.
	virtual bool paint(QCPPainter &painter, const QRectF &target) = 0;
};

} // namespace kelvra

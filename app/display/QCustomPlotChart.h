#pragma once

// The chart over QCustomPlot: four graphs told apart by colour, a title
// element as the header line, a straight vertical line as the trigger
// marker and one with a label at its top for each marker set. Every change
// asks for one queued replot unless redraw is suspended.
// The points are kept beside the graphs with their envelope; once laid out,
// each graph is handed at most two points a pixel column of its visible
// stretch. A short series stays in its graph point for point as written.

#include "Chart.h"
#include "ColumnPoints.h"
#include "EnvelopePyramid.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QCustomPlot;
class QCPGraph;
class QCPItemStraightLine;
class QCPItemText;
class QCPTextElement;

namespace kelvra {

class QCustomPlotChart : public Chart {
public:
	explicit QCustomPlotChart(QCustomPlot *plot);

	void setRedrawSuspended(bool suspended) override;
	void reset() override;
	void setXRange(double minimum, double maximum) override;
	void setYRange(double minimum, double maximum) override;
	void setXTitle(const QString &title) override;
	void setTimeAxis(TimeAxis axis, const QDateTime &zero) override;
	void setYTitle(const QString &title) override;
	void setHeader(const QString &text) override;
	void setSeriesLabels(const QStringList &labels) override;
	void setPointCount(int series, int32_t count) override;
	void setPoint(int series, int32_t p, double x, double y) override;
	void setPoints(int series, int32_t first, std::span<const double> x,
			std::span<const float> y) override;
	void setTriggerLine(bool shown, double x) override;
	void setMarkers(const std::vector<ChartMarker> &markers) override;
	bool paint(QCPPainter &painter, const QRectF &target) override;

	QCustomPlot *plot() const { return plot_; }
	// Points of a series over a span of seconds at a width in pixel columns.
	using SeriesSource = std::function<std::vector<ChartPoint>(
			int series, double from, double to, int columns)>;
	// While set, the graphs show what it hands over instead of the points
	// written (a long recording, drawn from its summaries); empty to go back.
	void setSeriesSource(SeriesSource source);
	// The review cursors' vertical lines; none hides one.
	void setCursorLine(int cursor, std::optional<double> x);

private:
	struct Series {
		std::vector<double> x;
		EnvelopePyramid y;
		bool mirrored = true; // the graph holds every point as written
	};

	void changed();
	void queueReplot();
	void writeGraphPoint(int series, int32_t p, double x, double y);
	void truncateGraph(int series, int32_t count);
	void mirrorGraph(int series);
	// Hands each graph the points of its visible stretch at the laid-out width.
	void drawVisible();
	void setGraph(int series, const std::vector<ChartPoint> &points);
	void usePixelSizedFonts();
	void setTextFamily(const QString &family);
	// The ticks of the time axis for the span shown.
	void setTimeTicks();
	QString shownXTitle() const;

	QCustomPlot *plot_;
	std::array<QCPGraph *, kSeriesCount> graphs_{};
	std::array<Series, kSeriesCount> series_;
	SeriesSource source_;
	QCPTextElement *header_ = nullptr;
	QString xTitle_;
	TimeAxis timeAxis_ = TimeAxis::Seconds;
	QDateTime clockZero_;
	bool tickFractions_ = false;
	QCPItemStraightLine *triggerLine_ = nullptr;
	std::vector<std::pair<QCPItemStraightLine *, QCPItemText *>> markers_;
	std::array<QCPItemStraightLine *, 2> cursorLines_{};
	bool suspended_ = false;
	bool pending_ = false;
	bool queued_ = false;
};

} // namespace kelvra

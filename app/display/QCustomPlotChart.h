#pragma once

// The chart over QCustomPlot: four graphs told apart by colour, a title
// element as the header line, a straight vertical line as the trigger
// marker and one with a label at its top for each marker set. New points are appended to the
// graphs' containers; every change asks for one queued replot unless redraw is suspended.

#include "Chart.h"

#include <array>

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
	void setYTitle(const QString &title) override;
	void setHeader(const QString &text) override;
	void setSeriesLabels(const QStringList &labels) override;
	void setPointCount(int series, int32_t count) override;
	void setPoint(int series, int32_t p, double x, double y) override;
	void setTriggerLine(bool shown, double x) override;
	void setMarkers(const std::vector<ChartMarker> &markers) override;
	bool paint(QCPPainter &painter, const QRectF &target) override;

	QCustomPlot *plot() const { return plot_; }

private:
	void changed();
	void usePixelSizedFonts();
	void setTextFamily(const QString &family);

	QCustomPlot *plot_;
	std::array<QCPGraph *, kSeriesCount> graphs_{};
	QCPTextElement *header_ = nullptr;
	QCPItemStraightLine *triggerLine_ = nullptr;
	std::vector<std::pair<QCPItemStraightLine *, QCPItemText *>> markers_;
	bool suspended_ = false;
	bool pending_ = false;
};

} // namespace kelvra

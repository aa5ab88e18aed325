#pragma once

// Records what is drawn and how the axes are set.

#include "display/Chart.h"
#include "display/ViewControls.h"

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace kelvra::testing {

class FakeChart : public Chart {
public:
	struct Point {
		double x;
		double y; // NaN: a gap
	};

	void setRedrawSuspended(bool suspended) override
	{
		if (suspended_ && !suspended)
			++repaints;
		suspended_ = suspended;
	}
	void reset() override { ++resets; }
	void setXRange(double minimum, double maximum) override { x = {minimum, maximum}; }
	void setYRange(double minimum, double maximum) override { y = {minimum, maximum}; }
	void setXTitle(const QString &title) override { xTitle = title; }
	void setTimeAxis(TimeAxis axis, const QDateTime &zero) override
	{
		timeAxis = axis;
		clockZero = zero;
	}
	void setYTitle(const QString &title) override { yTitle = title; }
	void setHeader(const QString &text) override { header = text; }
	void setSeriesLabels(const QStringList &list) override { labels = list; }
	void setPointCount(int s, int32_t count) override
	{
		counts[s] = count;
		if (static_cast<int32_t>(series[s].size()) > count)
			series[s].resize(count);
	}
	void setPoint(int s, int32_t p, double px, double py) override
	{
		if (static_cast<int32_t>(series[s].size()) < p)
			series[s].resize(p, Point{px, std::nan("")});
		series[s][p - 1] = {px, py};
		++pointsWritten;
	}
	void setPoints(int s, int32_t first, std::span<const double> px,
			std::span<const float> py) override
	{
		for (std::size_t i = 0; i < py.size(); ++i)
			setPoint(s, first + static_cast<int32_t>(i), px[i], py[i]);
	}
	void setTriggerLine(bool shown, double at) override
	{
		trigger = shown ? std::optional(at) : std::nullopt;
	}
	void setMarkers(const std::vector<ChartMarker> &list) override { markers = list; }
	bool paint(QCPPainter &, const QRectF &target) override
	{
		paintedInto = target;
		return paintable;
	}

	bool suspended() const { return suspended_; }

	std::pair<double, double> x{}, y{};
	QString xTitle, yTitle, header;
	TimeAxis timeAxis = TimeAxis::Seconds;
	QDateTime clockZero;
	QStringList labels;
	std::array<int32_t, kSeriesCount> counts{};
	std::array<std::vector<Point>, kSeriesCount> series;
	std::optional<double> trigger;
	std::vector<ChartMarker> markers;
	int resets = 0;
	int repaints = 0;
	long pointsWritten = 0;
	bool paintable = true;
	QRectF paintedInto;

private:
	bool suspended_ = false;
};

class FakeViewControls : public ViewControls {
public:
	void setScrollButtonsEnabled(bool enabled) override { arrowsEnabled = enabled; }
	void setCountListEnabled(bool enabled) override { listEnabled = enabled; }
	void setCountList(const QStringList &list, int selected) override
	{
		items = list;
		chosen = list.value(selected);
	}
	int32_t countListValue() const override { return chosen.toInt(); }
	void showScrollMode(int index) override { scrollShown = index; }
	void showScaleMode(int index) override { scaleShown = index; }
	void setScaleInputs(bool enabled, const QString &t, const QString &b) override
	{
		inputsEnabled = enabled;
		top = t;
		bottom = b;
	}
	QString scaleTopText() const override { return top; }
	QString scaleBottomText() const override { return bottom; }

	bool arrowsEnabled = true, listEnabled = true, inputsEnabled = true;
	QStringList items;
	QString chosen, top, bottom;
	int scrollShown = -1, scaleShown = -1;
};

} // namespace kelvra::testing

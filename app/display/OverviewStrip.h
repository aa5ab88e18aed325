#pragma once

// The thin strip under the graph: the whole run of every unit in use, the
// span the graph shows marked on it. Dragging (or the arrow keys) moves the
// span along the run.

#include "ColumnPoints.h"
#include "core/ModuleData.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

namespace kelvra {

class OverviewStrip : public QWidget {
	Q_OBJECT

public:
	// The points of a unit over from..to seconds at a width in columns; none
	// for a unit not in use.
	using Points = std::function<std::vector<ChartPoint>(
			int unit, double from, double to, int columns)>;

	explicit OverviewStrip(QWidget *parent = nullptr);

	// The run from..to seconds; an empty run shows nothing.
	void setRun(double from, double to, Points points);
	void setVisibleSpan(double from, double to);
	std::pair<double, double> visibleSpan() const { return visible_; }

signals:
	// The user moved the span to from..to.
	void spanMoved(double from, double to);

protected:
	void paintEvent(QPaintEvent *event) override;
	void mousePressEvent(QMouseEvent *event) override;
	void mouseMoveEvent(QMouseEvent *event) override;
	void keyPressEvent(QKeyEvent *event) override;
	void resizeEvent(QResizeEvent *event) override;

private:
	double timeAt(double pixel) const;
	double pixelAt(double seconds) const;
	void moveSpanTo(double centre);
	void takePoints();

	double runFrom_ = 0.0, runTo_ = 0.0;
	Points points_;
	std::array<std::vector<ChartPoint>, kUnitCount> shown_;
	std::pair<double, double> visible_{0.0, 0.0};
};

} // namespace kelvra

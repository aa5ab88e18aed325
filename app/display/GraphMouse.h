#pragma once

// The mouse and the keyboard on the graph: the wheel zooms the time around the
// pointer (with Ctrl the values), a right-button rectangle zooms into it, the
// left button pans, or sets cursor 1 with a click (cursor 2 with Shift) and
// drags a cursor line it grips; a double click shows everything. On the
// focused graph +/−, the arrows and Home do the same.

#include "GraphCursors.h"
#include "GraphView.h"

#include <QObject>
#include <QPoint>

#include <optional>

class QCustomPlot;
class QKeyEvent;
class QMouseEvent;
class QRubberBand;
class QWheelEvent;

namespace kelvra {

class GraphMouse : public QObject {
	Q_OBJECT

public:
	GraphMouse(QCustomPlot *plot, GraphView &view, GraphCursors &cursors);

	bool eventFilter(QObject *watched, QEvent *event) override;

signals:
	// The span shown was zoomed or panned.
	void viewChanged();

private:
	bool wheel(QWheelEvent *event);
	bool press(QMouseEvent *event);
	bool move(QMouseEvent *event);
	bool release(QMouseEvent *event);
	bool key(QKeyEvent *event);
	double timeAt(const QPoint &pixel) const;
	double valueAt(const QPoint &pixel) const;
	std::optional<int> cursorNear(const QPoint &pixel) const;
	void zoomInto(const QRect &pixels);

	QCustomPlot *plot_;
	GraphView &view_;
	GraphCursors &cursors_;
	QRubberBand *band_ = nullptr;
	QPoint pressedAt_;
	Qt::MouseButton button_ = Qt::NoButton;
	std::optional<int> draggedCursor_;
	bool panning_ = false;
	std::pair<double, double> pannedX_, pannedY_;
};

} // namespace kelvra

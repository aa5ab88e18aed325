#include "GraphMouse.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>
#include <qcustomplot.h>

#include <cmath>

namespace kelvra {

namespace {

constexpr int kClickSlack = 3; // pixels a click may move and stay a click
constexpr int kGrip = 4;       // pixels either side of a cursor line
constexpr double kKeyPan = 0.1;

} // namespace

GraphMouse::GraphMouse(QCustomPlot *plot, GraphView &view, GraphCursors &cursors)
	: QObject(plot), plot_(plot), view_(view), cursors_(cursors)
{
	band_ = new QRubberBand(QRubberBand::Rectangle, plot_);
	plot_->setFocusPolicy(Qt::StrongFocus);
	plot_->installEventFilter(this);
}

bool GraphMouse::eventFilter(QObject *watched, QEvent *event)
{
	if (watched != plot_)
		return false;
	switch (event->type()) {
	case QEvent::Wheel:
		return wheel(static_cast<QWheelEvent *>(event));
	case QEvent::MouseButtonPress:
		return press(static_cast<QMouseEvent *>(event));
	case QEvent::MouseMove:
		return move(static_cast<QMouseEvent *>(event));
	case QEvent::MouseButtonRelease:
		return release(static_cast<QMouseEvent *>(event));
	case QEvent::MouseButtonDblClick:
		view_.showAll();
		emit viewChanged();
		return true;
	case QEvent::KeyPress:
		return key(static_cast<QKeyEvent *>(event));
	default:
		return false;
	}
}

double GraphMouse::timeAt(const QPoint &pixel) const
{
	return plot_->xAxis->pixelToCoord(pixel.x());
}

double GraphMouse::valueAt(const QPoint &pixel) const
{
	return plot_->yAxis->pixelToCoord(pixel.y());
}

std::optional<int> GraphMouse::cursorNear(const QPoint &pixel) const
{
	for (int c = 0; c < GraphCursors::kCount; ++c) {
		const auto time = cursors_.time(c);
		if (time && std::abs(plot_->xAxis->coordToPixel(*time) - pixel.x()) <= kGrip)
			return c;
	}
	return std::nullopt;
}

bool GraphMouse::wheel(QWheelEvent *event)
{
	const double steps = event->angleDelta().y() / 120.0;
	const QPoint at = event->position().toPoint();
	if (event->modifiers() & Qt::ControlModifier)
		view_.wheelY(valueAt(at), steps);
	else
		view_.wheelX(timeAt(at), steps);
	emit viewChanged();
	return true;
}

bool GraphMouse::press(QMouseEvent *event)
{
	plot_->setFocus(Qt::MouseFocusReason);
	button_ = event->button();
	pressedAt_ = event->position().toPoint();
	panning_ = false;
	draggedCursor_ = button_ == Qt::LeftButton ? cursorNear(pressedAt_) : std::nullopt;
	pannedX_ = view_.visibleX();
	pannedY_ = view_.visibleY();
	if (button_ == Qt::RightButton)
		band_->setGeometry(QRect(pressedAt_, QSize()));
	return button_ == Qt::LeftButton || button_ == Qt::RightButton;
}

bool GraphMouse::move(QMouseEvent *event)
{
	const QPoint at = event->position().toPoint();
	if (button_ == Qt::RightButton) {
		band_->setGeometry(QRect(pressedAt_, at).normalized());
		band_->show();
		return true;
	}
	if (button_ != Qt::LeftButton)
		return false;
	if (draggedCursor_) {
		cursors_.set(*draggedCursor_, timeAt(at));
		return true;
	}
	panning_ = panning_ || (at - pressedAt_).manhattanLength() > kClickSlack;
	if (!panning_)
		return true;
	const double byX = timeAt(pressedAt_) - timeAt(at);
	view_.zoomX(pannedX_.first + byX, pannedX_.second + byX);
	if (view_.valuesZoomed()) {
		const double byY = valueAt(pressedAt_) - valueAt(at);
		view_.zoomY(pannedY_.first + byY, pannedY_.second + byY);
	}
	emit viewChanged();
	return true;
}

bool GraphMouse::release(QMouseEvent *event)
{
	const Qt::MouseButton button = std::exchange(button_, Qt::NoButton);
	const QPoint at = event->position().toPoint();
	if (button == Qt::RightButton) {
		band_->hide();
		zoomInto(QRect(pressedAt_, at).normalized());
		return true;
	}
	if (button != Qt::LeftButton)
		return false;
	if (!panning_ && !draggedCursor_)
		cursors_.set(event->modifiers() & Qt::ShiftModifier ? 1 : 0, timeAt(at));
	draggedCursor_.reset();
	return true;
}

// A rectangle narrower than a click zooms nothing; a flat one zooms the time only.
void GraphMouse::zoomInto(const QRect &pixels)
{
	if (pixels.width() <= kClickSlack)
		return;
	view_.zoomX(timeAt(pixels.topLeft()), timeAt(pixels.bottomRight()));
	if (pixels.height() > kClickSlack)
		view_.zoomY(valueAt(pixels.bottomRight()), valueAt(pixels.topLeft()));
	emit viewChanged();
}

bool GraphMouse::key(QKeyEvent *event)
{
	const auto [from, to] = view_.visibleX();
	const auto [bottom, top] = view_.visibleY();
	const bool values = event->modifiers() & Qt::ControlModifier;
	switch (event->key()) {
	case Qt::Key_Plus:
	case Qt::Key_Equal:
	case Qt::Key_Minus: {
		const double steps = event->key() == Qt::Key_Minus ? -1.0 : 1.0;
		if (values)
			view_.wheelY((bottom + top) / 2.0, steps);
		else
			view_.wheelX((from + to) / 2.0, steps);
		break;
	}
	case Qt::Key_Left:
		view_.panX(-kKeyPan);
		break;
	case Qt::Key_Right:
		view_.panX(kKeyPan);
		break;
	case Qt::Key_Up:
		view_.panY(kKeyPan);
		break;
	case Qt::Key_Down:
		view_.panY(-kKeyPan);
		break;
	case Qt::Key_Home:
		view_.showAll();
		break;
	default:
		return false;
	}
	emit viewChanged();
	return true;
}

} // namespace kelvra

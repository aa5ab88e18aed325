#include "OverviewStrip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kelvra {

namespace {

const std::array<QColor, kUnitCount> kColours{
		QColor(220, 40, 40), QColor(20, 150, 60), QColor(40, 80, 220), QColor(200, 120, 0)};

} // namespace

OverviewStrip::OverviewStrip(QWidget *parent) : QWidget(parent)
{
	setFixedHeight(44);
	setFocusPolicy(Qt::StrongFocus);
	setAccessibleName(tr("全体"));
	setToolTip(tr("全体（表示範囲をドラッグで移動）"));
}

void OverviewStrip::setRun(double from, double to, Points points)
{
	runFrom_ = from;
	runTo_ = to;
	points_ = std::move(points);
	takePoints();
	update();
}

void OverviewStrip::setVisibleSpan(double from, double to)
{
	visible_ = {from, to};
	update();
}

void OverviewStrip::resizeEvent(QResizeEvent *event)
{
	QWidget::resizeEvent(event);
	takePoints();
}

void OverviewStrip::takePoints()
{
	for (int u = 0; u < kUnitCount; ++u)
		shown_[u] = points_ && runTo_ > runFrom_ ? points_(u, runFrom_, runTo_, width())
							 : std::vector<ChartPoint>{};
}

double OverviewStrip::timeAt(double pixel) const
{
	return runFrom_ + (runTo_ - runFrom_) * pixel / std::max(width(), 1);
}

double OverviewStrip::pixelAt(double seconds) const
{
	return (seconds - runFrom_) / (runTo_ - runFrom_) * width();
}

void OverviewStrip::paintEvent(QPaintEvent *)
{
	QPainter painter(this);
	painter.fillRect(rect(), palette().base());
	painter.setPen(palette().mid().color());
	painter.drawRect(rect().adjusted(0, 0, -1, -1));
	if (!(runTo_ > runFrom_))
		return;
	float low = INFINITY, high = -INFINITY;
	for (const auto &points : shown_) {
		for (const ChartPoint &p : points) {
			if (!std::isnan(p.y)) {
				low = std::min(low, static_cast<float>(p.y));
				high = std::max(high, static_cast<float>(p.y));
			}
		}
	}
	const double scale = high > low ? (height() - 6) / (high - low) : 0.0;
	for (int u = 0; u < kUnitCount; ++u) {
		QPainterPath path;
		bool drawing = false;
		for (const ChartPoint &p : shown_[u]) {
			if (std::isnan(p.y)) {
				drawing = false;
				continue;
			}
			const QPointF at(pixelAt(p.x), height() - 3 - (p.y - low) * scale);
			drawing ? path.lineTo(at) : path.moveTo(at);
			drawing = true;
		}
		painter.setPen(kColours[u]);
		painter.drawPath(path);
	}
	const double left = pixelAt(visible_.first), right = pixelAt(visible_.second);
	const QRectF span(left, 0.0, std::max(right - left, 2.0), height() - 1.0);
	painter.fillRect(span, QColor(0, 120, 255, 50));
	painter.setPen(QPen(QColor(0, 90, 200), hasFocus() ? 2 : 1));
	painter.drawRect(span);
}

void OverviewStrip::moveSpanTo(double centre)
{
	const double half = (visible_.second - visible_.first) / 2.0;
	centre = std::clamp(centre, runFrom_ + half, std::max(runTo_ - half, runFrom_ + half));
	emit spanMoved(centre - half, centre + half);
}

void OverviewStrip::mousePressEvent(QMouseEvent *event)
{
	moveSpanTo(timeAt(event->position().x()));
}

void OverviewStrip::mouseMoveEvent(QMouseEvent *event)
{
	if (event->buttons() & Qt::LeftButton)
		moveSpanTo(timeAt(event->position().x()));
}

void OverviewStrip::keyPressEvent(QKeyEvent *event)
{
	const double step = (visible_.second - visible_.first) / 2.0;
	const double centre = (visible_.first + visible_.second) / 2.0;
	if (event->key() == Qt::Key_Left)
		moveSpanTo(centre - step);
	else if (event->key() == Qt::Key_Right)
		moveSpanTo(centre + step);
	else
		QWidget::keyPressEvent(event);
}

} // namespace kelvra

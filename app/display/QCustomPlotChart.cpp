#include "QCustomPlotChart.h"

#include "ColumnPoints.h"
#include "PageFonts.h"

#include <QCoreApplication>
#include <qcustomplot.h>

#include <limits>

namespace kelvra {

namespace {

const std::array<QColor, Chart::kSeriesCount> kSeriesColours{
		QColor(220, 40, 40), QColor(20, 150, 60), QColor(40, 80, 220), QColor(200, 120, 0)};

// The plot is laid out in screen pixels; a page scales them to its resolution.
constexpr double kScreenDpi = 96.0;

// Up to this many points a series is kept in its graph as written.
constexpr int32_t kMirroredPoints = 4096;

QFont pixelSized(QFont font)
{
	if (font.pointSizeF() > 0)
		font.setPixelSize(qRound(font.pointSizeF() * kScreenDpi / 72.0));
	return font;
}

QFont inFamily(QFont font, const QString &family)
{
	font.setFamily(family);
	return font;
}

// Below this span the time ticks fall between whole seconds.
constexpr double kFractionSpan = 10.0;

// Ticks at steps of a clock; labelled h:mm:ss from 0 s, or with the clock
// time of zero + the tick when zero is valid.
class TimeTicker : public QCPAxisTickerTime {
public:
	TimeTicker(QDateTime zero, bool fractions) : zero_(std::move(zero)), fractions_(fractions)
	{
		setTimeFormat(fractions ? QStringLiteral("%h:%m:%s.%z")
					: QStringLiteral("%h:%m:%s"));
		setFieldWidth(tuHours, 1);
	}

protected:
	QString getTickLabel(double tick, const QLocale &locale, QChar formatChar,
			int precision) override
	{
		if (!zero_.isValid())
			return QCPAxisTickerTime::getTickLabel(tick, locale, formatChar, precision);
		return zero_.addMSecs(qRound64(tick * 1000.0))
				.toString(fractions_ ? QStringLiteral("HH:mm:ss.zzz")
						     : QStringLiteral("HH:mm:ss"));
	}

private:
	QDateTime zero_;
	bool fractions_;
};

const char *const kSecondsUnit = QT_TRANSLATE_NOOP("kelvra::QCustomPlotChart", "（秒）");

} // namespace

QCustomPlotChart::QCustomPlotChart(QCustomPlot *plot) : plot_(plot)
{
	usePixelSizedFonts();
	plot_->setNoAntialiasingOnDrag(true);
	plot_->setNotAntialiasedElements(QCP::aeAll); // 4 x 88000 points stay fast
	// A column's extremes are a vertical stroke: joins of wide pens cost more
	// than all the rest of a replot.
	plot_->setPlottingHint(QCP::phFastPolylines, true);
	for (int s = 0; s < kSeriesCount; ++s) {
		graphs_[s] = plot_->addGraph();
		graphs_[s]->setPen(QPen(kSeriesColours[s], 1.0));
		graphs_[s]->setLineStyle(QCPGraph::lsLine);
		graphs_[s]->setScatterStyle(QCPScatterStyle::ssNone);
		graphs_[s]->setAdaptiveSampling(true);
	}
	plot_->plotLayout()->insertRow(0);
	header_ = new QCPTextElement(
			plot_, QString(), pixelSized(QFont(plot_->font().family(), 10)));
	plot_->plotLayout()->addElement(0, 0, header_);
	plot_->legend->setVisible(true);
	plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);

	triggerLine_ = new QCPItemStraightLine(plot_);
	triggerLine_->point1->setCoords(0.0, 0.0);
	triggerLine_->point2->setCoords(0.0, 1.0);
	triggerLine_->setPen(QPen(QColor(0, 120, 255), 2));
	triggerLine_->setVisible(false);
	for (std::size_t c = 0; c < cursorLines_.size(); ++c) {
		cursorLines_[c] = new QCPItemStraightLine(plot_);
		cursorLines_[c]->setPen(QPen(Qt::black, 1, c == 0 ? Qt::DashLine : Qt::DotLine));
		cursorLines_[c]->setVisible(false);
	}
	QObject::connect(plot_, &QCustomPlot::beforeReplot, plot_, [this] { queued_ = false; });
	QObject::connect(plot_, &QCustomPlot::afterLayout, plot_, [this] { drawVisible(); });
}

// Point sizes would be resolved at the page's resolution and then scaled once
// more with the plot; pixel sizes scale with it like every other length.
void QCustomPlotChart::usePixelSizedFonts()
{
	for (QCPAxis *axis : plot_->axisRect()->axes()) {
		axis->setLabelFont(pixelSized(axis->labelFont()));
		axis->setTickLabelFont(pixelSized(axis->tickLabelFont()));
	}
	plot_->legend->setFont(pixelSized(plot_->legend->font()));
}

// The header, the axes and the legend start in the plot's family.
void QCustomPlotChart::setTextFamily(const QString &family)
{
	header_->setFont(inFamily(header_->font(), family));
	for (QCPAxis *axis : plot_->axisRect()->axes()) {
		axis->setLabelFont(inFamily(axis->labelFont(), family));
		axis->setTickLabelFont(inFamily(axis->tickLabelFont(), family));
	}
	plot_->legend->setFont(inFamily(plot_->legend->font(), family));
}

void QCustomPlotChart::changed()
{
	if (suspended_)
		pending_ = true;
	else if (!queued_)
		queueReplot();
}

// Asked once until the replot runs: a tick writes hundreds of points.
void QCustomPlotChart::queueReplot()
{
	queued_ = true;
	plot_->replot(QCustomPlot::rpQueuedReplot);
}

void QCustomPlotChart::setRedrawSuspended(bool suspended)
{
	if (suspended == suspended_)
		return;
	suspended_ = suspended;
	if (!suspended && pending_) {
		pending_ = false;
		queueReplot();
	}
}

void QCustomPlotChart::reset()
{
	changed();
}

void QCustomPlotChart::setXRange(double minimum, double maximum)
{
	plot_->xAxis->setRange(minimum, maximum);
	if (timeAxis_ != TimeAxis::Seconds && (maximum - minimum < kFractionSpan) != tickFractions_)
		setTimeTicks();
	changed();
}

void QCustomPlotChart::setTimeAxis(TimeAxis axis, const QDateTime &zero)
{
	if (axis == timeAxis_ && (axis != TimeAxis::Clock || zero == clockZero_))
		return;
	timeAxis_ = axis;
	clockZero_ = zero;
	setTimeTicks();
	plot_->xAxis->setLabel(shownXTitle());
	changed();
}

void QCustomPlotChart::setTimeTicks()
{
	if (timeAxis_ == TimeAxis::Seconds) {
		plot_->xAxis->setTicker(QSharedPointer<QCPAxisTicker>::create());
		return;
	}
	tickFractions_ = plot_->xAxis->range().size() < kFractionSpan;
	plot_->xAxis->setTicker(QSharedPointer<TimeTicker>::create(
			timeAxis_ == TimeAxis::Clock ? clockZero_ : QDateTime(), tickFractions_));
}

// The title names the unit of the labels: an axis in seconds keeps it as set.
QString QCustomPlotChart::shownXTitle() const
{
	if (timeAxis_ == TimeAxis::Seconds)
		return xTitle_;
	QString title = xTitle_;
	const QString seconds =
			QCoreApplication::translate("kelvra::QCustomPlotChart", kSecondsUnit);
	if (title.endsWith(seconds))
		title.chop(seconds.size());
	return title +
			(timeAxis_ == TimeAxis::Hours ? QCoreApplication::translate(
									"kelvra::QCustomPlotChart",
									"（時:分:秒）")
						      : QCoreApplication::translate(
									"kelvra::QCustomPlotChart",
									"（時刻）"));
}

void QCustomPlotChart::setYRange(double minimum, double maximum)
{
	plot_->yAxis->setRange(minimum, maximum);
	changed();
}

void QCustomPlotChart::setXTitle(const QString &title)
{
	xTitle_ = title;
	plot_->xAxis->setLabel(shownXTitle());
	changed();
}

void QCustomPlotChart::setYTitle(const QString &title)
{
	plot_->yAxis->setLabel(title);
	changed();
}

void QCustomPlotChart::setHeader(const QString &text)
{
	header_->setText(text);
	changed();
}

void QCustomPlotChart::setSeriesLabels(const QStringList &labels)
{
	for (int s = 0; s < kSeriesCount; ++s) {
		graphs_[s]->setName(labels.value(s));
		if (labels.value(s).isEmpty())
			graphs_[s]->removeFromLegend();
		else
			graphs_[s]->addToLegend();
	}
	changed();
}

void QCustomPlotChart::setPointCount(int series, int32_t count)
{
	Series &s = series_[series];
	if (count >= s.y.size())
		return;
	s.x.resize(std::max(count, 0));
	s.y.resize(count);
	if (s.mirrored)
		truncateGraph(series, count);
	else if (count <= kMirroredPoints)
		mirrorGraph(series);
	changed();
}

void QCustomPlotChart::setPoint(int series, int32_t p, double x, double y)
{
	Series &s = series_[series];
	const int32_t index = p - 1;
	if (index < 0)
		return;
	if (index >= s.y.size()) {
		s.x.resize(index + 1, x);
		s.y.resize(index + 1);
	}
	s.x[index] = x;
	s.y.set(index, static_cast<float>(y));
	s.mirrored = s.mirrored && index < kMirroredPoints;
	if (s.mirrored)
		writeGraphPoint(series, p, x, y);
	changed();
}

void QCustomPlotChart::setPoints(
		int series, int32_t first, std::span<const double> x, std::span<const float> y)
{
	Series &s = series_[series];
	const int32_t start = first - 1;
	const auto count = static_cast<int32_t>(std::min(x.size(), y.size()));
	if (start < 0 || count == 0)
		return;
	x = x.first(count);
	y = y.first(count);
	if (start + count > s.y.size()) {
		s.x.resize(start + count, x.front());
		s.y.resize(start + count);
	}
	std::copy(x.begin(), x.end(), s.x.begin() + start);
	s.y.assign(start, y);
	s.mirrored = s.mirrored && start + count <= kMirroredPoints;
	if (s.mirrored)
		for (int32_t i = 0; i < count; ++i)
			writeGraphPoint(series, first + i, x[i], y[i]);
	changed();
}

void QCustomPlotChart::truncateGraph(int series, int32_t count)
{
	auto data = graphs_[series]->data();
	if (count >= data->size())
		return;
	if (count <= 0)
		data->clear();
	else
		data->removeAfter((data->begin() + (count - 1))->key);
}

void QCustomPlotChart::writeGraphPoint(int series, int32_t p, double x, double y)
{
	auto data = graphs_[series]->data();
	const int index = p - 1;
	if (index < data->size()) {
		auto point = data->begin() + index;
		point->key = x;
		point->value = y;
	} else {
		while (data->size() < index)
			data->add(QCPGraphData(x, std::numeric_limits<double>::quiet_NaN()));
		data->add(QCPGraphData(x, y));
	}
}

void QCustomPlotChart::mirrorGraph(int series)
{
	const Series &s = series_[series];
	QVector<QCPGraphData> points(s.y.size());
	for (int32_t i = 0; i < s.y.size(); ++i)
		points[i] = QCPGraphData(s.x[i], s.y.value(i));
	graphs_[series]->data()->set(points, true);
	series_[series].mirrored = true;
}

void QCustomPlotChart::drawVisible()
{
	const QCPRange range = plot_->xAxis->range();
	const int columns = std::max(plot_->axisRect()->width(), 1);
	for (int g = 0; g < kSeriesCount; ++g) {
		if (source_) {
			setGraph(g, source_(g, range.lower, range.upper, columns));
			continue;
		}
		Series &s = series_[g];
		const auto first = static_cast<int32_t>(
				std::lower_bound(s.x.begin(), s.x.end(), range.lower) -
				s.x.begin());
		const auto last = static_cast<int32_t>(
				std::upper_bound(s.x.begin(), s.x.end(), range.upper) -
				s.x.begin());
		if (s.mirrored && last - first <= 2 * columns)
			continue; // the graph holds every point already
		s.y.update();
		setGraph(g, ColumnPoints(s.y, s.x, first, last, columns));
		s.mirrored = false;
	}
}

void QCustomPlotChart::setGraph(int series, const std::vector<ChartPoint> &points)
{
	QVector<QCPGraphData> data(static_cast<int>(points.size()));
	for (std::size_t i = 0; i < points.size(); ++i)
		data[static_cast<int>(i)] = QCPGraphData(points[i].x, points[i].y);
	graphs_[series]->data()->set(data, true);
}

void QCustomPlotChart::setSeriesSource(SeriesSource source)
{
	source_ = std::move(source);
	// The points written are shown again from the next layout on.
	for (int g = 0; g < kSeriesCount && !source_; ++g) {
		if (series_[g].y.size() <= kMirroredPoints)
			mirrorGraph(g);
		else
			series_[g].mirrored = false;
	}
	changed();
}

void QCustomPlotChart::setTriggerLine(bool shown, double x)
{
	triggerLine_->point1->setCoords(x, 0.0);
	triggerLine_->point2->setCoords(x, 1.0);
	triggerLine_->setVisible(shown);
	changed();
}

void QCustomPlotChart::setMarkers(const std::vector<ChartMarker> &markers)
{
	for (const auto &[line, label] : markers_) {
		plot_->removeItem(line);
		plot_->removeItem(label);
	}
	markers_.clear();
	const QColor colour(120, 0, 160);
	for (const ChartMarker &marker : markers) {
		auto *line = new QCPItemStraightLine(plot_);
		line->point1->setCoords(marker.x, 0.0);
		line->point2->setCoords(marker.x, 1.0);
		line->setPen(QPen(colour, 1.5, Qt::DashLine));
		auto *label = new QCPItemText(plot_);
		// At the top of the plot whatever the Y range: X in data, Y in the axis rect.
		label->position->setTypeX(QCPItemPosition::ptPlotCoords);
		label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
		label->position->setCoords(marker.x, 0.0);
		label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
		label->setPadding(QMargins(3, 2, 3, 2));
		label->setColor(colour);
		label->setBrush(QBrush(QColor(255, 255, 255, 200)));
		label->setText(marker.label);
		markers_.emplace_back(line, label);
	}
	changed();
}

void QCustomPlotChart::setCursorLine(int cursor, std::optional<double> x)
{
	QCPItemStraightLine *line = cursorLines_[cursor];
	line->point1->setCoords(x.value_or(0.0), 0.0);
	line->point2->setCoords(x.value_or(0.0), 1.0);
	line->setVisible(x.has_value());
	changed();
}

bool QCustomPlotChart::paint(QCPPainter &painter, const QRectF &target)
{
	if (!painter.isActive())
		return false;
	const double scale = painter.device()->logicalDpiX() / kScreenDpi;
	const QSize size = (target.size() / scale).toSize();
	if (size.isEmpty())
		return false;
	painter.save();
	painter.translate(target.topLeft());
	painter.scale(scale, scale);
	painter.setMode(QCPPainter::pmVectorized);
	drawVisible();
	const QString screenFamily = header_->font().family();
	setTextFamily(pageChartFamily()); // the page's text must read back from a PDF
	plot_->toPainter(&painter, size.width(), size.height());
	setTextFamily(screenFamily);
	painter.restore();
	plot_->replot(QCustomPlot::rpQueuedReplot); // laid out for the screen again
	return true;
}

} // namespace kelvra

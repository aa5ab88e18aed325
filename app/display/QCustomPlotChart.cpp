#include "QCustomPlotChart.h"

#include "PageFonts.h"

#include <qcustomplot.h>

#include <limits>

namespace kelvra {

namespace {

const std::array<QColor, Chart::kSeriesCount> kSeriesColours{
		QColor(220, 40, 40), QColor(20, 150, 60), QColor(40, 80, 220), QColor(200, 120, 0)};

// The plot is laid out in screen pixels; a page scales them to its resolution.
constexpr double kScreenDpi = 96.0;

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

} // namespace

QCustomPlotChart::QCustomPlotChart(QCustomPlot *plot) : plot_(plot)
{
	usePixelSizedFonts();
	plot_->setNoAntialiasingOnDrag(true);
	plot_->setNotAntialiasedElements(QCP::aeAll); // 4 x 88000 points stay fast
	for (int s = 0; s < kSeriesCount; ++s) {
		graphs_[s] = plot_->addGraph();
		graphs_[s]->setPen(QPen(kSeriesColours[s], 1.5));
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
	else
		plot_->replot(QCustomPlot::rpQueuedReplot);
}

void QCustomPlotChart::setRedrawSuspended(bool suspended)
{
	if (suspended == suspended_)
		return;
	suspended_ = suspended;
	if (!suspended && pending_) {
		pending_ = false;
		plot_->replot(QCustomPlot::rpQueuedReplot);
	}
}

void QCustomPlotChart::reset()
{
	changed();
}

void QCustomPlotChart::setXRange(double minimum, double maximum)
{
	plot_->xAxis->setRange(minimum, maximum);
	changed();
}

void QCustomPlotChart::setYRange(double minimum, double maximum)
{
	plot_->yAxis->setRange(minimum, maximum);
	changed();
}

void QCustomPlotChart::setXTitle(const QString &title)
{
	plot_->xAxis->setLabel(title);
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
	for (int s = 0; s < kSeriesCount; ++s)
		graphs_[s]->setName(labels.value(s));
	changed();
}

void QCustomPlotChart::setPointCount(int series, int32_t count)
{
	auto data = graphs_[series]->data();
	if (count >= data->size())
		return;
	if (count <= 0)
		data->clear();
	else
		data->removeAfter((data->begin() + (count - 1))->key);
	changed();
}

void QCustomPlotChart::setPoint(int series, int32_t p, double x, double y)
{
	auto data = graphs_[series]->data();
	const int index = p - 1;
	if (index < 0)
		return;
	if (index < data->size()) {
		auto point = data->begin() + index;
		point->key = x;
		point->value = y;
	} else {
		while (data->size() < index)
			data->add(QCPGraphData(x, std::numeric_limits<double>::quiet_NaN()));
		data->add(QCPGraphData(x, y));
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
	const QString screenFamily = header_->font().family();
	setTextFamily(pageChartFamily()); // the page's text must read back from a PDF
	plot_->toPainter(&painter, size.width(), size.height());
	setTextFamily(screenFamily);
	painter.restore();
	plot_->replot(QCustomPlot::rpQueuedReplot); // laid out for the screen again
	return true;
}

} // namespace kelvra

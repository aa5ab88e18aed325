#include "ReviewController.h"

#include "display/CursorPanel.h"
#include "display/GraphMouse.h"
#include "display/GraphView.h"
#include "display/OverviewStrip.h"
#include "display/QCustomPlotChart.h"
#include "display/SeriesDrawing.h"
#include "display/StatisticsPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kelvra {

ReviewController::ReviewController(ModuleData &md, QCustomPlotChart &chart, GraphView &view,
		SeriesDrawing &drawing, QObject *parent)
	: QObject(parent), md_(md), chart_(chart), view_(view), drawing_(drawing),
	  followTimer_(new QTimer(this))
{
	followTimer_->setInterval(1000);
	connect(followTimer_, &QTimer::timeout, this, [this] {
		refreshOverview();
		refresh();
	});
	connect(&cursors_, &GraphCursors::moved, this, &ReviewController::refresh);
}

ReviewController::~ReviewController() = default;

QWidget *ReviewController::buildRow(QWidget *parent)
{
	auto *row = new QWidget(parent);
	overview_ = new OverviewStrip(row);
	auto *saveSpan = new QPushButton(tr("範囲保存"), row);
	saveSpan->setObjectName(QStringLiteral("saveSpanButton"));
	saveSpan->setToolTip(tr("表示範囲をファイルに保存"));
	auto *clock = new QCheckBox(tr("時刻表示"), row);
	clock->setObjectName(QStringLiteral("clockCheck"));
	clock->setToolTip(tr("時間軸とカーソルを開始からの経過時間でなく時刻で表示"));
	auto *strip = new QHBoxLayout;
	strip->addWidget(overview_, 1);
	strip->addWidget(clock);
	strip->addWidget(saveSpan);
	cursorPanel_ = new CursorPanel(cursors_, row);
	statisticsPanel_ = new StatisticsPanel(row);
	auto *panels = new QHBoxLayout;
	panels->addWidget(cursorPanel_, 2);
	panels->addWidget(statisticsPanel_, 3);
	auto *layout = new QVBoxLayout(row);
	layout->setContentsMargins(0, 0, 0, 0);
	layout->addLayout(strip);
	layout->addLayout(panels);

	connect(saveSpan, &QPushButton::clicked, this, &ReviewController::saveSpanAsked);
	connect(clock, &QCheckBox::toggled, this, [this](bool shown) {
		view_.setClockShown(shown);
		refresh();
	});
	connect(overview_, &OverviewStrip::spanMoved, this, [this](double from, double to) {
		view_.zoomX(from, to);
		refresh();
	});
	return row;
}

void ReviewController::attachTo(QCustomPlot *plot)
{
	mouse_ = new GraphMouse(plot, view_, cursors_);
	connect(mouse_, &GraphMouse::viewChanged, this, &ReviewController::refresh);
}

void ReviewController::refresh()
{
	for (int c = 0; c < GraphCursors::kCount; ++c)
		chart_.setCursorLine(c, cursors_.time(c));
	const TimeAxis axis = view_.timeAxis();
	cursorPanel_->setTimeAxis(axis, view_.clockZero());
	statisticsPanel_->setTimeAxis(axis, view_.clockZero());
	cursorPanel_->setSource(source_);
	const bool between = cursors_.bothSet();
	auto [from, to] = view_.visibleX();
	if (between)
		std::tie(from, to) = std::minmax(*cursors_.time(0), *cursors_.time(1));
	statisticsPanel_->show(
			md_.DataCount > 0 || recording_ ? source_ : nullptr, from, to, between);
	const auto [shownFrom, shownTo] = view_.visibleX();
	overview_->setVisibleSpan(shownFrom, shownTo);
}

void ReviewController::refreshOverview()
{
	if (recording_) {
		overview_->setRun(0.0, recordingReview_->seconds(),
				[this](int unit, double from, double to, int columns) {
					return recordingReview_->points(unit, from, to, columns);
				});
		return;
	}
	const auto [from, to] = bufferReview_.run();
	overview_->setRun(from, md_.DataCount > 1 ? to : from,
			[this](int unit, double from, double to, int columns) {
				return bufferReview_.points(unit, from, to, columns);
			});
}

void ReviewController::followRun(bool running)
{
	if (running)
		followTimer_->start();
	else
		followTimer_->stop();
	refreshOverview();
	refresh();
}

void ReviewController::showRecording(std::unique_ptr<RecordingReader> reader)
{
	recording_ = std::move(reader);
	recordingReview_ = std::make_unique<RecordingReview>(*recording_);
	source_ = recordingReview_.get();
	QStringList legend;
	for (int u = 0; u < kUnitCount; ++u)
		legend << (recordingReview_->inUse(u) ? QStringLiteral("ID%1 ").arg(u) : QString());
	chart_.setSeriesLabels(legend);
	std::tie(md_.AllMin, md_.AllMax) = recordingReview_->valueRange();
	view_.setReviewedLength(recordingReview_->seconds());
	chart_.setSeriesSource([this](int series, double from, double to, int columns) {
		return recordingReview_->points(series, from, to, columns);
	});
	view_.showAll();
	refreshOverview();
	cursors_.clear();
}

void ReviewController::endRecording()
{
	if (!recording_)
		return;
	chart_.setSeriesSource({});
	drawing_.DispConnectflg();
	view_.setReviewedLength(std::nullopt);
	source_ = &bufferReview_;
	recordingReview_.reset();
	recording_.reset();
}

} // namespace kelvra

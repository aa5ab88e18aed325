#pragma once

// The review of what the graph shows: the two cursors and their readouts,
// the statistics between them (or over the span shown), the overview strip
// of the whole run, and a long recording shown from its summaries instead
// of the buffers. While a run goes on, the figures follow it once a second.

#include "core/ModuleData.h"
#include "display/BufferReview.h"
#include "display/GraphCursors.h"
#include "display/RecordingReview.h"

#include <QObject>

#include <memory>

class QCheckBox;
class QCustomPlot;
class QPushButton;
class QTimer;
class QWidget;

namespace kelvra {

class CursorPanel;
class GraphMouse;
class GraphView;
class OverviewStrip;
class QCustomPlotChart;
class SeriesDrawing;
class StatisticsPanel;

class ReviewController : public QObject {
	Q_OBJECT

public:
	ReviewController(ModuleData &md, QCustomPlotChart &chart, GraphView &view,
			SeriesDrawing &drawing, QObject *parent = nullptr);
	~ReviewController() override;

	// The row under the graph: the overview strip, "時刻表示", "範囲保存"
	// and the cursor and statistics panels.
	QWidget *buildRow(QWidget *parent);
	// Clicks and drags on the plot set the cursors and zoom the span shown.
	void attachTo(QCustomPlot *plot);

	// The cursor lines, the cursor readouts and the statistics anew.
	void refresh();
	// The whole run on the overview strip anew.
	void refreshOverview();
	// A run in progress is followed once a second.
	void followRun(bool running);
	void clearCursors() { cursors_.clear(); }

	// The graph, cursors and statistics read the recording from now on.
	void showRecording(std::unique_ptr<RecordingReader> reader);
	// Back to the buffers; nothing when no recording is shown.
	void endRecording();
	const RecordingReader *recording() const { return recording_.get(); }

	GraphCursors &cursors() { return cursors_; }
	CursorPanel *cursorPanel() const { return cursorPanel_; }
	StatisticsPanel *statisticsPanel() const { return statisticsPanel_; }
	OverviewStrip *overview() const { return overview_; }

signals:
	void saveSpanAsked();

private:
	ModuleData &md_;
	QCustomPlotChart &chart_;
	GraphView &view_;
	SeriesDrawing &drawing_;
	GraphCursors cursors_;
	BufferReview bufferReview_{md_};
	const ReviewSource *source_ = &bufferReview_; // what the cursors and statistics read
	std::unique_ptr<RecordingReader> recording_;  // the long recording reviewed, if any
	std::unique_ptr<RecordingReview> recordingReview_;
	GraphMouse *mouse_ = nullptr;
	CursorPanel *cursorPanel_ = nullptr;
	StatisticsPanel *statisticsPanel_ = nullptr;
	OverviewStrip *overview_ = nullptr;
	QTimer *followTimer_ = nullptr;
};

} // namespace kelvra

#pragma once

// The run's events in the main window: markers placed with a note ("マーク"
// or the key M, at cursor 1 when it is set), their lines on the graph, and
// the event list, from which an event's time is centred on the graph.

#include "core/ModuleData.h"
#include "core/Prompt.h"
#include "core/RunEvent.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QWidget;

namespace kelvra {

class DialogEvents;
class GraphCursors;
class GraphView;
class QCustomPlotChart;
class RunControl;

class EventPresenter : public QObject {
	Q_OBJECT

public:
	EventPresenter(const ModuleData &md, RunControl &run, QCustomPlotChart &chart,
			GraphView &view, GraphCursors &cursors, Prompt &prompt, QWidget *window);

	// A marker with a note asked for, at a time given or at the newest sample.
	void mark(std::optional<double> atS = std::nullopt);
	void markAtCursor();
	// Opens the event list, or brings it to the front.
	void openList();
	// Centres the graph on the sample of an event's time.
	void moveTo(double timeS);
	// The markers on the graph and the event list anew from the events held.
	void showAll();

	DialogEvents *list() const { return list_; }

private:
	void added(const RunEvent &event);

	const ModuleData &md_;
	RunControl &run_;
	QCustomPlotChart &chart_;
	GraphView &view_;
	GraphCursors &cursors_;
	Prompt &prompt_;
	QWidget *window_;
	QPointer<DialogEvents> list_;
};

} // namespace kelvra

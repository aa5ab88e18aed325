#include "EventPresenter.h"

#include "display/DialogEvents.h"
#include "display/GraphCursors.h"
#include "display/GraphView.h"
#include "display/MarkerLines.h"
#include "display/QCustomPlotChart.h"
#include "run/EventTimes.h"
#include "run/RunControl.h"

namespace kelvra {

EventPresenter::EventPresenter(const ModuleData &md, RunControl &run, QCustomPlotChart &chart,
		GraphView &view, GraphCursors &cursors, Prompt &prompt, QWidget *window)
	: QObject(window), md_(md), run_(run), chart_(chart), view_(view), cursors_(cursors),
	  prompt_(prompt), window_(window)
{
	connect(&run_, &RunControl::eventAdded, this, &EventPresenter::added);
	connect(&run_, &RunControl::runStarted, this, &EventPresenter::showAll);
}

void EventPresenter::mark(std::optional<double> atS)
{
	// At the sample that was newest when asked for, however long the note takes.
	std::optional<RunEvent> marker = NewMarker(md_, atS, {});
	if (!marker) {
		prompt_.message(tr("データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	const std::optional<QString> note =
			prompt_.askText(tr("メモ（空欄のままでも可）"), tr("マーク"));
	if (!note)
		return;
	marker->text = note->simplified();
	run_.addEvent(*marker); // the run may have ended meanwhile: it goes with the data held
}

void EventPresenter::markAtCursor()
{
	const std::optional<double> x = cursors_.time(0);
	mark(x ? std::optional(TimeOfGraphX(md_, *x)) : std::nullopt);
}

void EventPresenter::openList()
{
	if (!list_) {
		list_ = new DialogEvents(md_, window_);
		connect(list_, &DialogEvents::eventChosen, this, &EventPresenter::moveTo);
	}
	list_->show();
	list_->raise();
	list_->activateWindow();
}

void EventPresenter::moveTo(double timeS)
{
	if (const std::optional<int32_t> k = SampleOfTime(md_, timeS))
		view_.CentreOn(*k);
}

void EventPresenter::added(const RunEvent &event)
{
	if (list_)
		list_->append(event);
	if (event.kind == EventKind::Marker)
		chart_.setMarkers(MarkerLines(md_));
}

void EventPresenter::showAll()
{
	chart_.setMarkers(MarkerLines(md_));
	if (list_)
		list_->reload();
}

} // namespace kelvra

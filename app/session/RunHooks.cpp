#include "RunHooks.h"

#include "run/EventText.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace kelvra {

namespace {

// Past a hook's time limit, the moment its killing takes to be seen.
constexpr int kReapMs = 2000;

HookCause causeOf(HookKind kind)
{
	switch (kind) {
	case HookKind::Alarm:
		return HookCause::Alarm;
	case HookKind::Dropout:
		return HookCause::Dropout;
	case HookKind::Reconnect:
		return HookCause::Reconnect;
	case HookKind::DiskTrouble:
		return HookCause::DiskTrouble;
	case HookKind::LowSpace:
		return HookCause::LowSpace;
	case HookKind::Resumed:
		return HookCause::Resumed;
	case HookKind::RunEnd:
		return HookCause::RunEnd;
	case HookKind::Hook:
	case HookKind::HooksDropped:
		break;
	}
	return HookCause::None;
}

HookEnd endOf(HookReport::End end)
{
	switch (end) {
	case HookReport::End::Exited:
		return HookEnd::Exited;
	case HookReport::End::NotStarted:
		return HookEnd::NotStarted;
	case HookReport::End::Crashed:
		return HookEnd::Crashed;
	case HookReport::End::Killed:
		return HookEnd::Killed;
	case HookReport::End::Stopped:
	case HookReport::End::Dropped:
		break;
	}
	return HookEnd::Stopped;
}

// The report as an event of the run.
RunEvent eventOf(const HookReport &report)
{
	if (report.end == HookReport::End::Dropped) {
		RunEvent e{report.timeS, -1, EventKind::HooksDropped, {}};
		e.code = report.dropped;
		return e;
	}
	return HookRanEvent(report.timeS, report.cause.unit, causeOf(report.cause.kind),
			endOf(report.end), report.exitStatus,
			static_cast<float>(report.timeLimitMs / 1000.0), report.firstLine);
}

// The kind of hook an event of the run calls for; none for the rest. Low
// space is handed in by the watch itself, with its free bytes in full.
std::optional<HookKind> hookKindOf(const RunEvent &event)
{
	switch (event.kind) {
	case EventKind::Alarm:
		return HookKind::Alarm;
	case EventKind::Dropout:
		return event.cause == EventCause::Disk ? HookKind::DiskTrouble : HookKind::Dropout;
	case EventKind::Reconnect:
		return HookKind::Reconnect;
	case EventKind::Resumed:
		return HookKind::Resumed;
	case EventKind::Warning:
	case EventKind::Clear:
	case EventKind::Marker:
	case EventKind::Zero:
	case EventKind::Trigger:
	case EventKind::Hook:
	case EventKind::HooksDropped:
	case EventKind::LowSpace:
	case EventKind::SpaceBack:
		break;
	}
	return std::nullopt;
}

} // namespace

RunHooks::RunHooks(RunHookOptions options, RunControl &run, std::function<QString()> recordingFile)
	: run_(run), recordingFile_(std::move(recordingFile))
{
	if (options.command) {
		runner_ = std::make_unique<HookRunner>(*options.command, options.kinds);
		runner_->nowS = [this] { return nowS(); };
		runner_->onReport = [this](const HookReport &report) { reported(report); };
	}
	minFree_ = options.minFree;
	// The recording exists once every recorder has started: events from then on are kept.
	QObject::connect(&run_, &RunControl::runStarted, &run_, [this] {
		if (runner_)
			runner_->setRecording(recordingFile_());
		if (watch_)
			watch_->start([this](const SpaceChange &change) { spaceChanged(change); });
	});
}

RunHooks::~RunHooks()
{
	runner_.reset();
	// The hooks that ended last are deleted from the event loop, which runs no more.
	QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void RunHooks::watchSpace(const QString &folder, double bytesPerSecond)
{
	if (!minFree_)
		return;
	watch_ = std::make_unique<LowSpaceWatch>(*minFree_, LowSpaceWatch::DiskOf(folder));
	watch_->setBytesPerSecond(bytesPerSecond);
}

double RunHooks::nowS() const
{
	return clock_.isValid() ? clock_.elapsed() / 1000.0 : 0.0;
}

void RunHooks::runStarted(const ModuleData &md)
{
	(void)md;
	clock_.start();
	open_ = true;
}

void RunHooks::sampleStored(int unit, std::optional<float> value)
{
	(void)unit;
	(void)value;
}

void RunHooks::tickDone(const ModuleData &md)
{
	(void)md;
	// A split recording goes on in a new file.
	if (runner_)
		runner_->setRecording(recordingFile_());
}

void RunHooks::eventHappened(const ModuleData &md, const RunEvent &event)
{
	(void)md;
	const std::optional<HookKind> kind = hookKindOf(event);
	if (!runner_ || !kind)
		return;
	std::optional<double> value;
	if (event.kind == EventKind::Alarm)
		value = event.value;
	else if (event.kind == EventKind::Dropout)
		value = event.code;
	runner_->notify({*kind, event.unit, recordingTimeS(event.timeS), value,
			EventDetailText(event)});
}

void RunHooks::runEnded(const ModuleData &md)
{
	(void)md;
	open_ = false;
	if (watch_)
		watch_->stop();
	if (runner_)
		runner_->notify({HookKind::RunEnd, -1, recordingTimeS(nowS()), std::nullopt,
				QCoreApplication::translate("RunHooks", "測定が終わりました")});
}

void RunHooks::spaceChanged(const SpaceChange &change)
{
	const double timeS = nowS();
	run_.addEvent(SpaceEvent(timeS, change.low, static_cast<double>(change.freeBytes),
			static_cast<double>(change.limitBytes)));
	if (runner_)
		runner_->notify(LowSpaceEvent(change, recordingTimeS(timeS)));
}

void RunHooks::reported(const HookReport &report)
{
	const RunEvent event = eventOf(report);
	if (open_) {
		run_.addEvent(event);
		return;
	}
	tell(QCoreApplication::translate("RunHooks", "記録を閉じた後のイベント: %1")
					.arg(EventLine(event)));
}

double RunHooks::recordingTimeS(double runTimeS) const
{
	return runTimeS + (timeShiftS ? timeShiftS() : 0.0);
}

void RunHooks::tell(const QString &text) const
{
	if (onTold)
		onTold(text);
}

void RunHooks::waitForHooks()
{
	if (!runner_ || runner_->idle())
		return;
	tell(QCoreApplication::translate("RunHooks", "フックの終了を待っています (最長 %1 秒)")
					.arg(HookRunner::kTimeLimitMs / 1000));
	QEventLoop loop;
	runner_->onIdle = [&loop] { loop.quit(); };
	QTimer bound;
	bound.setSingleShot(true);
	QObject::connect(&bound, &QTimer::timeout, &loop, [&] {
		runner_->stop(); // its onIdle follows once the hook is reaped
		QTimer::singleShot(kReapMs, &loop, &QEventLoop::quit);
	});
	// Time for the running hook to reach its own limit; those queued behind it are stopped.
	bound.start(HookRunner::kTimeLimitMs + kReapMs);
	loop.exec();
	runner_->onIdle = nullptr;
}

} // namespace kelvra

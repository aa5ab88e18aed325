#pragma once

// Runs the hook of --on-event for each event of a chosen kind, beside the
// recording and never in its way: one hook at a time, later events queued
// (at most kQueueLimit, the rest counted and told once the queue has
// drained), each hook killed with everything it started after its time
// limit. What became of each hook comes back as a report. Everything is
// driven by the event loop of the thread that owns the runner: notify()
// only queues, and nothing here waits for a hook or reads from it blocking.
// A hook's standard input is empty, its standard output and error are one
// stream of which the first line is kept and the rest read and discarded,
// so a flooding hook never grows memory.

#include "HookCommand.h"
#include "HookEvent.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

#include <deque>
#include <functional>

namespace kelvra {

struct HookReport {
	enum class End : uint8_t {
		Exited,     // exitStatus is the program's
		NotStarted, // firstLine tells the system's reason
		Crashed,
		Killed,  // at the time limit
		Stopped, // by stop()
		Dropped  // the queue was full for `dropped` events
	};
	End end = End::Exited;
	HookEvent cause; // the event the hook ran for; not for Dropped
	int exitStatus = 0;
	int dropped = 0;
	QString firstLine;  // at most kFirstLineChars, control characters as spaces
	double timeS = 0.0; // when the hook ended, from the recording's start
	int timeLimitMs = 0;
};

// The report as an event of the run: kind "hook" with the cause's unit and
// the exit status as its value, or "hooks-dropped" with the count.
HookEvent ReportEvent(const HookReport &report);

class HookRunner {
public:
	static constexpr int kQueueLimit = 100;
	static constexpr int kTimeLimitMs = 30 * 1000;
	static constexpr int kFirstLineChars = 200;

	HookRunner(HookCommand command, HookKinds kinds);
	HookRunner(const HookRunner &) = delete;
	HookRunner &operator=(const HookRunner &) = delete;
	~HookRunner();

	std::function<void(const HookReport &)> onReport;
	// Nothing runs and nothing is queued any more.
	std::function<void()> onIdle;
	// Seconds from the recording's start, for the times of the reports; the
	// runner's own age unless set.
	std::function<double()> nowS;

	void setRecording(const QString &file) { recording_ = file; }
	void setTimeLimitMs(int ms) { timeLimitMs_ = ms; }

	// Queues the hook for the event when its kind is chosen; an idle runner
	// starts it from the event loop's next turn. Never calls back from here.
	void notify(const HookEvent &event);
	bool idle() const { return process_ == nullptr && queue_.empty(); }
	// Drops what is queued and kills the running hook; onIdle follows once
	// it has ended, as after any last hook.
	void stop();

private:
	void startNext();
	void readOutput();
	void exited(int exitCode, QProcess::ExitStatus status);
	void notStarted();
	void reportDropped();
	void killGroup();
	void finish(HookReport report);

	HookCommand command_;
	HookKinds kinds_;
	QString recording_;
	int timeLimitMs_ = kTimeLimitMs;
	std::deque<HookEvent> queue_;
	int dropped_ = 0;
	QElapsedTimer age_;
	QTimer startSoon_;
	QTimer timeLimit_;

	// The running hook.
	QProcess *process_ = nullptr;
	HookEvent cause_;
	QStringDecoder decoder_;
	QString firstLine_;
	bool lineDone_ = false;
	std::optional<HookReport::End> killedAs_;
};

} // namespace kelvra

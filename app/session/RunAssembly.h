#pragma once

// The recorders of a front end's runs, built and owned in one place: the
// limit check first, then the guests, then whoever keeps the run (the journal,
// or a long recording and its repeated trigger captures), so that the events
// a tick causes are kept with it. It hands the limit events to the run (none
// past the samples the run keeps), and tells how a run ended.

#include "RunPlan.h"
#include "limits/LimitWatch.h"
#include "recording/LongRecording.h"
#include "recording/RepeatedCapture.h"
#include "run/RecorderChain.h"
#include "run/RunControl.h"
#include "run/RunJournal.h"

#include <functional>
#include <memory>
#include <vector>

namespace kelvra {

// What a run left behind, for the front end's closing words.
struct RunOutcome {
	RunControl::RunEnd end = RunControl::RunEnd::None;
	bool alarm = false;          // an alarm was among the run's events
	bool stoppedAtAlarm = false; // and the plan ended the run there
	bool lostToDisk = false;     // samples of a long recording never reached the disk
	bool captureFailed = false;  // a repeated capture could not be saved
	uint64_t lostToOverflow = 0; // samples lost to full unit buffers
	bool unitLost = false;       // a unit dropped out of a long recording, not by an overflow
};

class RunAssembly {
public:
	RunAssembly(ModuleData &md, RunControl &run);

	LimitWatch &limits() { return limits_; }
	const LimitWatch &limits() const { return limits_; }
	// The limit events of a tick, once the run has them.
	std::function<void(const std::vector<LimitEvent> &)> onLimitEvents;
	// A long recording's notices: the disk refused data, little space is left.
	std::function<void(const QString &)> onRecordingNotice;
	// A repeated capture was saved in this file, or could not be (the text says why).
	std::function<void(const QString &)> onCaptureSaved;
	std::function<void(const QString &)> onCaptureFailed;

	// Runs that are no long recording are kept in this journal; none: not kept.
	void setJournal(RunJournal *journal);
	// A further recorder of every run assembled from now on, told of each
	// sample after the limit check and before whoever keeps it.
	void addGuest(RunRecorder *guest);
	// From the next run assembled on.
	void removeGuest(RunRecorder *guest);

	// Sets the run's recorders up for the plan; the next start runs it.
	void assemble(const RunPlan &plan);

	// The long recording of the current or last plan that had one; null before.
	LongRecording *recording() const { return recording_.get(); }
	// Its repeated captures, when the plan asked for them and a trigger is set.
	RepeatedCapture *captures() const { return captures_.get(); }

	// The run has every sample its plan keeps, or the alarm that ends it.
	bool endReached() const;
	// The samples per unit that the run keeps: its limit, cut at the first
	// alarm when the plan stops there; 0: all.
	int64_t keptSamples() const { return kept_; }
	RunOutcome outcome() const;

private:
	void buildChain(RecorderChain &chain, std::initializer_list<RunRecorder *> keepers);
	void makeRecording();
	void handOn(const std::vector<LimitEvent> &events);
	bool keeps(int64_t sample) const { return kept_ < 1 || sample <= kept_; }
	void eventAdded(const RunEvent &event);

	ModuleData &md_;
	RunControl &run_;
	LimitWatch limits_;
	std::vector<RunRecorder *> guests_;
	RunJournal *journal_ = nullptr;
	RunPlan plan_;
	std::unique_ptr<LongRecording> recording_;
	std::unique_ptr<RepeatedCapture> captures_;
	// Two chains: a long recording's run ends while the journal's chain is set up again.
	RecorderChain journalChain_;
	RecorderChain longChain_;
	int64_t kept_ = 0;
	bool alarm_ = false;
	int dropouts_ = 0;
	bool captureFailed_ = false;
};

} // namespace kelvra

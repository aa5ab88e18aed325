#include "RunAssembly.h"

#include <algorithm>

namespace kelvra {

namespace {

// The sample of the tick's first alarm, in time: the events of a tick come unit by unit.
int64_t firstAlarm(const std::vector<LimitEvent> &events)
{
	int64_t first = 0;
	for (const LimitEvent &event : events) {
		if (event.kind == LimitEvent::Kind::Alarm && (first == 0 || event.sample < first))
			first = event.sample;
	}
	return first;
}

bool triggerSet(const ModuleData &md)
{
	return md.settings.TrgMaxFlag == kTrue || md.settings.TrgMinFlag == kTrue;
}

} // namespace

RunAssembly::RunAssembly(ModuleData &md, RunControl &run) : md_(md), run_(run)
{
	limits_.onEvents = [this](const std::vector<LimitEvent> &events) { handOn(events); };
	QObject::connect(&run_, &RunControl::eventAdded, &run_,
			[this](const RunEvent &event) { eventAdded(event); });
	buildChain(journalChain_, {});
	run_.setRecorder(&journalChain_);
}

void RunAssembly::setJournal(RunJournal *journal)
{
	journal_ = journal;
	buildChain(journalChain_, {journal_});
}

void RunAssembly::addGuest(RunRecorder *guest)
{
	guests_.push_back(guest);
}

void RunAssembly::removeGuest(RunRecorder *guest)
{
	guests_.erase(std::remove(guests_.begin(), guests_.end(), guest), guests_.end());
}

void RunAssembly::assemble(const RunPlan &plan)
{
	plan_ = plan;
	kept_ = static_cast<int64_t>(plan.sampleLimit);
	alarm_ = false;
	dropouts_ = 0;
	captureFailed_ = false;
	run_.setLongRun(plan.longRecording);
	if (!plan.longRecording) {
		buildChain(journalChain_, {journal_});
		run_.setRecorder(&journalChain_);
		return;
	}
	makeRecording();
	buildChain(longChain_, {recording_.get(), captures_.get()});
	run_.setRecorder(&longChain_);
}

void RunAssembly::makeRecording()
{
	recording_ = std::make_unique<LongRecording>(
			plan_.target, plan_.targetIsFolder, plan_.split);
	recording_->setMemoLines(plan_.memoLines);
	if (plan_.resumePoint)
		recording_->resumeFrom(*plan_.resumePoint);
	recording_->setSampleLimit(plan_.sampleLimit);
	recording_->onNotice = onRecordingNotice;
	captures_.reset();
	if (!plan_.repeatTrigger || !triggerSet(md_))
		return;
	captures_ = std::make_unique<RepeatedCapture>(RecordingFolder(plan_));
	captures_->setSampleLimit(plan_.sampleLimit);
	captures_->onSaved = onCaptureSaved;
	captures_->onFailed = [this](const QString &text) {
		captureFailed_ = true;
		if (onCaptureFailed)
			onCaptureFailed(text);
	};
	captures_->onTrigger = [this](const RunEvent &event) { run_.addEvent(event); };
}

void RunAssembly::buildChain(RecorderChain &chain, std::initializer_list<RunRecorder *> keepers)
{
	chain = RecorderChain();
	chain.add(&limits_);
	for (RunRecorder *guest : guests_)
		chain.add(guest);
	for (RunRecorder *keeper : keepers) {
		if (keeper)
			chain.add(keeper);
	}
}

// Cuts the run at the tick's first alarm when the plan says so; every event
// of a sample the run keeps becomes one of the run's.
void RunAssembly::handOn(const std::vector<LimitEvent> &events)
{
	const int64_t alarm = firstAlarm(events);
	if (plan_.stopAtAlarm && alarm > 0 && keeps(alarm)) {
		kept_ = alarm;
		if (plan_.longRecording) {
			recording_->setSampleLimit(static_cast<uint64_t>(kept_));
			if (captures_)
				captures_->setSampleLimit(static_cast<uint64_t>(kept_));
		}
	}
	for (const LimitEvent &event : events) {
		if (keeps(event.sample))
			run_.addEvent(RunEventOf(md_, event));
	}
	if (onLimitEvents)
		onLimitEvents(events);
}

void RunAssembly::eventAdded(const RunEvent &event)
{
	alarm_ = alarm_ || event.kind == EventKind::Alarm;
	dropouts_ += event.kind == EventKind::Dropout;
}

bool RunAssembly::endReached() const
{
	if (alarm_ && plan_.stopAtAlarm)
		return true;
	if (plan_.longRecording)
		return recording_->limitReached(md_);
	return plan_.sampleLimit > 0 && md_.DataCount >= static_cast<int64_t>(plan_.sampleLimit);
}

RunOutcome RunAssembly::outcome() const
{
	RunOutcome outcome;
	outcome.end = run_.lastEnd();
	outcome.alarm = alarm_;
	outcome.stoppedAtAlarm = alarm_ && plan_.stopAtAlarm;
	outcome.captureFailed = captureFailed_;
	if (!plan_.longRecording) {
		outcome.lostToOverflow = run_.lostToOverflow();
		return outcome;
	}
	const LongRunReader &units = run_.longReader();
	outcome.lostToDisk = recording_->lostToDisk();
	outcome.lostToOverflow = units.lostToOverflow();
	outcome.unitLost = dropouts_ > units.overflowEvents();
	return outcome;
}

} // namespace kelvra

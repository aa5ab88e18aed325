#pragma once

// Several recorders of one run, told in the order they were added: whoever
// watches the samples and tells of events first, then those who keep them,
// so that the events a tick or the end of a run causes are kept with it.

#include "RunRecorder.h"

#include <vector>

namespace kelvra {

class RecorderChain : public RunRecorder {
public:
	void add(RunRecorder *recorder) { recorders_.push_back(recorder); }

	void runStarted(const ModuleData &md) override
	{
		for (RunRecorder *r : recorders_)
			r->runStarted(md);
	}
	void sampleStored(int unit, std::optional<float> value) override
	{
		for (RunRecorder *r : recorders_)
			r->sampleStored(unit, value);
	}
	void tickDone(const ModuleData &md) override
	{
		for (RunRecorder *r : recorders_)
			r->tickDone(md);
	}
	void eventHappened(const ModuleData &md, const RunEvent &event) override
	{
		for (RunRecorder *r : recorders_)
			r->eventHappened(md, event);
	}
	void runEnded(const ModuleData &md) override
	{
		for (RunRecorder *r : recorders_)
			r->runEnded(md);
	}

private:
	std::vector<RunRecorder *> recorders_;
};

} // namespace kelvra

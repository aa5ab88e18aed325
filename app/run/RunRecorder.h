#pragma once

// What a run tells whoever keeps a record of it: its start (settings fixed,
// start time set), every stored sample, the end of each tick and the end of
// the run, and the events of the run as they happen. A run without a recorder
// records nothing.

#include "acquisition/StoredSampleSink.h"
#include "core/ModuleData.h"
#include "core/RunEvent.h"

namespace kelvra {

class RunRecorder : public StoredSampleSink {
public:
	virtual void runStarted(const ModuleData &md) = 0;
	virtual void tickDone(const ModuleData &md) = 0;
	virtual void eventHappened(const ModuleData &md, const RunEvent &event)
	{
		(void)md;
		(void)event;
	}
	// After the units were closed; the samples stay in the buffers.
	virtual void runEnded(const ModuleData &md) = 0;
};

} // namespace kelvra

#pragma once

// What a run tells whoever keeps a record of it: its start (settings fixed,
// start time set), every stored sample, the end of each tick and the end of
// the run. The run's journal is the one recorder; a run without one records
// nothing.

#include "acquisition/StoredSampleSink.h"
#include "core/ModuleData.h"

namespace kelvra {

class RunRecorder : public StoredSampleSink {
public:
	virtual void runStarted(const ModuleData &md) = 0;
	virtual void tickDone(const ModuleData &md) = 0;
	// After the units were closed; the samples stay in the buffers.
	virtual void runEnded(const ModuleData &md) = 0;
};

} // namespace kelvra

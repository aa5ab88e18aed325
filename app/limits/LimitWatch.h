#pragma once

// The limit check of a run: every stored sample goes through the monitor as
// it is stored, and the events of a tick are handed on once the tick is done
// (never in the middle of storing), so whoever shows or acts on them may
// stop the run.

#include "LimitMonitor.h"
#include "run/RunRecorder.h"

#include <functional>

namespace kelvra {

class LimitWatch : public RunRecorder {
public:
	LimitMonitor &monitor() { return monitor_; }
	const LimitMonitor &monitor() const { return monitor_; }

	// The events of one tick, in the order they happened.
	std::function<void(const std::vector<LimitEvent> &)> onEvents;

	void runStarted(const ModuleData &md) override;
	void sampleStored(int unit, std::optional<float> value) override;
	void tickDone(const ModuleData &md) override;
	void runEnded(const ModuleData &md) override;

private:
	void handOn();

	LimitMonitor monitor_;
	std::array<int32_t, kUnitCount> stored_{};
	std::vector<LimitEvent> pending_;
};

// The seconds from the run's start to a sample (numbered from 1).
double SampleSeconds(const ModuleData &md, int32_t sample);
// The event of the run; its text names the side, the level and the value,
// and the level left for a return: "clear warning upper 100 (89)".
RunEvent RunEventOf(const ModuleData &md, const LimitEvent &event);

} // namespace kelvra

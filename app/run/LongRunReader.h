#pragma once

// Reading the units of a long recording. The buffers roll, keeping the
// newest samples; a tick reads until every unit has handed over what piled
// up in it; a unit that fails an exchange is closed and its samples are
// missing until it answers again, while the other units go on. While no
// unit answers at all, the run's clock tells how many samples are missing.
// Samples that a unit lost to an overflow of its buffer are missing too, and
// the first of each stretch is an event.

#include "acquisition/BlockFetch.h"
#include "acquisition/BufferStore.h"
#include "acquisition/DeviceControl.h"
#include "core/ModuleData.h"
#include "core/RunEvent.h"

#include <array>
#include <functional>

namespace kelvra {

class LongRunReader {
public:
	// Twice what a unit whose clock runs 1000 times faster gathers at 10 ms
	// in a tick, and less than the buffers hold.
	static constexpr int kMaxBlocksPerTick = 512;
	// Samples dropped from the buffers at a time: a tenth of them.
	static constexpr int32_t kRollChunk = kBufferLength / 10;
	static constexpr int64_t kReopenPeriodMs = 1000;

	LongRunReader(ModuleData &md, DeviceControl &devices);

	void setSink(StoredSampleSink *sink) { store_.setSink(sink); }
	// A unit lost or back; the run goes on.
	std::function<void(const RunEvent &)> onEvent;

	// Every unit in use is live; `period` is what the units were started with.
	void start(int16_t period);

	struct Tick {
		int32_t firstNew = 0; // the first buffer element written in this tick, from 1
		bool rolled = false;  // the buffers rolled: every element moved
	};
	// Unit-timed: reads blocks until no live unit has a full one left.
	Tick readBlocks(bool averaged, int64_t nowMs);
	// PC-timed: one averaged reading of every live unit.
	Tick readSingles(int64_t nowMs);

	bool lost(int unit) const { return lost_[unit]; }
	// Samples the units lost to an overflow of their buffers since the start,
	// and the events that told it.
	uint64_t lostToOverflow() const { return lostToOverflow_; }
	int overflowEvents() const { return overflowEvents_; }

private:
	int32_t newestCount() const;
	void makeRoom(int32_t needed, Tick &tick);
	bool readRound(bool averaged);
	void drop(int unit, int16_t code);
	void countOverflow(int unit, int lost, double atS);
	void reopenLost(int64_t nowMs);
	void fillMissing();
	bool anyLive() const;
	void keepTime(int64_t nowMs, Tick &tick);
	double secondsAt(int unit) const;

	ModuleData &md_;
	DeviceControl &devices_;
	BufferStore store_;
	BlockFetch blocks_;
	std::array<bool, kUnitCount> lost_{};
	int16_t period_ = 0;
	int64_t lastReopenMs_ = 0;
	int64_t allLostSinceMs_ = -1; // none while a unit is live
	int64_t heldWhenAllLost_ = 0; // samples of the run then
	int64_t lastReadMs_ = 0;      // the last unit-timed tick with a live unit
	uint64_t lostToOverflow_ = 0;
	int overflowEvents_ = 0;
	std::array<bool, kUnitCount> overflowing_{};   // lost samples in the last tick that read it
	std::array<bool, kUnitCount> overflowedNow_{}; // lost samples in this tick
};

} // namespace kelvra

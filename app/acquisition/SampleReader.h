#pragma once

// Reading samples of a run without trigger: averaged single readings on the
// PC-timed path, blocks of unit-timed samples on the other, stored straight
// into the buffers in the unit of display.

#include "BlockFetch.h"
#include "BufferStore.h"
#include "DeviceControl.h"
#include "StoredSampleSink.h"
#include "core/ModuleData.h"

namespace kelvra {

// One stored value of the PC-timed path: AverageNum readings of a unit,
// converted and averaged. `failed` when a reading failed with the library's
// `code`; `value` empty when a reading could not be converted.
struct SingleAverage {
	bool failed = false;
	int16_t code = 0;
	std::optional<float> value;
};

SingleAverage ReadSingleAverage(ModuleData &md, DeviceControl &devices, int16_t unit);

class SampleReader {
public:
	SampleReader(ModuleData &md, DeviceControl &devices);

	// One averaged reading of every used unit into element DataCount.
	// True when the last unit in use was read without error.
	bool GetMeasSingleData();

	// True when every used unit was read without error.
	bool ReadBlockData();
	bool ReadBlockAveData();

	// Told of every sample stored from now on; none when null.
	void setSink(StoredSampleSink *sink) { store_.setSink(sink); }

	// Samples the units lost to an overflow of their buffers (stored as
	// missing) since the last clear.
	uint64_t lostToOverflow() const { return lostToOverflow_; }
	void clearLost() { lostToOverflow_ = 0; }

private:
	bool readBlocks(bool averaged);

	ModuleData &md_;
	DeviceControl &devices_;
	BufferStore store_;
	BlockFetch blocks_;
	uint64_t lostToOverflow_ = 0;
};

} // namespace kelvra

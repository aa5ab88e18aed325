#pragma once

// The two ways a sample of a run without trigger enters the buffers, needing
// the measurement state alone: the live run and the journal's rebuild both
// store through here.

#include "StoredSampleSink.h"
#include "core/ModuleData.h"

#include <optional>

namespace kelvra {

class BufferStore {
public:
	explicit BufferStore(ModuleData &md) : md_(md) {}

	// Told of every sample stored from now on; none when null.
	void setSink(StoredSampleSink *sink) { sink_ = sink; }

	// A single reading goes to element `index` (DataCount at the start of the tick).
	void storeSingleSample(int unit, int32_t index, std::optional<float> value);
	// Stores one value (or nothing) as the unit's next sample; false once the
	// buffer's last element has been written.
	bool storeBlockSample(int unit, std::optional<float> value);
	// The unit's next sample is missing (the unit is lost): the element keeps
	// its no-data marker and the extremes stay as they are.
	void storeMissing(int unit);

private:
	ModuleData &md_;
	StoredSampleSink *sink_ = nullptr;
};

} // namespace kelvra

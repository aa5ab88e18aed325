#pragma once

// Told of every sample the acquisition stores, in the order it stores them:
// what a run's journal needs to rebuild the run through the same storing code.

#include <optional>

namespace kelvra {

class StoredSampleSink {
public:
	virtual ~StoredSampleSink() = default;

	// A value of a unit on its way into the buffer; empty for the no-data marker.
	virtual void sampleStored(int unit, std::optional<float> value) = 0;
};

} // namespace kelvra

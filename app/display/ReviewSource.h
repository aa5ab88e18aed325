#pragma once

// What the review tools read of the data shown: the value of a unit at a
// moment on the chart's time axis and the sums over a span of it, whether the
// data are the run's buffers or a long recording.

#include "recording/RecordingFormat.h"

#include <optional>

namespace kelvra {

class ReviewSource {
public:
	virtual ~ReviewSource() = default;

	virtual bool inUse(int unit) const = 0;
	// The sample nearest to the moment; none outside the data or in a gap.
	virtual std::optional<float> valueAt(int unit, double seconds) const = 0;
	// The samples from..to (seconds, both included).
	virtual SampleSummary summarize(int unit, double from, double to) const = 0;
};

} // namespace kelvra

#pragma once

// The core that Welch's PSD and the averaged amplitude spectrum share: a
// stretch cut into segments of the window's length, one every `step`
// samples from its start (the samples after the last whole segment left
// out, as Welch's method does); each segment less its mean, times the
// window, through a DFT; |X_k|² averaged over the segments.

#include "Outcome.h"
#include "Progress.h"
#include "SeriesSource.h"

#include <vector>

namespace kelvra::analysis {

struct SegmentPowers {
	std::vector<double> mean; // bins 0..length/2
	uint64_t segments = 0;
};

// The stretch must hold no missing sample and at least one segment.
Outcome<SegmentPowers> AverageSegmentPowers(const SeriesSource &source, SampleRange stretch,
		const std::vector<double> &window, uint64_t step, const ProgressCallback &progress);

// How many segments of `length` every `step` samples a stretch of `size` holds.
constexpr uint64_t SegmentCount(uint64_t size, uint64_t length, uint64_t step)
{
	return size < length ? 0 : (size - length) / step + 1;
}

} // namespace kelvra::analysis

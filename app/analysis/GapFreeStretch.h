#pragma once

// Spectra need samples at every step: a range with gaps is analysed over
// its longest stretch without one.

#include "SeriesSource.h"

#include <span>

namespace kelvra::analysis {

// The longest stretch of `range` in which no source misses a sample; the
// first of equally long ones; empty when every sample is missing.
SampleRange LongestGapFreeStretch(std::span<const SeriesSource *const> sources, SampleRange range);
SampleRange LongestGapFreeStretch(const SeriesSource &source, SampleRange range);

} // namespace kelvra::analysis

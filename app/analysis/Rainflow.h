#pragma once

// Rainflow counting of a series' range, streamed: the samples are read in
// pieces, their turning points counted as they come and each cycle handed
// to the caller at once, so a day takes a few MB whatever its cycles. A
// missing sample is skipped: the history goes on from the sample before it
// to the one after.

#include "Outcome.h"
#include "Progress.h"
#include "RainflowMatrix.h"
#include "SeriesSource.h"

#include <functional>
#include <optional>
#include <utility>

namespace kelvra::analysis {

struct RainflowOptions {
	double gate = 0.0; // reversals smaller than it are dropped
	int bins = RainflowMatrix::kDefaultBins;
	// The lowest and highest value the matrix bins; the range's own
	// extremes when none (several series share bins by sharing these).
	std::optional<std::pair<double, double>> bounds;
};

struct RainflowCount {
	RainflowMatrix matrix;
	double cycles = 0.0; // half cycles as 0.5
	uint64_t turningPoints = 0;
};

using CycleVisitor = std::function<void(const RainflowCycle &)>;

// Refuses a range without a sample present.
Outcome<RainflowCount> CountRainflow(const SeriesSource &source, SampleRange range,
		const RainflowOptions &options, const CycleVisitor &visit = {},
		const ProgressCallback &progress = {});

} // namespace kelvra::analysis

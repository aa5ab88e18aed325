#pragma once

// Statistics of fixed intervals of time (1 s to 1 d): for each interval and
// series its count, min, max, mean, rms and standard deviation, from the
// source's summarize(), so a recording answers the whole summary blocks an
// interval covers from its summaries and reads raw samples only at the
// interval's edges. Intervals are counted from the series' start: interval k
// holds the samples timed k·T ≤ t < (k+1)·T, cut to the range.

#include "Progress.h"
#include "SeriesSource.h"

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace kelvra::analysis {

// "1s", "10s", "1min", "10min", "1h" or "1d", in seconds.
std::optional<double> StatisticsIntervalNamed(std::string_view name);

// The figures of the samples present in a summary; all 0 without any.
struct SummaryStatistics {
	uint64_t count = 0;
	double min = 0.0;
	double max = 0.0;
	double mean = 0.0;
	double rms = 0.0;
	double sd = 0.0; // of the samples themselves (divided by n), not an estimate

	static SummaryStatistics of(const RangeSummary &summary);
};

// The intervals of `lengthS` seconds that a range of samples `intervalS`
// apart meets.
class IntervalGrid {
public:
	IntervalGrid(SampleRange range, double intervalS, double lengthS);

	uint64_t size() const { return last_ >= first_ ? last_ - first_ : 0; }
	SampleRange samples(uint64_t i) const;
	// Its start, or the range's start for a first interval cut by it.
	double startS(uint64_t i) const;

private:
	uint64_t sampleAt(uint64_t interval) const;
	uint64_t intervalOf(uint64_t sample) const;

	SampleRange range_;
	double intervalS_;
	double lengthS_;
	uint64_t first_; // intervals first_..last_-1
	uint64_t last_;
};

struct IntervalRow {
	double startS = 0.0;
	std::size_t series = 0; // index into the sources
	SummaryStatistics statistics;
};

// Every interval's rows in time order, the series in the given order within
// each; the sources share one interval. False when the progress callback
// stopped it.
bool ForEachIntervalRow(std::span<const SeriesSource *const> sources, SampleRange range,
		double lengthS, const std::function<void(const IntervalRow &)> &visit,
		const ProgressCallback &progress = {});

} // namespace kelvra::analysis

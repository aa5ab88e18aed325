#pragma once

// A series of samples at a fixed interval, as every analysis reads it: sample
// k is timed k × interval seconds from the series' start. A missing sample
// reads NaN: gaps are missing samples, never zeros. A recording, the run's
// buffers, a data file and a filtered series all answer through it.

#include <cstdint>
#include <vector>

namespace kelvra::analysis {

// Sample numbers from..to-1.
struct SampleRange {
	uint64_t from = 0;
	uint64_t to = 0;

	uint64_t size() const { return to > from ? to - from : 0; }
	bool empty() const { return to <= from; }
	bool operator==(const SampleRange &) const = default;
};

// Count, extremes and sums of the samples present in a range.
struct RangeSummary {
	uint64_t count = 0;
	double min = 0.0; // both 0 while count is 0
	double max = 0.0;
	double sum = 0.0;
	double sumSquares = 0.0;

	void add(double value)
	{
		min = count == 0 || value < min ? value : min;
		max = count == 0 || value > max ? value : max;
		++count;
		sum += value;
		sumSquares += value * value;
	}
	void add(const RangeSummary &other);
};

class SeriesSource {
public:
	virtual ~SeriesSource() = default;

	// One past the last sample number.
	virtual uint64_t sampleCount() const = 0;
	virtual double intervalS() const = 0;
	// Samples from..to-1 into out, NaN where one is missing; to <= sampleCount().
	virtual void read(uint64_t from, uint64_t to, float *out) const = 0;

	// The samples present in from..to-1. Reads them in pieces; a recording
	// answers whole blocks from its summaries instead.
	virtual RangeSummary summarize(uint64_t from, uint64_t to) const;
	// The missing stretches within from..to-1, in order. Scans the samples.
	virtual std::vector<SampleRange> missing(uint64_t from, uint64_t to) const;

	double sampleRateHz() const { return 1.0 / intervalS(); }
};

} // namespace kelvra::analysis

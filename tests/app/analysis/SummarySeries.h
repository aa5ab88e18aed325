#pragma once

// A series shaped like a long recording: values from a function of the
// sample number, missing stretches, and summaries of blocks of
// 1024 × 32^L sample numbers (L = 0, 1, 2) that answer summarize() for the
// whole blocks a span covers, the samples read only at its ragged ends. It
// counts the samples it reads, to show where the summaries served.

#include "analysis/SeriesSource.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace kelvra::testing {

class SummarySeries final : public analysis::SeriesSource {
public:
	static constexpr int kLevels = 3;
	static constexpr uint64_t blockSize(int level) { return uint64_t{1024} << (5 * level); }

	SummarySeries(uint64_t count, double intervalS, std::function<float(uint64_t)> value,
			std::vector<analysis::SampleRange> gaps = {})
		: count_(count), intervalS_(intervalS), value_(std::move(value)),
		  gaps_(std::move(gaps))
	{
		for (int level = 0; level < kLevels; ++level)
			blocks_[level].resize((count + blockSize(level) - 1) / blockSize(level));
		for (uint64_t s = 0; s < count; ++s) {
			if (!inGap(s))
				blocks_[0][s / blockSize(0)].add(value_(s));
		}
		for (int level = 1; level < kLevels; ++level) {
			for (std::size_t b = 0; b < blocks_[level - 1].size(); ++b)
				blocks_[level][b / 32].add(blocks_[level - 1][b]);
		}
	}

	uint64_t sampleCount() const override { return count_; }
	double intervalS() const override { return intervalS_; }
	void read(uint64_t from, uint64_t to, float *out) const override
	{
		for (uint64_t s = from; s < to; ++s)
			out[s - from] = inGap(s) ? NAN : value_(s);
		samplesRead += to - from;
	}
	analysis::RangeSummary summarize(uint64_t from, uint64_t to) const override
	{
		analysis::RangeSummary out;
		summarizeInto(out, kLevels - 1, from, to);
		return out;
	}
	std::vector<analysis::SampleRange> missing(uint64_t from, uint64_t to) const override
	{
		std::vector<analysis::SampleRange> out;
		for (const auto &gap : gaps_) {
			if (gap.to > from && gap.from < to)
				out.push_back({std::max(gap.from, from), std::min(gap.to, to)});
		}
		return out;
	}

	mutable uint64_t samplesRead = 0;

private:
	bool inGap(uint64_t s) const
	{
		return std::any_of(gaps_.begin(), gaps_.end(),
				[&](const auto &gap) { return s >= gap.from && s < gap.to; });
	}

	void summarizeInto(analysis::RangeSummary &out, int level, uint64_t from, uint64_t to) const
	{
		const uint64_t size = blockSize(level);
		for (uint64_t b = from - from % size; b < to; b += size) {
			const uint64_t lo = std::max(from, b);
			const uint64_t hi = std::min(to, b + size);
			if (lo == b && hi == b + size)
				out.add(blocks_[level][b / size]);
			else if (level > 0)
				summarizeInto(out, level - 1, lo, hi);
			else
				rawInto(out, lo, hi);
		}
	}

	void rawInto(analysis::RangeSummary &out, uint64_t from, uint64_t to) const
	{
		std::vector<float> values(to - from);
		read(from, to, values.data());
		for (float v : values) {
			if (!std::isnan(v))
				out.add(v);
		}
	}

	uint64_t count_;
	double intervalS_;
	std::function<float(uint64_t)> value_;
	std::vector<analysis::SampleRange> gaps_;
	std::array<std::vector<analysis::RangeSummary>, kLevels> blocks_;
};

} // namespace kelvra::testing

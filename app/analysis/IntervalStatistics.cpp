#include "IntervalStatistics.h"

#include <algorithm>
#include <cmath>

namespace kelvra::analysis {

std::optional<double> StatisticsIntervalNamed(std::string_view name)
{
	static constexpr std::pair<std::string_view, double> kIntervals[] = {{"1s", 1.0},
			{"10s", 10.0}, {"1min", 60.0}, {"10min", 600.0}, {"1h", 3600.0},
			{"1d", 86400.0}};
	for (const auto &[text, seconds] : kIntervals) {
		if (name == text)
			return seconds;
	}
	return std::nullopt;
}

SummaryStatistics SummaryStatistics::of(const RangeSummary &summary)
{
	SummaryStatistics s;
	s.count = summary.count;
	if (summary.count == 0)
		return s;
	const double n = static_cast<double>(summary.count);
	s.min = summary.min;
	s.max = summary.max;
	s.mean = summary.sum / n;
	const double meanSquare = summary.sumSquares / n;
	s.rms = std::sqrt(meanSquare);
	// Rounding of the sums may leave a constant a tiny negative variance.
	s.sd = std::sqrt(std::max(meanSquare - s.mean * s.mean, 0.0));
	return s;
}

IntervalGrid::IntervalGrid(SampleRange range, double intervalS, double lengthS)
	: range_(range), intervalS_(intervalS), lengthS_(lengthS)
{
	const bool none = range.empty() || !(intervalS > 0.0) || !(lengthS > 0.0);
	first_ = none ? 0 : intervalOf(range.from);
	last_ = none ? 0 : intervalOf(range.to - 1) + 1;
}

// The interval a sample falls in, by its time, settled on the same bounds
// sampleAt() gives whatever the rounding.
uint64_t IntervalGrid::intervalOf(uint64_t sample) const
{
	auto k = static_cast<uint64_t>(std::floor(sample * intervalS_ / lengthS_));
	while (k > 0 && sampleAt(k) > sample)
		--k;
	while (sampleAt(k + 1) <= sample)
		++k;
	return k;
}

// The first sample timed at or after the start of an interval.
uint64_t IntervalGrid::sampleAt(uint64_t interval) const
{
	const double n = std::ceil(interval * lengthS_ / intervalS_ - 1e-9);
	return n > 0.0 ? static_cast<uint64_t>(n) : 0;
}

SampleRange IntervalGrid::samples(uint64_t i) const
{
	return {std::clamp(sampleAt(first_ + i), range_.from, range_.to),
			std::clamp(sampleAt(first_ + i + 1), range_.from, range_.to)};
}

double IntervalGrid::startS(uint64_t i) const
{
	return std::max(static_cast<double>(first_ + i) * lengthS_,
			static_cast<double>(range_.from) * intervalS_);
}

bool ForEachIntervalRow(std::span<const SeriesSource *const> sources, SampleRange range,
		double lengthS, const std::function<void(const IntervalRow &)> &visit,
		const ProgressCallback &progress)
{
	if (sources.empty())
		return true;
	const IntervalGrid grid(range, sources.front()->intervalS(), lengthS);
	ProgressMeter meter(progress, grid.size());
	for (uint64_t i = 0; i < grid.size(); ++i) {
		const SampleRange samples = grid.samples(i);
		for (std::size_t s = 0; s < sources.size(); ++s) {
			const RangeSummary summary =
					sources[s]->summarize(samples.from, samples.to);
			visit({grid.startS(i), s, SummaryStatistics::of(summary)});
		}
		if (i % 64 == 63 && !meter.at(i + 1))
			return false;
	}
	return true;
}

} // namespace kelvra::analysis

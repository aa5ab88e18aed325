#include "BufferReview.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra {

namespace {

constexpr double kGapValue = std::numeric_limits<double>::quiet_NaN();

} // namespace

bool BufferReview::inUse(int unit) const
{
	return md_.Channels[unit].inUse();
}

double BufferReview::samplePosition(double seconds) const
{
	return seconds / (md_.settings.IntervalTM / 1000.0) + md_.GraphOrigin();
}

double BufferReview::secondsOf(int32_t p) const
{
	return (p - md_.GraphOrigin()) * (md_.settings.IntervalTM / 1000.0);
}

std::pair<double, double> BufferReview::run() const
{
	return {secondsOf(1), secondsOf(std::max(md_.DataCount, 1))};
}

std::vector<ChartPoint> BufferReview::points(int unit, double from, double to, int columns) const
{
	std::vector<ChartPoint> points;
	if (!inUse(unit) || columns < 1)
		return points;
	const double first = samplePosition(from), last = samplePosition(to);
	for (int c = 0; c < columns; ++c) {
		const auto lo = std::max(
				static_cast<int32_t>(first + (last - first) * c / columns), 1);
		const auto hi = std::min(
				static_cast<int32_t>(first + (last - first) * (c + 1) / columns),
				md_.DataCount);
		if (hi < lo)
			continue;
		SampleSummary s;
		bool gap = false;
		for (int32_t p = lo; p <= hi; ++p) {
			const float value = md_.SampleAt(unit, p);
			if (value == kNoData)
				gap = true;
			else
				s.add(value);
		}
		// A gap breaks the line as on the graph: after the column's extremes.
		if (s.count > 0) {
			points.push_back({secondsOf(lo), s.min});
			points.push_back({secondsOf(lo), s.max});
		}
		if (gap)
			points.push_back({secondsOf(lo), kGapValue});
	}
	return points;
}

std::optional<float> BufferReview::valueAt(int unit, double seconds) const
{
	const auto p = static_cast<int32_t>(std::lround(samplePosition(seconds)));
	if (p < 1 || p > md_.DataCount)
		return std::nullopt;
	const float value = md_.SampleAt(unit, p);
	if (value == kNoData)
		return std::nullopt;
	return value;
}

SampleSummary BufferReview::summarize(int unit, double from, double to) const
{
	SampleSummary summary;
	const auto first =
			std::max(static_cast<int32_t>(std::ceil(samplePosition(from) - 1e-9)), 1);
	const auto last = std::min(
			static_cast<int32_t>(std::floor(samplePosition(to) + 1e-9)), md_.DataCount);
	for (int32_t p = first; p <= last; ++p) {
		const float value = md_.SampleAt(unit, p);
		if (value != kNoData)
			summary.add(value);
	}
	return summary;
}

} // namespace kelvra

#include "Rainflow.h"

#include <algorithm>
#include <cmath>

namespace kelvra::analysis {

namespace {

constexpr uint64_t kReadSamples = 65536;

} // namespace

Outcome<RainflowCount> CountRainflow(const SeriesSource &source, SampleRange range,
		const RainflowOptions &options, const CycleVisitor &visit,
		const ProgressCallback &progress)
{
	// Without bounds given, the matrix's come from the range's extremes
	// (a recording's summaries answer them); with them, the count is one pass.
	auto bounds = options.bounds;
	if (!bounds) {
		const RangeSummary extent = source.summarize(range.from, range.to);
		if (extent.count == 0)
			return Refusal::NoSamples;
		bounds = std::pair{extent.min, extent.max};
	}
	RainflowCount out{RainflowMatrix(options.bins, bounds->first, bounds->second)};
	TurningPointFilter turningPoints(options.gate);
	RainflowCounter counter;
	auto count = [&](const RainflowCycle &cycle) {
		out.matrix.add(cycle);
		out.cycles += cycle.count;
		if (visit)
			visit(cycle);
	};
	auto reversal = [&](const TurningPoint &point) {
		++out.turningPoints;
		counter.add(point, count);
	};
	std::vector<float> values(std::min(kReadSamples, range.size()));
	ProgressMeter meter(progress, range.size());
	for (uint64_t at = range.from; at < range.to; at += kReadSamples) {
		const uint64_t n = std::min(kReadSamples, range.to - at);
		source.read(at, at + n, values.data());
		for (uint64_t i = 0; i < n; ++i) {
			if (!std::isnan(values[i]))
				turningPoints.add(values[i], at + i, reversal);
		}
		if (!meter.at(at + n - range.from))
			return Refusal::Cancelled;
	}
	turningPoints.finish(reversal);
	counter.finish(count);
	if (out.turningPoints == 0)
		return Refusal::NoSamples;
	return out;
}

} // namespace kelvra::analysis

#include "FilterDesign.h"

#include "MovingAverage.h"
#include "ZeroPhaseFilter.h"

#include <algorithm>
#include <cmath>

namespace kelvra::analysis {

namespace {

constexpr double kSettled = 1e-12;
constexpr uint64_t kLongestReach = uint64_t{1} << 26;

uint64_t settlingSamples(const Butterworth &filter)
{
	const double radius = filter.poleRadius;
	if (!(radius < 1.0))
		return kLongestReach;
	const double n = radius > 0.0 ? std::ceil(std::log(kSettled) / std::log(radius)) : 1.0;
	return std::min<uint64_t>(kLongestReach, static_cast<uint64_t>(n)) +
			FiltFiltPadding(filter.coefficients);
}

} // namespace

uint64_t DesignedFilter::reachBefore(FilterMode mode) const
{
	if (butterworth)
		return settlingSamples(*butterworth);
	return mode == FilterMode::Causal ? AverageWindow::trailing(spec.length).before
					  : AverageWindow::centred(spec.length).before;
}

uint64_t DesignedFilter::reachAfter(FilterMode mode) const
{
	if (mode == FilterMode::Causal)
		return 0;
	return butterworth ? settlingSamples(*butterworth)
			   : AverageWindow::centred(spec.length).after;
}

Outcome<DesignedFilter> DesignFilter(const FilterSpec &spec, double sampleRateHz)
{
	if (spec.kind == FilterKind::MovingAverage) {
		if (spec.length < 1 || spec.length > kMaxAverageLength)
			return Refusal::LengthOutOfRange;
		return DesignedFilter{spec, std::nullopt};
	}
	const FilterBand band = spec.kind == FilterKind::LowPass ? FilterBand::LowPass
								 : FilterBand::HighPass;
	auto butterworth = DesignButterworth(spec.order, spec.cutoffHz, sampleRateHz, band);
	if (!butterworth)
		return butterworth.refusal();
	return DesignedFilter{spec, std::move(*butterworth)};
}

} // namespace kelvra::analysis

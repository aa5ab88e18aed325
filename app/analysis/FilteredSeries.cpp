#include "FilteredSeries.h"

#include "MovingAverage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra::analysis {

FilteredSeries::FilteredSeries(const SeriesSource &input, DesignedFilter filter, FilterMode mode)
	: input_(input), filter_(std::move(filter)), mode_(mode),
	  before_(filter_.reachBefore(mode)), after_(filter_.reachAfter(mode))
{
}

std::vector<double> FilteredSeries::filtered(
		std::span<const double> stretch, StretchEnds ends) const
{
	if (!filter_.butterworth) {
		const auto length = static_cast<std::size_t>(filter_.spec.length);
		return MovingAverage(stretch,
				mode_ == FilterMode::Causal ? AverageWindow::trailing(length)
							    : AverageWindow::centred(length));
	}
	const TransferFunction &f = filter_.butterworth->coefficients;
	if (mode_ == FilterMode::ZeroPhase)
		return FiltFilt(f, stretch, ends);
	std::vector<double> out(stretch.size());
	IirFilter causal(f);
	causal.settle(stretch.front());
	causal.run(stretch.data(), out.data(), out.size());
	return out;
}

void FilteredSeries::read(uint64_t from, uint64_t to, float *out) const
{
	std::fill(out, out + (to - from), std::numeric_limits<float>::quiet_NaN());
	const uint64_t lo = from - std::min(from, before_);
	const uint64_t hi = to + std::min(after_, sampleCount() - to);
	std::vector<float> samples(hi - lo);
	input_.read(lo, hi, samples.data());
	std::vector<double> stretch;
	for (uint64_t s = lo; s < hi;) {
		if (std::isnan(samples[s - lo])) {
			++s;
			continue;
		}
		uint64_t e = s;
		stretch.clear();
		for (; e < hi && !std::isnan(samples[e - lo]); ++e)
			stretch.push_back(samples[e - lo]);
		if (e > from && s < to) {
			// A stretch reaching the edge of what was read goes on beyond it,
			// unless that edge is the series' own.
			const StretchEnds ends{s > lo || lo == 0, e < hi || hi == sampleCount()};
			const std::vector<double> y = filtered(stretch, ends);
			for (uint64_t k = std::max(s, from); k < std::min(e, to); ++k)
				out[k - from] = static_cast<float>(y[k - s]);
		}
		s = e;
	}
}

} // namespace kelvra::analysis

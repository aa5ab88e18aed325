#include "AmplitudeSpectrum.h"

#include "GapFreeStretch.h"
#include "SegmentPowers.h"

#include <cmath>
#include <numeric>

namespace kelvra::analysis {

Outcome<Spectrum> AmplitudeSpectrumOf(const SeriesSource &source, SampleRange range,
		SpectrumWindow window, const ProgressCallback &progress)
{
	const SampleRange stretch = LongestGapFreeStretch(source, range);
	if (stretch.size() < 2)
		return Refusal::NoSamples;
	const uint64_t n = stretch.size() > kLongestSingleDft ? kAveragedSegment : stretch.size();
	const std::vector<double> w = WindowValues(window, n);
	const auto powers = AverageSegmentPowers(source, stretch, w, n / 2, progress);
	if (!powers)
		return powers.refusal();
	// |X_k| of a sine of amplitude A is A × Σw / 2 at its bin.
	const double gain = std::accumulate(w.begin(), w.end(), 0.0);
	Spectrum out{source.sampleRateHz() / static_cast<double>(n), powers->mean, stretch,
			stretch != range, powers->segments};
	for (std::size_t k = 0; k < out.values.size(); ++k)
		out.values[k] = OneSidedFactor(k, n) * std::sqrt(out.values[k]) / gain;
	return out;
}

} // namespace kelvra::analysis

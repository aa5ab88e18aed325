#include "WelchPsd.h"

#include "GapFreeStretch.h"
#include "SegmentPowers.h"
#include "SpectrumWindow.h"

namespace kelvra::analysis {

Outcome<Spectrum> WelchPsdOf(const SeriesSource &source, SampleRange range, uint64_t segment,
		const ProgressCallback &progress)
{
	if (segment < 2)
		return Refusal::SegmentTooShort;
	const SampleRange stretch = LongestGapFreeStretch(source, range);
	if (stretch.empty())
		return Refusal::NoSamples;
	if (segment > stretch.size())
		return Refusal::SegmentTooLong;
	const std::vector<double> w = WindowValues(SpectrumWindow::Hann, segment);
	const auto powers =
			AverageSegmentPowers(source, stretch, w, segment - segment / 2, progress);
	if (!powers)
		return powers.refusal();
	double squares = 0.0;
	for (double v : w)
		squares += v * v;
	const double fs = source.sampleRateHz();
	const double scale = 1.0 / (fs * squares);
	Spectrum out{fs / static_cast<double>(segment), powers->mean, stretch, stretch != range,
			powers->segments};
	for (std::size_t k = 0; k < out.values.size(); ++k)
		out.values[k] *= OneSidedFactor(k, segment) * scale;
	return out;
}

} // namespace kelvra::analysis

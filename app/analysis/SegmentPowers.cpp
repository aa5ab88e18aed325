#include "SegmentPowers.h"

#include "RealFft.h"

#include <algorithm>

namespace kelvra::analysis {

namespace {

// Samples read at once: the segments they hold are transformed before the
// next read, so memory stays a few MB whatever the stretch.
constexpr uint64_t kReadSamples = uint64_t{1} << 20;

// The hot path, once per segment: mean, then (sample − mean) × window.
void prepare(const float *segment, const std::vector<double> &window, double *out)
{
	const std::size_t n = window.size();
	double sum = 0.0;
	for (std::size_t i = 0; i < n; ++i)
		sum += segment[i];
	const double mean = sum / static_cast<double>(n);
	for (std::size_t i = 0; i < n; ++i)
		out[i] = (segment[i] - mean) * window[i];
}

} // namespace

Outcome<SegmentPowers> AverageSegmentPowers(const SeriesSource &source, SampleRange stretch,
		const std::vector<double> &window, uint64_t step, const ProgressCallback &progress)
{
	const uint64_t length = window.size();
	const uint64_t segments = SegmentCount(stretch.size(), length, std::max<uint64_t>(step, 1));
	if (segments == 0)
		return Refusal::NoSamples;
	RealFft fft(length);
	SegmentPowers out{std::vector<double>(fft.bins(), 0.0), segments};
	// Each read holds whole segments, overlapping the next read by what
	// the segments overlap.
	const uint64_t perRead =
			std::max<uint64_t>(1, (std::max(kReadSamples, length) - length) / step + 1);
	std::vector<float> samples(length + (std::min(perRead, segments) - 1) * step);
	ProgressMeter meter(progress, segments);
	for (uint64_t first = 0; first < segments; first += perRead) {
		const uint64_t count = std::min(perRead, segments - first);
		const uint64_t from = stretch.from + first * step;
		source.read(from, from + length + (count - 1) * step, samples.data());
		for (uint64_t s = 0; s < count; ++s) {
			prepare(samples.data() + s * step, window, fft.input());
			fft.addPowers(out.mean.data());
		}
		if (!meter.at(first + count))
			return Refusal::Cancelled;
	}
	for (double &power : out.mean)
		power /= static_cast<double>(segments);
	return out;
}

} // namespace kelvra::analysis

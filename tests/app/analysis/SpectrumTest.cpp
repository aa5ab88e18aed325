// Spectra of sines whose amplitudes are known, and Welch's PSD against
// scipy.signal.welch on the same samples.

#include "PythonPeer.h"
#include "analysis/AmplitudeSpectrum.h"
#include "analysis/SampleVectorSeries.h"
#include "analysis/SpectrumPeaks.h"
#include "analysis/WelchPsd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace kelvra::analysis;
using kelvra::testing::PythonPeer;

namespace {

constexpr double kRateHz = 100.0;

// Sines of amplitude `a` at `f` Hz on an offset of 5, with a little noise.
std::vector<float> sines(std::size_t n, std::vector<std::pair<double, double>> parts,
		double noise = 0.0, unsigned seed = 1)
{
	std::mt19937 random(seed);
	std::normal_distribution<double> normal(0.0, noise > 0.0 ? noise : 1.0);
	std::vector<float> x(n);
	for (std::size_t i = 0; i < n; ++i) {
		double v = 5.0 + (noise > 0.0 ? normal(random) : 0.0);
		for (const auto &[a, f] : parts)
			v += a *
					std::sin(2.0 * std::numbers::pi * f *
									static_cast<double>(i) /
									kRateHz +
							0.3);
		x[i] = static_cast<float>(v);
	}
	return x;
}

SampleRange all(const SeriesSource &s)
{
	return {0, s.sampleCount()};
}

} // namespace

TEST(AmplitudeSpectrum, ASineReadsItsAmplitudeAtItsBin)
{
	// Frequencies in bins of the DFT (or of the averaged segments' DFT),
	// on a bin, between two and halfway, where a flat top loses most.
	const struct {
		SpectrumWindow window;
		std::size_t n;
		double bins;
		double tolerance;
	} rows[] = {
			{SpectrumWindow::Flattop, 10000, 400.0, 1e-3},
			{SpectrumWindow::Flattop, 10000, 400.3, 1e-3},
			{SpectrumWindow::Flattop, 10000, 400.5, 1e-3},
			{SpectrumWindow::Flattop, 4096, 37.25, 1e-3},
			{SpectrumWindow::Flattop, (1 << 20) + 5000, 1234.5, 1e-3},
			{SpectrumWindow::Hann, 10000, 400.0, 1e-6}, // float samples
			{SpectrumWindow::Rect, 10000, 400.0, 1e-6},
	};
	for (const auto &row : rows) {
		const bool averaged = row.n > kLongestSingleDft;
		const double dftSize = averaged ? kAveragedSegment : static_cast<double>(row.n);
		const double f = row.bins * kRateHz / dftSize;
		const SampleVectorSeries series(
				sines(row.n, {{2.0, f}, {0.5, 3.0 * f}}), 1 / kRateHz);
		const auto spectrum = AmplitudeSpectrumOf(series, all(series), row.window);
		ASSERT_TRUE(spectrum) << row.bins;
		const auto peaks = LargestPeaks(*spectrum, 2);
		ASSERT_EQ(2u, peaks.size());
		EXPECT_NEAR(2.0, peaks[0].value, 2.0 * row.tolerance) << row.n << " " << row.bins;
		EXPECT_LE(std::abs(peaks[0].frequencyHz - f), spectrum->frequencyStepHz / 2)
				<< row.bins;
		EXPECT_NEAR(0.5, peaks[1].value, 0.5 * row.tolerance) << row.bins;
		EXPECT_EQ(averaged ? (row.n - kAveragedSegment) / (kAveragedSegment / 2) + 1 : 1,
				spectrum->segments);
	}
}

TEST(AmplitudeSpectrum, ARangeWithGapsIsAnalysedOverItsLongestStretch)
{
	std::vector<float> x = sines(9000, {{1.0, 10.0}});
	std::fill(x.begin() + 2000, x.begin() + 2010, NAN);
	std::fill(x.begin() + 6000, x.begin() + 6001, NAN);
	const SampleVectorSeries series(x, 1 / kRateHz);
	const auto spectrum = AmplitudeSpectrumOf(series, {500, 8500});
	ASSERT_TRUE(spectrum);
	EXPECT_TRUE(spectrum->gapped);
	EXPECT_EQ((SampleRange{2010, 6000}), spectrum->analysed);
	EXPECT_FALSE(AmplitudeSpectrumOf(series, {2000, 2010}));
}

TEST(WelchPsd, EqualsScipyWelch)
{
	std::vector<float> x = sines(50000, {{1.0, 12.5}, {0.2, 31.0}}, 0.3);
	x[41000] = NAN; // the longest stretch is 0..41000
	const SampleVectorSeries series(x, 1 / kRateHz);
	const std::vector<double> stretch(x.begin(), x.begin() + 41000);
	const uint64_t segments[] = {4096, 1000, 257};
	PythonPeer scipy;
	scipy.put("x", stretch);
	std::string script = "x = get('x')\n";
	for (const uint64_t n : segments)
		script += "f, p = signal.welch(x, 100.0, window='hann', nperseg=" +
				std::to_string(n) + ", noverlap=" + std::to_string(n / 2) +
				", detrend='constant', scaling='density')\nput('f" +
				std::to_string(n) + "', f)\nput('p" + std::to_string(n) + "', p)\n";
	ASSERT_TRUE(scipy.run(script));
	for (const uint64_t segment : segments) {
		const auto psd = WelchPsdOf(series, all(series), segment);
		ASSERT_TRUE(psd);
		EXPECT_TRUE(psd->gapped);
		const std::vector<double> f = scipy.get("f" + std::to_string(segment));
		const std::vector<double> p = scipy.get("p" + std::to_string(segment));
		ASSERT_EQ(p.size(), psd->values.size());
		const double largest = *std::max_element(p.begin(), p.end());
		for (std::size_t k = 0; k < p.size(); ++k) {
			// Bin 0 holds what is left of the removed mean: rounding only.
			EXPECT_NEAR(p[k], psd->values[k], 1e-6 * std::max(p[k], 1e-9 * largest))
					<< segment << " bin " << k;
			EXPECT_NEAR(f[k], psd->frequencyHz(k), 1e-9);
		}
	}
}

TEST(WelchPsd, Refusals)
{
	std::vector<float> x(5000, 1.0f);
	std::fill(x.begin() + 1000, x.end(), NAN);
	const SampleVectorSeries series(x, 1 / kRateHz);
	const auto stop = [](double) { return false; };
	const struct {
		SampleRange range;
		uint64_t segment;
		ProgressCallback progress;
		Refusal refusal;
	} rows[] = {
			{{0, 5000}, 1001, {}, Refusal::SegmentTooLong},
			{{0, 5000}, 1, {}, Refusal::SegmentTooShort},
			{{1000, 5000}, 256, {}, Refusal::NoSamples},
			{{0, 5000}, 256, stop, Refusal::Cancelled},
	};
	for (const auto &row : rows) {
		const auto psd = WelchPsdOf(series, row.range, row.segment, row.progress);
		ASSERT_FALSE(psd);
		EXPECT_EQ(row.refusal, psd.refusal()) << row.segment;
	}
}

// Butterworth designs against scipy.signal.butter, and filtered series read
// in pieces against scipy's filtfilt and lfilter and numpy's means.

#include "PythonPeer.h"
#include "analysis/FilteredSeries.h"
#include "analysis/SampleVectorSeries.h"
#include "analysis/StreamingFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace kelvra::analysis;
using kelvra::testing::PythonPeer;

namespace {

constexpr double kRateHz = 100.0;

// Two sines and noise, with a gap at 6000..6100 and one sample missing at 15000.
std::vector<float> history()
{
	std::mt19937 random(11);
	std::normal_distribution<double> noise(0.0, 0.5);
	std::vector<float> x(20000);
	for (std::size_t i = 0; i < x.size(); ++i)
		x[i] = static_cast<float>(3.0 + std::sin(2 * std::numbers::pi * 0.7 * i / kRateHz) +
				0.4 * std::sin(2 * std::numbers::pi * 21.0 * i / kRateHz) +
				noise(random));
	std::fill(x.begin() + 6000, x.begin() + 6100, NAN);
	x[15000] = NAN;
	return x;
}

std::string pythonCall(const FilterSpec &spec, FilterMode mode)
{
	if (spec.kind == FilterKind::MovingAverage) {
		const uint64_t n = spec.length;
		const uint64_t before = mode == FilterMode::Causal ? n - 1 : n / 2;
		return "moving(v, " + std::to_string(before) + ", " +
				std::to_string(n - 1 - before) + ")";
	}
	const std::string band = spec.kind == FilterKind::LowPass ? "'lowpass'" : "'highpass'";
	return (mode == FilterMode::ZeroPhase ? "filtfilt(v, " : "causal(v, ") +
			std::to_string(spec.order) + ", " + std::to_string(spec.cutoffHz) + ", " +
			band + ")";
}

// Each stretch without a gap on its own, as the filtered series does.
const char kPeer[] = R"(
def filtfilt(s, n, fc, band):
    b, a = signal.butter(n, fc, band, fs=100.0)
    return signal.filtfilt(b, a, s)
def causal(s, n, fc, band):
    b, a = signal.butter(n, fc, band, fs=100.0)
    return signal.lfilter(b, a, s, zi=signal.lfilter_zi(b, a) * s[0])[0]
def moving(s, before, after):
    c = np.concatenate(([0.0], np.cumsum(s)))
    i = np.arange(len(s))
    lo = np.maximum(i - before, 0)
    hi = np.minimum(i + after + 1, len(s))
    return (c[hi] - c[lo]) / (hi - lo)
x = get('x')
present = np.flatnonzero(~np.isnan(x))
stretches = np.split(present, np.flatnonzero(np.diff(present) != 1) + 1)
def each(f):
    y = np.full(len(x), np.nan)
    for s in stretches:
        y[s] = f(x[s])
    return y
)";

} // namespace

TEST(Butterworth, CoefficientsEqualScipyButter)
{
	const struct {
		int order;
		double cutoffHz;
		FilterBand band;
	} rows[] = {{1, 10.0, FilterBand::LowPass}, {2, 5.0, FilterBand::HighPass},
			{4, 1.0, FilterBand::LowPass}, {5, 45.0, FilterBand::HighPass},
			{8, 20.0, FilterBand::LowPass}, {8, 0.5, FilterBand::HighPass}};
	PythonPeer scipy;
	std::string script;
	for (std::size_t r = 0; r < std::size(rows); ++r)
		script += "b, a = signal.butter(" + std::to_string(rows[r].order) + ", " +
				std::to_string(rows[r].cutoffHz) + ", '" +
				(rows[r].band == FilterBand::LowPass ? "low" : "high") +
				"', fs=100.0)\nput('b" + std::to_string(r) + "', b)\nput('a" +
				std::to_string(r) + "', a)\n";
	ASSERT_TRUE(scipy.run(script));
	for (std::size_t r = 0; r < std::size(rows); ++r) {
		const auto &row = rows[r];
		const auto design = DesignButterworth(row.order, row.cutoffHz, kRateHz, row.band);
		ASSERT_TRUE(design);
		for (const auto &[ours, name] : {
				     std::pair{design->coefficients.b, std::string("b")},
				     std::pair{design->coefficients.a, std::string("a")}}) {
			const std::vector<double> theirs = scipy.get(name + std::to_string(r));
			ASSERT_EQ(theirs.size(), ours.size());
			double largest = 0.0;
			for (double c : theirs)
				largest = std::max(largest, std::abs(c));
			for (std::size_t k = 0; k < ours.size(); ++k)
				EXPECT_NEAR(theirs[k], ours[k], 1e-10 * largest)
						<< row.order << " " << row.cutoffHz << " " << name
						<< k;
		}
	}
}

TEST(FilteredSeries, EqualsScipyFiltfiltLfilterAndNumpyMeans)
{
	const struct {
		FilterSpec spec;
		FilterMode mode;
	} rows[] = {
			{{FilterKind::LowPass, 2.0, 2}, FilterMode::ZeroPhase},
			{{FilterKind::LowPass, 10.0, 8}, FilterMode::ZeroPhase},
			{{FilterKind::HighPass, 0.3, 4}, FilterMode::ZeroPhase},
			{{FilterKind::HighPass, 30.0, 1}, FilterMode::ZeroPhase},
			{{FilterKind::LowPass, 5.0, 3}, FilterMode::Causal},
			{{FilterKind::MovingAverage, 0, 0, 5}, FilterMode::ZeroPhase},
			{{FilterKind::MovingAverage, 0, 0, 8}, FilterMode::ZeroPhase},
			{{FilterKind::MovingAverage, 0, 0, 10}, FilterMode::Causal},
	};
	const std::vector<float> x = history();
	const SampleVectorSeries input(x, 1 / kRateHz);
	PythonPeer peer;
	peer.put("x", x);
	std::string script = kPeer;
	for (std::size_t r = 0; r < std::size(rows); ++r)
		script += "put('y" + std::to_string(r) +
				"', each(lambda v: " + pythonCall(rows[r].spec, rows[r].mode) +
				"))\n";
	ASSERT_TRUE(peer.run(script));
	for (std::size_t r = 0; r < std::size(rows); ++r) {
		const auto &row = rows[r];
		const std::vector<double> expected = peer.get("y" + std::to_string(r));
		ASSERT_EQ(x.size(), expected.size());

		const auto design = DesignFilter(row.spec, kRateHz);
		ASSERT_TRUE(design);
		const FilteredSeries filtered(input, *design, row.mode);
		std::vector<float> y(x.size());
		for (uint64_t at = 0; at < y.size(); at += 3001) // pieces that cut stretches
			filtered.read(at, std::min<uint64_t>(at + 3001, y.size()), y.data() + at);
		// The live display's filter, fed one sample at a time, agrees with
		// the causal series.
		StreamingFilter live(*design);
		for (std::size_t i = 0; i < y.size(); ++i) {
			const float shown = live.step(x[i]);
			ASSERT_EQ(std::isnan(expected[i]), std::isnan(y[i])) << i;
			if (std::isnan(expected[i]))
				continue;
			ASSERT_NEAR(expected[i], y[i], 1e-6 * 5.0)
					<< pythonCall(row.spec, row.mode) << " at " << i;
			if (row.mode == FilterMode::Causal) {
				ASSERT_NEAR(y[i], shown, 1e-5) << i;
			}
		}
	}
}

TEST(FilterDesign, Refusals)
{
	const struct {
		FilterSpec spec;
		Refusal refusal;
	} rows[] = {
			{{FilterKind::LowPass, 50.0, 4}, Refusal::CutoffOutOfRange},
			{{FilterKind::HighPass, 0.0, 4}, Refusal::CutoffOutOfRange},
			{{FilterKind::LowPass, 10.0, 9}, Refusal::OrderOutOfRange},
			{{FilterKind::LowPass, 10.0, 0}, Refusal::OrderOutOfRange},
			{{FilterKind::MovingAverage, 0, 0, 0}, Refusal::LengthOutOfRange},
	};
	for (const auto &row : rows) {
		const auto design = DesignFilter(row.spec, kRateHz);
		ASSERT_FALSE(design);
		EXPECT_EQ(row.refusal, design.refusal());
	}
}

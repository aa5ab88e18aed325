// Rainflow counting: the standard's own example, and random histories
// against a plain three-point counter in numpy and Python.

#include "analysis/Rainflow.h"
#include "PythonPeer.h"
#include "analysis/SampleVectorSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <tuple>

using namespace kelvra::analysis;
using kelvra::testing::PythonPeer;

namespace {

using Row = std::tuple<double, double, double, uint64_t, uint64_t>;

std::vector<Row> cyclesOf(const std::vector<float> &history, const RainflowOptions &options = {})
{
	const SampleVectorSeries series(history, 1.0);
	std::vector<Row> rows;
	const auto count = CountRainflow(
			series, {0, series.sampleCount()}, options, [&](const RainflowCycle &c) {
				rows.emplace_back(c.range, c.mean, c.count, c.startSample,
						c.endSample);
			});
	EXPECT_TRUE(count);
	std::sort(rows.begin(), rows.end());
	return rows;
}

// Written from the standard's steps, not from the counter under test.
const char kPeer[] = R"(
x = get('x')
keep = np.concatenate(([True], np.diff(x) != 0))      # a flat stretch turns at its first sample
idx = np.flatnonzero(keep)
v = x[idx]
d = np.sign(np.diff(v))
turns = np.flatnonzero(d[1:] != d[:-1]) + 1
sel = np.concatenate(([0], turns, [len(v) - 1]))
points = list(zip(v[sel].tolist(), idx[sel].tolist()))
cycles = []
def count(a, b, n):
    cycles.append((abs(b[0] - a[0]), (a[0] + b[0]) / 2, n, a[1], b[1]))
held = []
for p in points:
    held.append(p)
    while len(held) >= 3:
        x_range = abs(held[-1][0] - held[-2][0])
        y_range = abs(held[-2][0] - held[-3][0])
        if x_range < y_range:
            break
        if len(held) == 3:                            # Y holds the starting point
            count(held[0], held[1], 0.5)
            held.pop(0)
        else:
            count(held[-3], held[-2], 1.0)
            del held[-3:-1]
for a, b in zip(held, held[1:]):
    count(a, b, 0.5)
put('cycles', np.array(sorted(cycles)).ravel())
)";

} // namespace

TEST(Rainflow, TheStandardsExample)
{
	const std::vector<Row> rows = cyclesOf({-2, 1, -3, 5, -1, 3, -4, 4, -2});
	std::map<double, double> byRange;
	for (const auto &[range, mean, count, start, end] : rows)
		byRange[range] += count;
	EXPECT_EQ((std::map<double, double>{{3, 0.5}, {4, 1.5}, {6, 0.5}, {8, 1.0}, {9, 0.5}}),
			byRange);
	// The full cycle −1 → 3 → −1, with the reversals that bound it.
	EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), Row{4.0, 1.0, 1.0, 4, 5}));
}

TEST(Rainflow, RandomHistoriesEqualAPlainCounter)
{
	std::mt19937 random(7);
	std::normal_distribution<float> normal(0.0f, 10.0f);
	std::uniform_int_distribution<int> small(-5, 5); // ties and flat stretches
	const struct {
		const char *what;
		std::function<float()> next;
	} rows[] = {{"normal", [&] { return normal(random); }},
			{"small integers", [&] { return static_cast<float>(small(random)); }}};
	for (const auto &row : rows) {
		std::vector<float> history(100000);
		std::generate(history.begin(), history.end(), row.next);
		PythonPeer peer;
		peer.put("x", history);
		ASSERT_TRUE(peer.run(kPeer));
		const std::vector<double> flat = peer.get("cycles");
		std::vector<Row> expected;
		for (std::size_t i = 0; i + 4 < flat.size(); i += 5)
			expected.emplace_back(flat[i], flat[i + 1], flat[i + 2],
					static_cast<uint64_t>(flat[i + 3]),
					static_cast<uint64_t>(flat[i + 4]));
		EXPECT_EQ(expected, cyclesOf(history)) << row.what;
	}
}

TEST(Rainflow, TheGateDropsSmallerReversalsAndTheMatrixHoldsEveryCycle)
{
	// Ten periods of a sine of amplitude 10, with wiggles of up to ±0.4.
	std::mt19937 random(3);
	std::uniform_real_distribution<float> wiggle(-0.4f, 0.4f);
	std::vector<float> history(10000);
	for (std::size_t i = 0; i < history.size(); ++i)
		history[i] = 10.0f *
						static_cast<float>(std::sin(2 * std::numbers::pi *
								i / 1000.0)) +
				wiggle(random);
	history[5000] = NAN; // skipped: the history goes on

	const SampleVectorSeries series(history, 0.01);
	std::vector<RainflowCycle> gated;
	const auto count = CountRainflow(series, {0, 10000}, {1.0, 8, std::nullopt},
			[&](const RainflowCycle &c) { gated.push_back(c); });
	ASSERT_TRUE(count);
	EXPECT_LE(std::abs(count->cycles - 10.0), 1.0);
	for (const RainflowCycle &c : gated)
		EXPECT_GE(c.range, 1.0);
	EXPECT_DOUBLE_EQ(count->cycles, count->matrix.total());
	const auto ungated = CountRainflow(series, {0, 10000}, {0.0, 8, std::nullopt});
	EXPECT_GT(ungated->cycles, 1000.0);
	EXPECT_FALSE(CountRainflow(series, {5000, 5001}, {}));
}

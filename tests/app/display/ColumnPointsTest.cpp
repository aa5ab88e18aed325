#include "display/ColumnPoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace kelvra;

namespace {

struct Signal {
	EnvelopePyramid values;
	std::vector<double> xs;
};

// Noise with one spike up and one down, and a stretch of NaN.
Signal noisy(int32_t count, int32_t gapAt)
{
	Signal s;
	s.values.resize(count);
	std::mt19937 random(7);
	std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
	for (int32_t i = 0; i < count; ++i) {
		s.values.set(i, noise(random));
		s.xs.push_back(i * 0.01);
	}
	s.values.set(count / 3, 50.0f);
	s.values.set(count / 3 + 1, -40.0f);
	for (int32_t i = gapAt; i < gapAt + 3; ++i)
		s.values.set(i, std::nanf(""));
	s.values.update();
	return s;
}

} // namespace

TEST(ColumnPoints, KeepsEveryPeakAndGapAtAnyZoomWithinTwoPointsAColumn)
{
	struct Case {
		int32_t count, first, last;
		int columns;
	};
	for (auto c : {Case{88000, 0, 88000, 800}, Case{88000, 29000, 30000, 333},
			     Case{5000, 0, 5000, 1200}, Case{1000, 100, 900, 800}}) {
		Signal s = noisy(c.count, c.count / 2);
		const auto points = ColumnPoints(s.values, s.xs, c.first, c.last, c.columns);
		double top = -1e9, bottom = 1e9;
		bool gap = false;
		for (const ChartPoint &p : points) {
			gap = gap || std::isnan(p.y);
			if (!std::isnan(p.y)) {
				top = std::max(top, p.y);
				bottom = std::min(bottom, p.y);
			}
		}
		const bool spikeShown = c.first <= c.count / 3 && c.count / 3 < c.last;
		const bool gapShown = c.first <= c.count / 2 && c.count / 2 < c.last;
		EXPECT_EQ(spikeShown, top == 50.0 && bottom == -40.0) << c.count << " " << c.first;
		EXPECT_EQ(gapShown, gap) << c.count << " " << c.first;
		EXPECT_LE(points.size(),
				std::max<std::size_t>(3 * c.columns + 2, c.last - c.first + 2));
		EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
				[](const ChartPoint &a, const ChartPoint &b) {
					return a.x < b.x;
				}));
	}
}

TEST(ColumnPoints, FollowsValuesWrittenAfterTheFirstUpdate)
{
	Signal s = noisy(88000, 100);
	s.values.set(87999, 99.0f);
	s.values.set(80050, 77.0f);
	s.values.resize(88001);
	s.values.set(88000, -99.0f);
	s.xs.push_back(880.0);
	s.values.update();
	const auto e = s.values.extent(0, 88001);
	EXPECT_EQ(99.0f, e.maximum);
	EXPECT_EQ(-99.0f, e.minimum);
	s.values.resize(80000);
	s.values.update();
	EXPECT_EQ(50.0f, s.values.extent(0, 80000).maximum);
}

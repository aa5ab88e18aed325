// Interval statistics of a day at 10 ms with gaps, from a source that
// answers whole blocks from its summaries, against the raw samples.

#include "analysis/IntervalStatistics.h"
#include "SummarySeries.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvra::analysis;
using kelvra::testing::SummarySeries;

namespace {

constexpr uint64_t kDay = 8640000;

float valueAt(uint64_t s)
{
	return 100.0f + 20.0f * static_cast<float>(std::sin(s * 1e-4)) +
			static_cast<float>((s * 2654435761u) % 1000) * 0.001f;
}

struct Raw {
	uint64_t count = 0;
	double min = INFINITY, max = -INFINITY, sum = 0, squares = 0, deviations = 0;
};

} // namespace

TEST(IntervalStatistics, EqualTheRawSamplesOverADayWithGaps)
{
	// A drop-out of 40 s, one of a single sample, and the last 90 s missing.
	const std::vector<SampleRange> gaps{
			{1000000, 1004000}, {5000001, 5000002}, {kDay - 9000, kDay}};
	const SummarySeries day(kDay, 0.01, valueAt, gaps);
	const SeriesSource *const sources[] = {&day};
	const SampleRange range{1234, kDay};
	for (const char *name : {"1s", "10s", "1min", "10min", "1h", "1d"}) {
		const double length = *StatisticsIntervalNamed(name);
		const auto perInterval = static_cast<uint64_t>(std::llround(length / 0.01));
		std::vector<IntervalRow> rows;
		day.samplesRead = 0;
		ASSERT_TRUE(ForEachIntervalRow(sources, range, length,
				[&](const IntervalRow &row) { rows.push_back(row); }));
		const uint64_t first = range.from / perInterval;
		ASSERT_EQ((kDay - 1) / perInterval + 1 - first, rows.size()) << name;
		// Raw samples only at the edges of each interval's blocks.
		EXPECT_LE(day.samplesRead, rows.size() * std::min<uint64_t>(perInterval, 2 * 1024))
				<< name;

		// Two passes over the samples: the sums, then the squares about each mean.
		std::vector<Raw> raw(rows.size());
		auto forEachPresent = [&](auto visit) {
			for (uint64_t s = range.from; s < range.to; ++s) {
				if (std::none_of(gaps.begin(), gaps.end(),
						    [&](const SampleRange &g) {
							    return s >= g.from && s < g.to;
						    }))
					visit(raw[s / perInterval - first],
							static_cast<double>(valueAt(s)));
			}
		};
		forEachPresent([](Raw &r, double v) {
			++r.count;
			r.min = std::min(r.min, v);
			r.max = std::max(r.max, v);
			r.sum += v;
			r.squares += v * v;
		});
		forEachPresent([](Raw &r, double v) {
			r.deviations += (v - r.sum / r.count) * (v - r.sum / r.count);
		});
		for (std::size_t i = 0; i < rows.size(); ++i) {
			const SummaryStatistics &got = rows[i].statistics;
			const Raw &r = raw[i];
			ASSERT_EQ(r.count, got.count) << name << " " << i;
			EXPECT_NEAR(std::max((first + i) * length, 12.34), rows[i].startS, 1e-9)
					<< name;
			if (r.count == 0)
				continue;
			const double n = static_cast<double>(r.count);
			EXPECT_EQ(r.min, got.min);
			EXPECT_EQ(r.max, got.max);
			EXPECT_NEAR(r.sum / n, got.mean, 1e-12 * got.mean) << name << " " << i;
			EXPECT_NEAR(std::sqrt(r.squares / n), got.rms, 1e-12 * got.rms);
			EXPECT_NEAR(std::sqrt(r.deviations / n), got.sd, 1e-6 * got.sd)
					<< name << " " << i;
		}
	}
	EXPECT_FALSE(StatisticsIntervalNamed("2h"));
}

#include "display/BufferReview.h"
#include "display/GraphView.h"
#include "display/SpanStatistics.h"
#include "fakes/FakeChart.h"
#include "fakes/Measurements.h"
#include "fakes/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

// 1000 samples at 10 ms held, shown whole: 0.01 .. 10 s on the chart.
class ZoomTest : public ::testing::Test {
protected:
	ZoomTest()
	{
		md.InitDataArray();
		md.ClearMeasData();
		md.SetRange();
		md.settings.IntervalTM = 10;
		md.DataCount = 1000;
		view.InitGraphParam(true);
	}

	ModuleData md;
	FakeChart chart;
	FakeViewControls controls;
	RecordingPrompt prompt;
	GraphView view{md, chart, controls, prompt};
};

} // namespace

TEST_F(ZoomTest, WheelKeepsTheMomentUnderThePointerAndPanMovesTheSpan)
{
	struct Case {
		double pivot, steps, from, to;
	};
	for (auto c : {Case{0.01, 1, 0.01, 8.002}, Case{10.0, 1, 2.008, 10.0},
			     Case{5.0, 2, 1.8064, 8.2}, Case{5.0, -1, -1.2375, 11.25}}) {
		view.showAll();
		view.wheelX(c.pivot, c.steps);
		EXPECT_NEAR(c.from, chart.x.first, 1e-9) << c.pivot << " " << c.steps;
		EXPECT_NEAR(c.to, chart.x.second, 1e-9) << c.pivot << " " << c.steps;
	}
	view.zoomX(2.0, 4.0);
	view.panX(0.5);
	EXPECT_EQ(std::make_pair(3.0, 5.0), chart.x);
	view.zoomX(3.0, 3.01);
	EXPECT_EQ(std::make_pair(3.0, 5.0), chart.x) << "no closer than two samples";
}

TEST_F(ZoomTest, ZoomLeavesAutoScrollUntilItIsChosenAgain)
{
	md.MeasFlag = kTrue;
	controls.chosen = QStringLiteral("100");
	view.chooseScrollMode(1);
	view.zoomX(1.0, 2.0);
	EXPECT_EQ(2, controls.scrollShown);
	EXPECT_TRUE(controls.arrowsEnabled);
	md.DataCount = 5000;
	view.FollowAxisX();
	EXPECT_EQ(std::make_pair(1.0, 2.0), chart.x) << "a zoomed span stays put";
	view.scrollRight();
	EXPECT_EQ(150, view.state().firstShown) << "the arrows scroll by half the zoomed span";
	view.chooseScrollMode(1);
	view.FollowAxisX();
	EXPECT_LE(chart.x.first, 50.0);
	EXPECT_GE(chart.x.second, 50.0) << "auto-scroll follows the newest samples again";
}

TEST_F(ZoomTest, ZoomedValuesHoldUntilAScaleOptionOrShowAll)
{
	md.MeasFlag = kTrue;
	md.AllMax = 4500.0f;
	md.AllMin = -200.0f;
	view.zoomY(-10.0, 10.0);
	view.FollowAxisY(kFalse);
	EXPECT_EQ(std::make_pair(-10.0, 10.0), chart.y);
	view.wheelY(0.0, 1.0);
	EXPECT_EQ(std::make_pair(-8.0, 8.0), chart.y);
	view.chooseScaleMode(0);
	EXPECT_EQ(std::make_pair(-1000.0, 5000.0), chart.y) << "自動 rules the axis again";
	view.zoomY(-10.0, 10.0);
	view.showAll();
	EXPECT_EQ(std::make_pair(-1000.0, 5000.0), chart.y);
}

TEST_F(ZoomTest, TheTimeAxisReadsInHoursPastAnHourAndInClockTimeOnRequest)
{
	struct Case {
		int32_t intervalMs;
		const char *startTime;
		bool clock;
		TimeAxis expected;
	};
	for (auto c : {Case{10, "2026/1/2 3:4:5", false, TimeAxis::Seconds},
			     Case{3600, "2026/1/2 3:4:5", false, TimeAxis::Seconds}, // one hour
			     Case{3700, "2026/1/2 3:4:5", false, TimeAxis::Hours},
			     Case{10, "2026/1/2 3:4:5", true, TimeAxis::Clock},
			     Case{3700, "", true, TimeAxis::Hours}}) {
		md.settings.IntervalTM = c.intervalMs;
		md.StartTimeStr = QString::fromLatin1(c.startTime);
		view.setClockShown(c.clock);
		view.showAll();
		EXPECT_EQ(c.expected, chart.timeAxis) << c.intervalMs << " ms " << c.clock;
	}
}

TEST(Statistics, OfKnownSignalsOverTheBuffers)
{
	ModuleData md = smallMeasurement(); // one sample a second
	constexpr double kPi = 3.14159265358979323846;
	struct Case {
		const char *name;
		float (*value)(int32_t i);
		SpanStatistics expected;
	};
	const Case cases[] = {
			{"constant", [](int32_t) { return 2.5f; },
					{2.5, 2.5, 2.5, 2.5, 0.0, 0.0, 400}},
			{"sine over whole periods",
					[](int32_t i) {
						return static_cast<float>(3.0 *
								std::sin(2 * kPi * i / 100.0));
					},
					{-3.0, 3.0, 0.0, 3.0 / std::sqrt(2.0), 3.0 / std::sqrt(2.0),
							6.0, 400}},
			{"step", [](int32_t i) { return i < 300 ? 0.0f : 10.0f; },
					{0.0, 10.0, 5.0, std::sqrt(50.0), 5.0, 10.0, 400}},
	};
	BufferReview review(md);
	for (const Case &c : cases) {
		fillEveryUnit(md, [&](int, int32_t i) { return c.value(i); });
		// Samples 101..500 (index 100..499) lie at 101..500 s.
		const auto s = SpanStatistics::of(review.summarize(1, 101.0, 500.0));
		EXPECT_EQ(c.expected.count, s.count) << c.name;
		for (auto [got, want] : {std::pair{s.minimum, c.expected.minimum},
				     {s.maximum, c.expected.maximum}, {s.mean, c.expected.mean},
				     {s.rms, c.expected.rms},
				     {s.standardDeviation, c.expected.standardDeviation},
				     {s.peakToPeak, c.expected.peakToPeak}})
			EXPECT_NEAR(want, got, 1e-4) << c.name;
	}
	EXPECT_FLOAT_EQ(10.0f, *review.valueAt(2, 301.4));
	EXPECT_FALSE(review.valueAt(2, 88000.6)) << "past the samples held";
}

TEST(Overview, BreaksTheLineOfTheBuffersAtAGap)
{
	ModuleData md = smallMeasurement(); // one sample a second
	// Samples 40001..50000 (at 40001..50000 s) were lost.
	fillEveryUnit(md, [](int, int32_t i) { return i >= 40000 && i < 50000 ? kNoData : 1.0f; });
	const BufferReview review(md);
	const auto [from, to] = review.run();
	for (int columns : {20, 700}) {
		const auto points = review.points(1, from, to, columns);
		ASSERT_FALSE(points.empty());
		for (size_t i = 1; i < points.size(); ++i) {
			const ChartPoint &a = points[i - 1], &b = points[i];
			EXPECT_FALSE(!std::isnan(a.y) && !std::isnan(b.y) && a.x < 40000.5 &&
					b.x > 40000.5)
					<< columns << " columns: a line from " << a.x << " s to "
					<< b.x << " s";
		}
	}
}

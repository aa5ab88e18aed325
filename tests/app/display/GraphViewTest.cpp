#include "display/GraphView.h"
#include "fakes/FakeChart.h"
#include "fakes/RecordingPrompt.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class GraphViewTest : public ::testing::Test {
protected:
	GraphViewTest()
	{
		md.InitDataArray();
		md.ClearMeasData(); // before SetRange, as at start-up
		md.SetRange();
		view.InitGraphParam(false);
	}

	void measuring(int32_t count)
	{
		md.MeasFlag = kTrue;
		md.DataCount = count;
	}

	std::pair<int32_t, int32_t> window() const
	{
		return {view.state().firstShown, view.state().lastShown};
	}

	ModuleData md;
	FakeChart chart;
	FakeViewControls controls;
	RecordingPrompt prompt;
	GraphView view{md, chart, controls, prompt};
};

} // namespace

TEST_F(GraphViewTest, StartUpShowsOneToHundredAndZeroToThousand)
{
	EXPECT_EQ(std::make_pair(0.0, 1000.0), chart.y) << "extremes are still 0 at start-up";
	EXPECT_EQ(std::make_pair(1.0, 100.0), chart.x);
	EXPECT_EQ(36, controls.items.size());
	EXPECT_EQ(QStringLiteral("10"), controls.items.first());
	EXPECT_EQ(QStringLiteral("90000"), controls.items.last());
	EXPECT_EQ(QStringLiteral("100"), controls.chosen);
	EXPECT_EQ(0, controls.scrollShown);
	EXPECT_EQ(0, controls.scaleShown);
	EXPECT_FALSE(controls.arrowsEnabled);
	EXPECT_FALSE(controls.inputsEnabled);
	EXPECT_TRUE(controls.top.isEmpty());
}

TEST_F(GraphViewTest, ShowAllWhileMeasuring)
{
	for (auto [count, end] : {std::pair{150, 200}, std::pair{1000, 2000}, std::pair{100, 100},
			     std::pair{12345, 13000}}) {
		measuring(count);
		view.chooseScrollMode(0);
		EXPECT_EQ(std::make_pair(1, end), window()) << count;
	}
	md.MeasFlag = kFalse;
	md.DataCount = 0;
	view.chooseScrollMode(0);
	EXPECT_EQ(std::make_pair(1, 100), window());
}

TEST_F(GraphViewTest, ShowAllGrowsWithTheSamples)
{
	view.state().windowSize = 500;
	measuring(0);
	ASSERT_EQ(kTrue, view.SetGraphParam());
	EXPECT_EQ(100, view.state().windowSize) << "a run shown whole starts with 100";
	const std::pair<int32_t, int32_t> expected[] = {{1, 100}, {1, 201}, {1, 301}};
	int step = 0;
	for (int32_t count : {100, 101, 202}) {
		md.DataCount = count;
		view.FollowAxisX();
		EXPECT_EQ(expected[step++], window()) << count;
	}
	EXPECT_EQ(300, view.state().windowSize);
	md.DataCount = 1000;
	view.state().lastShown = 999;
	view.state().windowSize = 998;
	view.FollowAxisX();
	EXPECT_EQ(1998, view.state().windowSize) << "from 1000 on each growth adds 1000";
	md.DataCount = 10000;
	view.state().lastShown = 9999;
	view.FollowAxisX();
	EXPECT_EQ(11998, view.state().windowSize);
	EXPECT_FALSE(chart.suspended());
}

TEST_F(GraphViewTest, AutoScrollJumpsByHalfAWindow)
{
	measuring(0);
	controls.chosen = QStringLiteral("100");
	view.chooseScrollMode(1);
	EXPECT_EQ(std::make_pair(1, 100), window());
	md.DataCount = 101;
	view.FollowAxisX();
	EXPECT_EQ(std::make_pair(51, 150), window());
	md.DataCount = 151;
	view.FollowAxisX();
	EXPECT_EQ(std::make_pair(101, 200), window());
	md.DataCount = 180;
	view.FollowAxisX();
	EXPECT_EQ(std::make_pair(101, 200), window());

	md.DataCount = 1234;
	view.chooseScrollMode(1);
	EXPECT_EQ(std::make_pair(1200, 1300), window()) << "one more than a full window";
}

TEST_F(GraphViewTest, ManualScrollStaysInsideTheData)
{
	md.DataCount = 300;
	controls.chosen = QStringLiteral("100");
	view.chooseScrollMode(2);
	EXPECT_TRUE(controls.arrowsEnabled);
	EXPECT_EQ(std::make_pair(1, 100), window());
	view.scrollLeft();
	EXPECT_EQ(std::make_pair(1, 100), window()) << "left at the start keeps 1";
	view.scrollRight();
	view.scrollRight();
	view.scrollRight();
	view.scrollRight();
	view.scrollRight();
	EXPECT_EQ(std::make_pair(251, 350), window());
	view.scrollRight();
	EXPECT_EQ(std::make_pair(251, 350), window()) << "nothing once the start passes the data";
	view.scrollLeft();
	EXPECT_EQ(std::make_pair(201, 300), window());
	EXPECT_EQ(std::make_pair(201.0, 300.0), chart.x);

	controls.chosen = QStringLiteral("20");
	view.chooseWindowSize();
	EXPECT_EQ(std::make_pair(201, 220), window());
	view.chooseScrollMode(0);
	view.scrollRight();
	EXPECT_EQ(1, view.state().firstShown) << "arrows act in manual mode only";
}

TEST_F(GraphViewTest, YFollowsTheDataInStepsAndNeverShrinks)
{
	md.AllMax = 1500.0f;
	md.AllMin = 0.0f;
	view.FollowAxisY(kFalse);
	EXPECT_EQ(std::make_pair(0.0, 2000.0), chart.y);
	md.AllMax = 2000.0f;
	view.FollowAxisY(kTrue);
	EXPECT_EQ(std::make_pair(0.0, 2000.0), chart.y);
	md.AllMax = 2500.0f;
	view.FollowAxisY(kTrue);
	EXPECT_EQ(std::make_pair(0.0, 3000.0), chart.y);
	md.AllMin = -1.0f;
	view.FollowAxisY(kTrue);
	EXPECT_EQ(std::make_pair(-1000.0, 3000.0), chart.y);
	md.AllMax = 10.0f;
	md.AllMin = 0.0f;
	view.FollowAxisY(kTrue);
	EXPECT_EQ(std::make_pair(-1000.0, 3000.0), chart.y);
}

TEST_F(GraphViewTest, FixedYScaleIsTheUsersAndChecked)
{
	view.chooseScaleMode(1);
	EXPECT_TRUE(controls.inputsEnabled);
	controls.top = QStringLiteral("500");
	controls.bottom = QStringLiteral("-250.5");
	view.applyTypedScale();
	EXPECT_EQ(std::make_pair(-250.5, 500.0), chart.y);
	md.AllMax = 99999.0f;
	view.FollowAxisY(kFalse);
	EXPECT_EQ(std::make_pair(-250.5, 500.0), chart.y) << "new samples never move a fixed axis";

	controls.top = QStringLiteral("-300");
	view.applyTypedScale();
	EXPECT_EQ(QStringLiteral("設定値に誤りがあります。"), prompt.texts().value(0));
	controls.top = QStringLiteral("abc");
	view.applyTypedScale();
	EXPECT_EQ(1u, prompt.shown.size()) << "text that is no number: no message on 設定";

	EXPECT_EQ(kTrue, view.SetGraphParam()) << "the run starts all the same";
	EXPECT_EQ(2u, prompt.shown.size());
	EXPECT_EQ(std::make_pair(-250.5, 500.0), chart.y);
}

TEST_F(GraphViewTest, RunStartAndFileLoadResetTheView)
{
	md.RangeMax = 4999.6f;
	md.RangeMin = -4999.6f;
	controls.chosen = QStringLiteral("500");
	view.chooseScrollMode(1);
	measuring(0);
	view.SetGraphParam();
	EXPECT_EQ(std::make_pair(1, 500), window());
	EXPECT_EQ(std::make_pair(-5000.0, 5000.0), chart.y);
	EXPECT_GE(chart.resets, 1);

	md.MeasFlag = kFalse;
	md.DataCount = 5000;
	view.InitGraphParam(true);
	EXPECT_EQ(std::make_pair(1, 5000), window());
	EXPECT_EQ(0, controls.scrollShown);
	EXPECT_EQ(QStringLiteral("100"), controls.chosen);

	md.TrgMode = kTrue;
	md.settings.TrgDnum1 = 10;
	md.settings.IntervalTM = 500;
	view.ApplyAxisX();
	EXPECT_EQ(std::make_pair(-5.0, 2494.5), chart.x) << "the trigger sample sits at 0";
}

TEST(ExpandScaleToData, GrowsInStepsOfAThousandAndNeverShrinks)
{
	struct Row {
		float top, bottom, allMin, allMax;
		bool changed;
		float newTop, newBottom;
	};
	const Row rows[] = {
			{4000, -1000, 0, 5000, true, 6000, -1000},
			{5000, -1000, 0, 5000, false, 5000, -1000},
			{1000, -1000, -1500, 2000, true, 3000, -2000},
			{1000, -1000, -2000, 500, true, 1000, -2000},
	};
	for (const Row &row : rows) {
		GraphViewState state;
		state.scaleTop = row.top;
		state.scaleBottom = row.bottom;
		EXPECT_EQ(row.changed, ExpandScaleToData(state, row.allMin, row.allMax))
				<< row.allMax;
		EXPECT_EQ(row.newTop, state.scaleTop) << row.allMax;
		EXPECT_EQ(row.newBottom, state.scaleBottom) << row.allMin;
	}
}

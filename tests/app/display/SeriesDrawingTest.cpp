#include "display/SeriesDrawing.h"
#include "fakes/FakeChart.h"
#include "fakes/IdleStateTest.h"
#include "fakes/RecordingPrompt.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class DrawingTest : public IdleStateTest {
protected:
	FakeChart chart;
	FakeViewControls controls;
	RecordingPrompt prompt;
	GraphView view{md, chart, controls, prompt};
	SeriesDrawing drawing{md, chart, view};
};

} // namespace

TEST_F(DrawingTest, UsedUnitsAreDrawnAndMarkersLeaveGaps)
{
	md.Channels[0].Mflag = md.Channels[2].Mflag = kTrue;
	md.Channels[0].Data[0] = 5.0f;
	md.Channels[0].Data[2] = 7.0f; // sample 2 holds the marker
	md.Channels[2].Data[0] = -1.0f;
	md.DataCount = 3;
	drawing.GrDrawData2(1, 3);
	ASSERT_EQ(3u, chart.series[0].size());
	EXPECT_DOUBLE_EQ(0.5, chart.series[0][0].x) << "the first sample sits at one interval";
	EXPECT_DOUBLE_EQ(5.0, chart.series[0][0].y);
	EXPECT_TRUE(std::isnan(chart.series[0][1].y));
	EXPECT_DOUBLE_EQ(1.5, chart.series[0][2].x);
	EXPECT_TRUE(chart.series[1].empty()) << "a unit not in use gets no values";
	EXPECT_EQ(3, chart.counts[1]) << "but keeps the point count";
	EXPECT_EQ(3, chart.counts[3]);

	md.ClearMeasData();
	drawing.GrDrawData(1);
	EXPECT_EQ(1u, chart.series[0].size()) << "a run start shrinks every series to one point";
	EXPECT_TRUE(std::isnan(chart.series[0][0].y));
}

TEST_F(DrawingTest, TriggerDataSitAroundTheTriggerAndKeepOrderAcrossTheWrap)
{
	md.Channels[1].Mflag = kTrue;
	md.TrgMode = kTrue;
	md.TrgOn = kTrue;
	md.settings.TrgDnum1 = 3;
	md.Channels[1].StartPos = kBufferLength - 2;
	md.Channels[1].DataNum = 6;
	for (int k = 1; k <= 6; ++k)
		md.Channels[1].Data[md.RingIndex(1, k)] = static_cast<float>(k);
	md.DataCount = 6;
	md.StartTimeStr = QStringLiteral("2026/1/1 0:0:0");
	drawing.GrDrawData2(1, 6);
	drawing.DrawTrigLine(kTrue);
	ASSERT_EQ(6u, chart.series[1].size());
	EXPECT_DOUBLE_EQ(-1.5, chart.series[1][0].x) << "TrgDnum1 intervals before the trigger";
	for (int k = 1; k <= 6; ++k) {
		EXPECT_DOUBLE_EQ((k - 4) * 0.5, chart.series[1][k - 1].x);
		EXPECT_DOUBLE_EQ(k, chart.series[1][k - 1].y);
	}
	EXPECT_EQ(std::optional(0.0), chart.trigger);
	EXPECT_EQ(QStringLiteral("開始時刻 [ 2026/1/1 0:0:0 ]"), chart.header);
}

TEST_F(DrawingTest, TitlesFollowTheSettings)
{
	drawing.InitGraph();
	EXPECT_EQ((QStringList{QStringLiteral("ID0 "), QStringLiteral("ID1 "),
				  QStringLiteral("ID2 "), QStringLiteral("ID3 ")}),
			chart.labels);
	drawing.SetGraphTitles();
	const QString blanks(19, QLatin1Char(' '));
	EXPECT_EQ(QStringLiteral("開始時刻 [ ") + blanks + QStringLiteral(" ]"), chart.header);
	EXPECT_EQ(QStringLiteral("開始からの経過時間（秒）"), chart.xTitle);
	EXPECT_EQ(QStringLiteral("μひずみ"), chart.yTitle);
	EXPECT_FALSE(chart.trigger);

	md.settings.TrgMinFlag = kTrue;
	md.settings.Sing = 5;
	drawing.SetGraphTitles();
	EXPECT_EQ(QStringLiteral("トリガ時刻 [ ") + blanks + QStringLiteral(" ]"), chart.header);
	EXPECT_EQ(QStringLiteral("トリガの経過時間（秒）"), chart.xTitle);
	EXPECT_EQ(QStringLiteral("MN"), chart.yTitle);
	md.settings.Sing = 6;
	drawing.SetGraphTitles();
	EXPECT_TRUE(chart.yTitle.isEmpty());
	EXPECT_FALSE(chart.suspended());
}

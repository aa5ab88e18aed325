#include "display/CurrentValues.h"
#include "display/DataListModel.h"
#include "display/SeriesDrawing.h"
#include "fakes/FakeChart.h"
#include "fakes/RecordingPrompt.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class DrawingTest : public ::testing::Test {
protected:
	DrawingTest()
	{
		md.InitDataArray();
		md.SetRange();
		md.ClearMeasData();
		md.IntervalTM = 500;
	}

	ModuleData md;
	FakeChart chart;
	FakeViewControls controls;
	RecordingPrompt prompt;
	GraphView view{md, chart, controls, prompt};
	SeriesDrawing drawing{md, chart, view};
};

class Labels : public ValueLabels {
public:
	void setValueText(int unit, const QString &text) override { texts[unit] = text; }
	std::array<QString, 4> texts{QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")};
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
	md.TrgDnum1 = 3;
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
	EXPECT_EQ((QStringList{QStringLiteral("ID0 "), QStringLiteral("ID1 "), QStringLiteral("ID2 "), QStringLiteral("ID3 ")}),
			chart.labels);
	drawing.SetGraphTitles();
	const QString blanks(19, QLatin1Char(' '));
	EXPECT_EQ(QStringLiteral("開始時刻 [ ") + blanks + QStringLiteral(" ]"), chart.header);
	EXPECT_EQ(QStringLiteral("開始からの経過時間（秒）"), chart.xTitle);
	EXPECT_EQ(QStringLiteral("μひずみ"), chart.yTitle);
	EXPECT_FALSE(chart.trigger);

	md.TrgMinFlag = kTrue;
	md.Sing = 5;
	drawing.SetGraphTitles();
	EXPECT_EQ(QStringLiteral("トリガ時刻 [ ") + blanks + QStringLiteral(" ]"), chart.header);
	EXPECT_EQ(QStringLiteral("トリガの経過時間（秒）"), chart.xTitle);
	EXPECT_EQ(QStringLiteral("MN"), chart.yTitle);
	md.Sing = 6;
	drawing.SetGraphTitles();
	EXPECT_TRUE(chart.yTitle.isEmpty());
	EXPECT_FALSE(chart.suspended());
}

TEST_F(DrawingTest, DataListLines)
{
	const QString ideographic(2, QChar(0x3000));
	const QString unused = QString(5, QLatin1Char(' ')) + ideographic;
	const QString noValue = QString(6, QLatin1Char(' ')) + ideographic;
	md.Channels[1].Mflag = md.Channels[3].Mflag = kTrue;
	md.Channels[1].Data[0] = 123456.5f;
	md.Channels[3].Data[0] = 12.3456f;
	md.DataCount = 2;
	EXPECT_EQ(unused + QStringLiteral(" 123456.500 ") + unused + QStringLiteral("     12.346"),
			DataListModel::line(md, 1));
	EXPECT_EQ(unused + QLatin1Char(' ') + noValue + QLatin1Char(' ') + unused + QLatin1Char(' ') + noValue,
			DataListModel::line(md, 2));

	DataListModel model(md);
	EXPECT_EQ(2, model.rowCount());
	md.DataCount = 50; // a snapshot: it keeps the count it opened with
	EXPECT_EQ(2, model.rowCount());

	md.TrgMode = kTrue;
	md.Channels[1].StartPos = 100;
	md.Channels[1].Data[100] = 1.0f;
	EXPECT_TRUE(DataListModel::line(md, 1).contains(QStringLiteral("     1.000"))) << "starts at the oldest kept sample";
}

TEST_F(DrawingTest, CurrentValuesOfUsedUnits)
{
	Labels labels;
	CurrentValues values(md, labels);
	md.Channels[0].Mflag = md.Channels[2].Mflag = kTrue;
	md.Channels[0].Data[1] = 12.3456f;
	md.Channels[2].Data[1] = -0.5f;
	md.DataCount = 2;
	values.ShowCurrentValues();
	EXPECT_EQ(QStringLiteral("12.346"), labels.texts[0]);
	EXPECT_EQ(QStringLiteral("-0.500"), labels.texts[2]);
	EXPECT_EQ(QStringLiteral("x"), labels.texts[1]) << "a unit not in use is not written";

	md.Channels[0].DataNum = 1;
	md.Channels[0].Data[0] = 3.0f;
	values.ShowCurrentValuesByNum();
	EXPECT_EQ(QStringLiteral("3.000"), labels.texts[0]);
	EXPECT_EQ(QStringLiteral("-0.500"), labels.texts[2]) << "no samples: left as it was";

	values.ShowCurrentValuesTrg();
	EXPECT_EQ(QStringLiteral("3.000"), labels.texts[0]) << "nothing before the trigger";
	md.TrgOn = kTrue;
	md.Channels[0].WritePos = 1;
	values.ShowCurrentValuesTrg();
	EXPECT_EQ(QStringLiteral("12.346"), labels.texts[0]);
	values.ClearValueLabels();
	EXPECT_TRUE(labels.texts[3].isEmpty());
}

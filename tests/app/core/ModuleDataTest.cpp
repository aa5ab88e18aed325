#include "core/ModuleData.h"

#include <gtest/gtest.h>

using namespace kelvra;

namespace {

ModuleData freshState()
{
	ModuleData md;
	md.InitDataArray();
	md.ClearZeroData();
	md.ClearMeasData();
	md.SetRange();
	return md;
}

} // namespace

TEST(ModuleData, ClearMeasDataResetsEveryUnitUsedOrNot)
{
	ModuleData md = freshState();
	md.Channels[0].Mflag = kTrue;
	for (auto &channel : md.Channels) {
		channel.Data[5] = 1.0f;
		channel.Data[kBufferLength - 1] = 2.0f;
		channel.DataNum = 7;
		channel.StartPos = channel.WritePos = 3;
		channel.EndFlag = kTrue;
	}
	md.DataCount = 9;
	md.MeasFlag = kTrue;
	md.settings.TrgMinFlag = kTrue;
	md.AveBuf[2] = {4, 1.5};
	md.ClearMeasData();

	for (const auto &channel : md.Channels) {
		EXPECT_EQ(kNoData, channel.Data[5]);
		EXPECT_EQ(kNoData, channel.Data[kBufferLength - 1]);
		EXPECT_EQ(0, channel.DataNum);
		EXPECT_EQ(0, channel.StartPos);
		EXPECT_EQ(kFalse, channel.EndFlag);
		EXPECT_EQ(8000.0f, channel.MaxVal);
		EXPECT_EQ(-8000.0f, channel.MinVal);
	}
	EXPECT_EQ(0, md.DataCount);
	EXPECT_EQ(kFalse, md.MeasFlag);
	EXPECT_EQ(kTrue, md.TrgMode) << "derived from the trigger flags";
	EXPECT_EQ(kBufferLength, md.DataMaxNum);
	EXPECT_EQ(0, md.AveBuf[2].AveCount);
	EXPECT_EQ(QString(19, QLatin1Char(' ')), md.StartTimeStr);
}

TEST(ModuleData, StartUpOrderLeavesExtremesAtZero)
{
	ModuleData md;
	md.InitDataArray();
	md.ClearMeasData(); // before SetRange: the range is still 0
	md.SetRange();
	EXPECT_EQ(0.0f, md.AllMax);
	EXPECT_EQ(0.0f, md.Channels[0].MaxVal);
	EXPECT_EQ(8000.0f, md.RangeMax);
}

TEST(ModuleData, SetMaxMinTakesFirstSampleAndThenSkipsTheMarker)
{
	ModuleData md = freshState();
	md.Channels[1].Mflag = kTrue;
	md.Channels[1].Data[0] = kNoData;
	md.SetMaxMin(1);
	EXPECT_EQ(kNoData, md.Channels[1].MaxVal) << "sample 1 is taken whatever it is";
	md.Channels[1].Data[0] = 5.0f;
	md.SetMaxMin(1);
	md.Channels[1].Data[1] = kNoData;
	md.SetMaxMin(2);
	EXPECT_EQ(5.0f, md.Channels[1].MinVal);
	md.Channels[1].Data[2] = -3.0f;
	md.SetMaxMin(3);
	EXPECT_EQ(-3.0f, md.Channels[1].MinVal);
	EXPECT_EQ(5.0f, md.Channels[1].MaxVal);

	md.Channels[3].Mflag = kTrue;
	md.Channels[3].MaxVal = 40.0f;
	md.Channels[3].MinVal = 30.0f;
	md.DataCount = 1;
	md.SetAllMaxMin();
	EXPECT_EQ(40.0f, md.AllMax);
	EXPECT_EQ(-3.0f, md.AllMin) << "the first used unit starts afresh, later ones widen";
}

TEST(ModuleData, CalcMaxMinCountsMarkersAndSkipsUnusedUnits)
{
	ModuleData md = freshState();
	md.Channels[0].Mflag = kTrue;
	md.Channels[0].DataNum = 3;
	md.Channels[0].Data[0] = 10.0f;
	md.Channels[0].Data[1] = kNoData;
	md.Channels[0].Data[2] = 20.0f;
	md.Channels[2].Data[0] = 1e6f; // not in use
	md.Channels[3].Mflag = kTrue;  // in use, no samples: keeps its extremes
	md.Channels[3].MaxVal = 50.0f;
	md.Channels[3].MinVal = 0.0f;
	md.CalcMaxMin();
	EXPECT_EQ(20.0f, md.Channels[0].MaxVal);
	EXPECT_EQ(kNoData, md.Channels[0].MinVal);
	EXPECT_EQ(50.0f, md.AllMax);
	EXPECT_EQ(kNoData, md.AllMin);
}

TEST(ModuleData, SetRangeFollowsDisplayUnitAndCapacities)
{
	ModuleData md = freshState();
	md.settings.Sing = 3;
	md.SetRange();
	EXPECT_EQ(0.0f, md.RangeMax) << "a force unit with no unit in use";
	EXPECT_EQ(0.0f, md.RangeMin);
	md.Channels[1].Mflag = md.Channels[2].Mflag = kTrue;
	md.Channels[1].Capacity = 200.0f;
	md.Channels[2].Capacity = -500.0f;
	md.Channels[3].Capacity = 9000.0f; // not in use
	md.SetRange();
	EXPECT_EQ(500.0f, md.RangeMax);
	EXPECT_EQ(-500.0f, md.RangeMin);
	md.settings.Sing = 0;
	md.SetRange();
	EXPECT_EQ(8000.0f, md.RangeMax);
}

TEST(ModuleData, FormatValuePadsToTen)
{
	EXPECT_EQ(QStringLiteral("    -1.500"), FormatValue(-1.5f));
	EXPECT_EQ(QStringLiteral("     0.000"), FormatValue(0.0f));
	EXPECT_EQ(QStringLiteral("  8191.750"), FormatValue(8191.75f));
	EXPECT_EQ(QStringLiteral("-12345.500"), FormatValue(-12345.5f));
	EXPECT_EQ(QStringLiteral("123456.000"), FormatValue(123456.0f));
	EXPECT_EQ(QStringLiteral("1234567.000"), FormatValue(1234567.0f)) << "never cut";
}

TEST(ModuleData, DerivedAverageCountAndRounding)
{
	ModuleData md;
	md.settings.DataAverage = kTrue;
	md.settings.IntervalTM = 250;
	md.DeriveAverageNum();
	EXPECT_EQ(25, md.AverageNum);
	md.settings.TimerType = kTrue;
	md.DeriveAverageNum();
	EXPECT_EQ(100, md.AverageNum);
	md.settings.DataAverage = kFalse;
	md.DeriveAverageNum();
	EXPECT_EQ(1, md.AverageNum);

	EXPECT_EQ(2, roundHalfEven(2.5));
	EXPECT_EQ(4, roundHalfEven(3.5));
	EXPECT_EQ(0, roundHalfEven(0.5));
	EXPECT_EQ(-2, roundHalfEven(-1.5));

	EXPECT_EQ(QStringLiteral("KN"), GetSingStr(4));
	EXPECT_EQ(QString(), GetSingStr(6));
	EXPECT_EQ(QStringLiteral("μひずみ"), GetPowerSingStr(1));
}

TEST(ModuleData, AveragingCarriesPartialSums)
{
	AverageRecord average;
	EXPECT_FALSE(average.add(1.0, 3));
	EXPECT_FALSE(average.add(2.0, 3));
	const auto mean = average.add(6.0, 3);
	ASSERT_TRUE(mean);
	EXPECT_DOUBLE_EQ(3.0, *mean);
	EXPECT_EQ(0, average.AveCount);
	EXPECT_DOUBLE_EQ(0.0, average.AveSum);
}

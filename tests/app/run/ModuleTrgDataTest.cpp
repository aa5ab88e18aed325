#include "run/ModuleTrgData.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

// Every unit delivers its sample number g (from 1) as its value, so a kept
// sample tells which moment it was taken at.
class TriggerRig {
public:
	TriggerRig(std::initializer_list<int> units, int watched, int32_t pre, int32_t post)
	{
		md.InitDataArray();
		md.SetRange();
		for (int unit : units)
			md.Channels[unit].Mflag = kTrue;
		md.settings.TrgMaxFlag = kTrue;
		md.settings.TrgVMax = 1e9f;
		md.settings.TrgDnum1 = pre;
		md.settings.TrgDnum2 = post;
		md.settings.TrgUnitID = static_cast<int16_t>(watched);
		md.ClearMeasData();
		md.DataMaxNum = pre + post;
	}

	// Fires when the watched unit's sample number reaches g.
	void fireAt(long g) { md.settings.TrgVMax = static_cast<float>(g); }

	int runBlocks(int maxTicks = 100000)
	{
		int ticks = 0;
		while (engine.CheckTrgEnd() != kTrue && ticks++ < maxTicks) {
			if (engine.GetTrgBlockData() != kTrue)
				break;
		}
		return ticks;
	}

	int runSingles(int maxTicks = 200000)
	{
		int ticks = 0;
		while (engine.CheckTrgEnd() != kTrue && ticks++ < maxTicks)
			engine.GetTrgSingleData();
		return ticks;
	}

	// Every used unit holds the whole window, and sample k is the same moment on each.
	void expectAlignedWindow(long firstSample)
	{
		for (int u = 0; u < kUnitCount; ++u) {
			if (!md.Channels[u].inUse())
				continue;
			SCOPED_TRACE(::testing::Message() << "unit " << u);
			ASSERT_EQ(md.settings.TrgDnum1 + md.settings.TrgDnum2,
					md.Channels[u].DataNum);
			EXPECT_EQ(kTrue, md.Channels[u].EndFlag);
			for (int32_t k = 1; k <= md.Channels[u].DataNum; ++k)
				ASSERT_EQ(static_cast<float>(firstSample + k - 1),
						md.SampleAt(u, k))
						<< "k = " << k;
		}
		EXPECT_EQ(md.settings.TrgDnum1 + md.settings.TrgDnum2, md.DataCount);
	}

	ModuleData md;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	DeviceControl devices{md, api, prompt};
	ModuleTrgData engine{md, devices};
};

} // namespace

TEST(ModuleTrgData, PreTriggerWindowIgnoresEarlyCrossings)
{
	TriggerRig rig({0}, 0, 100, 50);
	rig.md.settings.TrgVMax = 1000.0f;
	rig.api.units[0].signal = [](long g) { return g == 50 || g == 150 ? 1000.0 : 0.0; };
	for (int i = 0; i < 149; ++i)
		rig.engine.GetTrgSingleData();
	EXPECT_EQ(kFalse, rig.md.TrgOn) << "a crossing before 100 samples are held is ignored";
	EXPECT_EQ(0, rig.md.DataCount);
	rig.engine.GetTrgSingleData();
	ASSERT_EQ(kTrue, rig.md.TrgOn);
	EXPECT_EQ(kTrue, rig.md.TrgFirst);
	EXPECT_EQ(149, rig.md.TrgPoint);
	EXPECT_EQ(49, rig.md.Channels[0].StartPos) << "the window starts 100 samples before";
	EXPECT_EQ(101, rig.md.Channels[0].DataNum);
	EXPECT_EQ(1000.0f, rig.md.SampleAt(0, 101));
}

TEST(ModuleTrgData, LevelsFireOnEquality)
{
	TriggerRig upper({0}, 0, 0, 5);
	upper.md.settings.TrgVMax = 7.0f;
	upper.runSingles();
	EXPECT_EQ(6, upper.md.TrgPoint) << "sample 7 equals the upper level";

	TriggerRig lower({0}, 0, 0, 5);
	lower.md.settings.TrgMaxFlag = kFalse;
	lower.md.settings.TrgMinFlag = kTrue;
	lower.md.settings.TrgVMin = -3.0f;
	lower.api.units[0].signal = [](long g) { return -static_cast<double>(g); };
	lower.runSingles();
	EXPECT_EQ(2, lower.md.TrgPoint);
}

TEST(ModuleTrgData, TenBeforeTwentyAfterOnFourUnits)
{
	TriggerRig rig({0, 1, 2, 3}, 1, 10, 20);
	rig.fireAt(40);
	rig.runSingles();
	rig.expectAlignedWindow(30);
	for (int u = 0; u < kUnitCount; ++u)
		EXPECT_EQ(40.0f, rig.md.SampleAt(u, 11))
				<< "sample 11 is the trigger moment on unit " << u;
	EXPECT_EQ(0u, rig.prompt.shown.size());
}

TEST(ModuleTrgData, WindowsAlignWhateverTheWatchedUnitAndBlockSizes)
{
	for (int watched : {0, 2, 3}) {
		for (int32_t pre : {0, 5, 300}) {
			for (int block : {1, 7, 128}) {
				SCOPED_TRACE(::testing::Message()
						<< "watched " << watched << " pre " << pre
						<< " block " << block);
				TriggerRig rig({0, 2, 3}, watched, pre, 250);
				rig.api.units[0].deliveries = std::deque<int>(10000, block);
				rig.fireAt(700);
				rig.runBlocks();
				rig.expectAlignedWindow(700 - pre);
			}
		}
	}
}

TEST(ModuleTrgData, SingleSamplesAlignWithTriggerOnAnyUnit)
{
	for (int watched : {0, 1, 3}) {
		for (int32_t pre : {0, 1, 12}) {
			SCOPED_TRACE(::testing::Message()
					<< "watched " << watched << " pre " << pre);
			TriggerRig rig({0, 1, 3}, watched, pre, 9);
			rig.fireAt(30);
			rig.runSingles();
			rig.expectAlignedWindow(30 - pre);
		}
	}
}

TEST(ModuleTrgData, TriggerAfterTheRingHasWrapped)
{
	TriggerRig rig({0, 3}, 3, 1000, 2000);
	rig.fireAt(kBufferLength + 500);
	rig.runBlocks();
	const int32_t start = rig.md.Channels[0].StartPos;
	EXPECT_EQ(kBufferLength - 501, start);
	EXPECT_EQ(kBufferLength - 1, rig.md.RingIndex(0, 501));
	EXPECT_EQ(0, rig.md.RingIndex(0, 502)) << "the window continues at slot 0";
	rig.expectAlignedWindow(kBufferLength + 500 - 1000);

	rig.engine.CalcTrgMaxMin();
	EXPECT_EQ(static_cast<float>(kBufferLength + 500 + 1999), rig.md.AllMax);
	EXPECT_EQ(static_cast<float>(kBufferLength + 500 - 1000), rig.md.AllMin);
}

TEST(ModuleTrgData, EndedUnitsStoreNothingMore)
{
	TriggerRig rig({0, 1}, 0, 2, 3);
	rig.fireAt(10);
	rig.runBlocks();
	ASSERT_EQ(kTrue, rig.engine.CheckTrgEnd());
	const std::vector<float> before(
			rig.md.Channels[1].Data.begin(), rig.md.Channels[1].Data.begin() + 400);
	rig.engine.GetTrgBlockData();
	const std::vector<float> after(
			rig.md.Channels[1].Data.begin(), rig.md.Channels[1].Data.begin() + 400);
	EXPECT_EQ(before, after);
	EXPECT_EQ(5, rig.md.Channels[1].DataNum);
}

TEST(ModuleTrgData, BlockErrorEndsTheTickForLaterUnits)
{
	TriggerRig rig({0, 2}, 0, 0, 5);
	rig.api.units[0].blockCodes = {9};
	EXPECT_EQ(kFalse, rig.engine.GetTrgBlockData());
	EXPECT_TRUE(rig.api.units[2].asked.empty());
	EXPECT_EQ(QStringLiteral("USB通信エラー"), rig.prompt.shown.at(0).text);
}

TEST(ModuleTrgData, AveragedBlocksFeedTheRing)
{
	TriggerRig rig({0}, 0, 0, 3);
	rig.md.AverageNum = 4;
	rig.fireAt(1);
	rig.api.units[0].deliveries = {6, 6, 6};
	rig.engine.GetTrgBlockAveData();
	EXPECT_EQ(kTrue, rig.md.TrgOn);
	EXPECT_FLOAT_EQ(2.5f, rig.md.SampleAt(0, 1));
	EXPECT_EQ(2, rig.md.AveBuf[0].AveCount) << "the partial sum carries to the next block";
	rig.engine.GetTrgBlockAveData();
	EXPECT_EQ(3, rig.md.Channels[0].DataNum);
	EXPECT_FLOAT_EQ(10.5f, rig.md.SampleAt(0, 3));
}

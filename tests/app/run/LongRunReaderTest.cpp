#include "run/LongRunReader.h"
#include "fakes/RunRig.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

void useUnitOneAt10Ms(ModuleData &md, bool pcTimed)
{
	md.InitDataArray();
	md.SetRange();
	md.Channels[1].Mflag = kTrue;
	md.ClearMeasData();
	md.settings.TimerType = toFlag(pcTimed);
	md.settings.IntervalTM = 10;
	md.DeriveAverageNum();
}

} // namespace

// With every unit lost the run's clock still counts the samples due, so the
// samples measured after the reconnect keep their time.
TEST(LongRunReader, TimeGoesOnWhileEveryUnitIsLost)
{
	const struct {
		bool pcTimed;
		int32_t missingAt600; // at 10 ms, counted from
	} rows[] = {
			{false, 60}, // the tick at 0 that last read the unit's samples
			{true, 50},  // the reading at 100 that failed
	};
	for (const auto &row : rows) {
		const bool pcTimed = row.pcTimed;
		const int32_t missingAt600 = row.missingAt600;
		SCOPED_TRACE(pcTimed ? "PC-timed" : "unit-timed");
		RunRig rig;
		ModuleData &md = rig.md;
		useUnitOneAt10Ms(md, pcTimed);
		LongRunReader reader(md, rig.devices);
		std::vector<RunEvent> events;
		reader.onEvent = [&](const RunEvent &event) { events.push_back(event); };
		reader.start(1);
		const auto readAt = [&](int64_t ms) {
			return pcTimed ? reader.readSingles(ms) : reader.readBlocks(false, ms);
		};

		readAt(0);
		const int32_t held = md.DataCount;
		FakeUnit &unit = rig.api.units[1];
		(pcTimed ? unit.singleCodes : unit.blockCodes) = {9};
		unit.openCodes = {1}; // the first try to open it again fails
		readAt(100);
		readAt(600);
		EXPECT_EQ(held + missingAt600, md.DataCount);
		EXPECT_EQ(kNoData, md.Channels[1].Data[md.DataCount - 1]);
		readAt(1'200'600);
		EXPECT_EQ(1u, events.size()) << "not open yet";
		EXPECT_EQ(held + missingAt600 + 120'000, md.DataOffset + md.DataCount)
				<< "twenty minutes in one tick, the buffers rolling";
		readAt(1'201'700);
		ASSERT_EQ(2u, events.size());
		EXPECT_EQ(EventKind::Reconnect, events[1].kind);
		const int64_t back = held + missingAt600 + 120'110;
		EXPECT_NEAR(back * 0.01, events[1].timeS, 1e-9) << "back at the run's time";
		EXPECT_GT(md.DataOffset + md.DataCount, back) << "and measuring again";
	}
}

// A unit that could not hand its samples over in time marks those it lost:
// they are missing, the others keep their place, and one event tells each
// stretch of ticks with a loss.
TEST(LongRunReader, SamplesAUnitLostAreMissingAndEachStretchIsAnEvent)
{
	RunRig rig;
	ModuleData &md = rig.md;
	useUnitOneAt10Ms(md, false);
	LongRunReader reader(md, rig.devices);
	std::vector<RunEvent> events;
	reader.onEvent = [&](const RunEvent &event) { events.push_back(event); };
	reader.start(1);
	FakeUnit &unit = rig.api.units[1];
	unit.lost = [](long k) {
		return (k > 100 && k <= 150) || (k > 300 && k <= 310) || k == 1000;
	};
	unit.deliveries = {128, 100, 128, 72, 50, 128, 128, 128, 128, 128, 40};
	for (int64_t ms : {0, 300, 600, 900}) // 1-228, 229-428, 429-478 without a loss, 479-1158
		reader.readBlocks(false, ms);

	ASSERT_EQ(1158, md.DataCount);
	EXPECT_EQ(61u, reader.lostToOverflow());
	EXPECT_EQ(kNoData, md.Channels[1].Data[100]);
	EXPECT_EQ(kNoData, md.Channels[1].Data[999]);
	EXPECT_EQ(151.0f, md.Channels[1].Data[150]) << "the samples after the loss keep their time";
	ASSERT_EQ(2u, events.size());
	EXPECT_EQ(EventKind::Dropout, events[0].kind);
	EXPECT_NEAR(1.00, events[0].timeS, 1e-9) << "at the first sample lost";
	EXPECT_NEAR(9.99, events[1].timeS, 1e-9);
	EXPECT_EQ(2, reader.overflowEvents());
}

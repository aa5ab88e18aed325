#include "run/LongRunReader.h"
#include "fakes/RunRig.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

// With every unit lost the run's clock still counts the samples due, so the
// samples measured after the reconnect keep their time.
TEST(LongRunReader, TimeGoesOnWhileEveryUnitIsLost)
{
	for (const bool pcTimed : {false, true}) {
		SCOPED_TRACE(pcTimed ? "PC-timed" : "unit-timed");
		RunRig rig;
		ModuleData &md = rig.md;
		md.InitDataArray();
		md.SetRange();
		md.Channels[1].Mflag = kTrue;
		md.ClearMeasData();
		md.TimerType = toFlag(pcTimed);
		md.IntervalTM = 10;
		md.DeriveAverageNum();
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
		EXPECT_EQ(held, md.DataCount) << "lost in this tick";
		readAt(600);
		EXPECT_EQ(held + 50, md.DataCount) << "half a second at 10 ms, missing";
		EXPECT_EQ(kNoData, md.Channels[1].Data[held + 49]);
		readAt(1100);
		EXPECT_EQ(1u, events.size()) << "not open yet";
		readAt(2200);
		ASSERT_EQ(2u, events.size());
		EXPECT_EQ(EventKind::Reconnect, events[1].kind);
		EXPECT_NEAR((held + 210) * 0.01, events[1].timeS, 1e-9)
				<< "back at the run's time, 2.1 s after it was lost";
		EXPECT_GT(md.DataCount, held + 210) << "and measuring again";
	}
}

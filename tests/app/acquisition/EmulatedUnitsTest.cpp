#include "acquisition/EmulatedUnits.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(EmulatedFirstLook, PutsTheDescribedUnitsInUseAtOneHundredMilliseconds)
{
	EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), EmulatedUnitIds(QStringLiteral("demo")));
	EXPECT_EQ((std::vector<int>{0, 3}),
			EmulatedUnitIds(QStringLiteral("id=0,signal=sine:1000:2; kind=1, id=3")));
	EXPECT_TRUE(EmulatedUnitIds(QStringLiteral("id=7;id=x")).empty());
	// A 16-bit unit set to 1 is reached as unit 2, and one set to 2 as unit 1.
	EXPECT_EQ((std::vector<int>{2, 1, 1}),
			EmulatedUnitIds(QStringLiteral("id=1;id=2,kind=0;kind=1,id=1")));

	ModuleData md;
	md.Channels[0].Mflag = kTrue;
	md.settings.TimerType = kTrue;
	md.settings.IntervalTM = 5000;
	UseEmulatedUnits(md, {1, 3});
	EXPECT_EQ(kFalse, md.Channels[0].Mflag);
	EXPECT_EQ(kTrue, md.Channels[1].Mflag);
	EXPECT_EQ(kTrue, md.Channels[3].Mflag);
	EXPECT_EQ(kFalse, md.settings.TimerType);
	EXPECT_EQ(100, md.settings.IntervalTM);
}

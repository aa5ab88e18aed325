// The binding against the real device library with virtual units.

#include "acquisition/VarnelLibrary.h"
#include "acquisition/SampleReader.h"
#include "fakes/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kelvra;
using namespace kelvra::testing;

TEST(VarnelLibrary, ReadsBlocksFromEmulatedUnits)
{
	setenv("VARNELIO_EMULATOR",
			"id=0,signal=seq:1:2:3:4,block=3;id=3,kind=1,signal=seq:-5,block=3", 1);
	VarnelLibrary library(QStringLiteral(VARNELIO_FILE));
	ASSERT_TRUE(library.loadError().isEmpty()) << library.loadError().toStdString();

	ModuleData md;
	md.InitDataArray();
	md.ClearMeasData();
	md.Channels[0].Mflag = md.Channels[3].Mflag = kTrue;
	RecordingPrompt prompt;
	DeviceControl devices(md, library, prompt);
	SampleReader reader(md, devices);

	ASSERT_EQ(0, devices.OpenUnits());
	ASSERT_EQ(0, devices.StartUnits(1));
	ASSERT_TRUE(reader.ReadBlockData());
	ASSERT_TRUE(reader.ReadBlockData());
	devices.CloseUnits();

	EXPECT_EQ(6, md.DataCount);
	const std::vector<float> unit0(
			md.Channels[0].Data.begin(), md.Channels[0].Data.begin() + 6);
	EXPECT_EQ((std::vector<float>{1, 2, 3, 4, 1, 2}), unit0);
	EXPECT_FLOAT_EQ(-5.0f, md.Channels[3].Data[5]);
	EXPECT_TRUE(prompt.shown.empty());
}

TEST(VarnelLibrary, MissingFileOrEntryPointIsReported)
{
	VarnelLibrary missing(QStringLiteral("/nonexistent/libVARNELIO.so"));
	EXPECT_TRUE(missing.loadError().contains(QStringLiteral("/nonexistent/libVARNELIO.so")));
	double value = 0;
	EXPECT_NE(0, missing.Varnel_Single_Sample(0, value));

	VarnelLibrary wrong(QStringLiteral("libz.so.1")); // loads, but exports none of the six
	EXPECT_TRUE(wrong.loadError().contains(QStringLiteral("Varnel_Get_Datas")));
	EXPECT_NE(0, wrong.Varnel_Device_Open(0));
}

TEST(VarnelLibrary, EmulatorDescriptionIsCheckedByTheLibrary)
{
	VarnelLibrary library(QStringLiteral(VARNELIO_FILE));
	EXPECT_EQ(QString(), library.checkEmulator(QStringLiteral("demo")));
	EXPECT_TRUE(library.checkEmulator(QStringLiteral("id=0;id=2,span=x"))
					.contains(QStringLiteral("span=x")));
	EXPECT_TRUE(library.checkEmulator(QStringLiteral("kind=1"))
					.contains(QStringLiteral("'id'")));
	// Worded here, in the interface's language, from the library's numbers.
	EXPECT_EQ(QStringLiteral("11 文字目のフィールド 'span=x' を読めません"),
			library.checkEmulator(QStringLiteral("id=0;id=2,span=x")));
	EXPECT_TRUE(library.checkEmulator(QStringLiteral("demo,id=2"))
					.startsWith(QStringLiteral(
							"demo のユニットは自分の ID を使います")));
	EXPECT_EQ(QString(), library.checkEmulator(QStringLiteral("demo,speed=1000")));
}

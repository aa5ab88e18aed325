#include "acquisition/DeviceControl.h"
#include "fakes/DeviceRigTest.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class DeviceControlTest : public DeviceRigTest {};

} // namespace

TEST_F(DeviceControlTest, OpenUnitsWithNoUnitInUse)
{
	EXPECT_EQ(kNoUnitInUse, devices.OpenUnits());
	ASSERT_EQ(1u, prompt.shown.size());
	EXPECT_EQ(QStringLiteral("使用ユニットの指定がありません。"), prompt.shown[0].text);
	EXPECT_EQ(QStringLiteral("Message"), prompt.shown[0].caption);
	EXPECT_TRUE(api.calls.isEmpty());
}

TEST_F(DeviceControlTest, OpenUnitsHandsOverZeroReferences)
{
	use({1, 3});
	md.ZeroValue[1] = 12.5;
	EXPECT_EQ(0, devices.OpenUnits());
	EXPECT_EQ("open 1, zero 1 12.5, open 3, zero 3 0", joined(api.calls));
	EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(DeviceControlTest, OpenUnitsRollsBackOnAMissingUnit)
{
	use({0, 2});
	api.units[2].openCodes = {6};
	EXPECT_EQ(6, devices.OpenUnits());
	EXPECT_EQ("open 0, zero 0 0, open 2, close 0", joined(api.calls))
			<< "the unit whose open failed is not closed";
	ASSERT_EQ(1u, prompt.shown.size());
	EXPECT_EQ(QStringLiteral("指定のデバイスが見つからない"), prompt.shown[0].text);
	EXPECT_EQ(QStringLiteral("VarnelApp"), prompt.shown[0].caption);
}

TEST_F(DeviceControlTest, OpenUnitsClosesAUnitWhoseAdjustmentFailed)
{
	use({0, 1});
	api.units[1].zeroCodes = {7};
	EXPECT_EQ(7, devices.OpenUnits());
	EXPECT_FALSE(api.units[0].open);
	EXPECT_FALSE(api.units[1].open) << "an opened unit is never left open";
}

TEST_F(DeviceControlTest, MissingLibraryIsNamedAndNothingStarts)
{
	use({0});
	api.missing = QStringLiteral("デバイスライブラリ /x/libVARNELIO.so を読み込めません。");
	EXPECT_EQ(kLibraryUnavailable, devices.OpenUnits());
	ASSERT_EQ(1u, prompt.shown.size());
	EXPECT_TRUE(prompt.shown[0].text.contains(QStringLiteral("libVARNELIO.so")));
	EXPECT_EQ(Prompt::Icon::Error, prompt.shown[0].icon);
	devices.TakeZeroReference(0, true);
	EXPECT_TRUE(api.calls.isEmpty());
}

TEST_F(DeviceControlTest, StartUnitsStopsAtTheFirstFailureWithoutRollBack)
{
	EXPECT_EQ(kNoUnitInUse, devices.StartUnits(30));
	EXPECT_TRUE(prompt.shown.empty());
	use({0, 2, 3});
	api.units[2].startCodes = {9};
	EXPECT_EQ(9, devices.StartUnits(30));
	EXPECT_EQ("start 0 30, start 2 30", joined(api.calls));
	EXPECT_EQ(QStringLiteral("USB通信エラー"), prompt.shown.at(0).text);
	devices.CloseUnits();
	EXPECT_EQ(3, api.calls.filter(QStringLiteral("close")).size());
}

TEST_F(DeviceControlTest, DeviceErrorTexts)
{
	const QString texts[] = {QStringLiteral("正常終了"), QStringLiteral("ID番号が異なる"),
			QStringLiteral("ドライバが正常にインストールされていない"),
			QStringLiteral("このデバイスは既にオープンされている"),
			QStringLiteral("接続台数が多すぎる"),
			QStringLiteral("デバイスをオープンできなかった"),
			QStringLiteral("指定のデバイスが見つからない"),
			QStringLiteral("指定のデバイスはオープンされてない"),
			QStringLiteral("指定パラメータのエラー"), QStringLiteral("USB通信エラー")};
	for (int16_t code = 0; code < 10; ++code)
		EXPECT_EQ(texts[code], DeviceControl::DeviceErrorText(code)) << code;
	devices.DispDevError(42);
	ASSERT_EQ(1u, prompt.shown.size());
	EXPECT_TRUE(prompt.shown[0].text.isEmpty()) << "codes outside 0..9 show an empty text";
}

TEST_F(DeviceControlTest, ZeroReferenceIsTheMeanOfExactlyOneHundredReadings)
{
	devices.TakeZeroReference(2, false);
	EXPECT_EQ(QStringLiteral("使用ユニットの指定がありません。"), prompt.shown.at(0).text);
	EXPECT_TRUE(api.calls.isEmpty()) << "no device is touched for an unticked unit";

	devices.TakeZeroReference(2, true); // readings 1..100 (and 101 would change the mean)
	EXPECT_DOUBLE_EQ(50.5, md.ZeroValue[2]);
	EXPECT_EQ(101, api.units[2].next);
	EXPECT_EQ(QStringLiteral("終了しました。"), prompt.shown.at(1).text);
	EXPECT_EQ("open 2, close 2", joined(api.calls));
}

TEST_F(DeviceControlTest, FailedZeroReadingKeepsTheOldReference)
{
	md.ZeroValue[0] = 3.0;
	api.units[0].singleCodes = {0, 0, 9};
	devices.TakeZeroReference(0, true);
	EXPECT_DOUBLE_EQ(3.0, md.ZeroValue[0]);
	EXPECT_EQ(QStringLiteral("USB通信エラー"), prompt.shown.at(0).text);
	EXPECT_EQ(QStringLiteral("close 0"), api.calls.last());

	api.units[1].openCodes = {6};
	devices.TakeZeroReference(1, true);
	EXPECT_EQ(QStringLiteral("open 1"), api.calls.last())
			<< "nothing is closed after a failed open";
}

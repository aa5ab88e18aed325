#include "settings/SettingEntries.h"
#include "acquisition/UnitEntries.h"
#include "fakes/QtPrinting.h"

#include <gtest/gtest.h>

using namespace kelvra;

namespace {

const QString kUnits = QStringLiteral("使用ユニットにチェックが付いていません。");
const QString kTime = QStringLiteral("時間の入力に誤りがあります。");
const QString kTrigger = QStringLiteral("トリガ処理の設定に誤りがあります。");

ModuleData defaults()
{
	ModuleData md;
	md.Channels[0].Mflag = kTrue;
	md.SetRange();
	return md;
}

SettingEntries steps(const char *text, bool average = false)
{
	SettingEntries entries = LoadSettingEntries(defaults());
	entries.timeSteps = QString::fromLatin1(text);
	entries.average = average;
	return entries;
}

SettingEntries seconds(const char *text, bool average = false)
{
	SettingEntries entries = steps("100", average);
	entries.milliseconds = false;
	entries.timeSeconds = QString::fromLatin1(text);
	return entries;
}

SettingEntries withTrigger(const char *pre, const char *post)
{
	SettingEntries entries = steps("100");
	entries.triggerTicked = {true, false};
	entries.triggerCount = {QString::fromLatin1(pre), QString::fromLatin1(post)};
	return entries;
}

} // namespace

TEST(SettingEntries, IntervalInTenMillisecondSteps)
{
	const ModuleData md = defaults();
	EXPECT_TRUE(CheckTime(steps("1")).isEmpty());
	EXPECT_TRUE(CheckTime(steps("10000")).isEmpty());
	EXPECT_TRUE(CheckTime(steps("2.5")).isEmpty()) << "rounds to 2";
	for (const char *bad : {"0", "10001", "", "abc", "99999999999"})
		EXPECT_EQ(kTime, CheckTime(steps(bad))) << bad;

	ModuleData applied = md;
	ApplySettings(steps("1", true), applied);
	EXPECT_EQ(10, applied.settings.IntervalTM);
	EXPECT_EQ(1, applied.AverageNum);
	ApplySettings(steps("25", true), applied);
	EXPECT_EQ(25, applied.AverageNum);
	EXPECT_EQ(kFalse, applied.settings.TimerType);
}

TEST(SettingEntries, IntervalInSecondsWithAndWithoutAveraging)
{
	EXPECT_TRUE(CheckTime(seconds("1")).isEmpty());
	EXPECT_EQ(kTime, CheckTime(seconds("9", true)));
	EXPECT_TRUE(CheckTime(seconds("10", true)).isEmpty());
	EXPECT_TRUE(CheckTime(seconds("65535")).isEmpty());
	EXPECT_EQ(kTime, CheckTime(seconds("65536")));
	EXPECT_EQ(kTime, CheckTime(seconds("3000000")));

	ModuleData md = defaults();
	ApplySettings(seconds("20", true), md);
	EXPECT_EQ(kTrue, md.settings.TimerType);
	EXPECT_EQ(20000, md.settings.IntervalTM);
	EXPECT_EQ(100, md.AverageNum);
}

TEST(SettingEntries, OnlyTheFirstFailingCheckSpeaks)
{
	SettingEntries entries = withTrigger("-1", "0");
	entries.timeSteps = QStringLiteral("0");
	entries.unitTicked = {};
	EXPECT_EQ(kUnits, CheckSettings(entries, defaults()));
	entries.unitTicked[1] = true;
	EXPECT_EQ(kTime, CheckSettings(entries, defaults()));
	entries.timeSteps = QStringLiteral("5");
	EXPECT_EQ(kTrigger, CheckSettings(entries, defaults()));
}

TEST(SettingEntries, TriggerCountsLevelsAndWatchedUnit)
{
	const ModuleData md = defaults();
	EXPECT_TRUE(CheckTrigger(withTrigger("0", "1"), md).isEmpty());
	EXPECT_TRUE(CheckTrigger(withTrigger("0", "88000"), md).isEmpty());
	EXPECT_EQ(kTrigger, CheckTrigger(withTrigger("-1", "5"), md));
	EXPECT_EQ(kTrigger, CheckTrigger(withTrigger("5", "0"), md));
	EXPECT_EQ(kTrigger, CheckTrigger(withTrigger("1", "88000"), md));
	EXPECT_EQ(kTrigger, CheckTrigger(withTrigger("x", "5"), md)) << "text that is no number";

	SettingEntries levels = withTrigger("0", "5");
	levels.triggerTicked = {true, true};
	levels.triggerLevel = {QStringLiteral("8000"), QStringLiteral("-8000")};
	EXPECT_TRUE(CheckTrigger(levels, md).isEmpty()) << "levels equal to the range pass";
	levels.triggerLevel[0] = QStringLiteral("8000.5");
	EXPECT_EQ(kTrigger, CheckTrigger(levels, md));

	SettingEntries watched = withTrigger("0", "5");
	watched.triggerUnit = 3;
	EXPECT_EQ(kTrigger, CheckTrigger(watched, md)) << "the watched unit must be in use";

	SettingEntries off = withTrigger("garbage", "-7");
	off.triggerTicked = {false, false};
	EXPECT_TRUE(CheckTrigger(off, md).isEmpty());
	ModuleData applied = md;
	ApplySettings(off, applied);
	EXPECT_EQ(0, applied.settings.TrgDnum1) << "nothing of an unticked trigger is stored";

	SettingEntries upperOnly = withTrigger("3", "4");
	upperOnly.triggerLevel = {QStringLiteral("50"), QStringLiteral("-75")};
	ApplySettings(upperOnly, applied);
	EXPECT_EQ(-75.0f, applied.settings.TrgVMin) << "the disabled lower level is stored too";
	EXPECT_EQ(kFalse, applied.settings.TrgMinFlag);
	EXPECT_EQ(3, applied.settings.TrgDnum1);
}

TEST(UnitEntries, RatedOutputLimitsForUnitsInUse)
{
	ModuleData md = defaults();
	UnitEntries entries = LoadUnitData(md);
	entries.sing = 1;
	auto check = [&](const char *power, bool microstrain) {
		entries.power[0] = QString::fromLatin1(power);
		entries.powerInMicrostrain[0] = microstrain;
		return CheckUnitData(entries, md).isEmpty();
	};
	entries.capacity[0] = QStringLiteral("500");
	EXPECT_TRUE(check("4", false));
	EXPECT_FALSE(check("4.1", false));
	EXPECT_TRUE(check("-4", false));
	EXPECT_FALSE(check("0", false));
	EXPECT_TRUE(check("8000", true));
	EXPECT_FALSE(check("8001", true));
	EXPECT_FALSE(check("abc", false));
	EXPECT_EQ(QStringLiteral("設定に誤りがあります。"), CheckUnitData(entries, md));

	check("2", false);
	entries.power[1] = QStringLiteral("abc"); // unit 1 is not in use
	entries.capacity[0] = QStringLiteral("123456789");
	EXPECT_TRUE(CheckUnitData(entries, md).isEmpty());
	entries.capacity[0] = QStringLiteral("1234567890");
	EXPECT_FALSE(CheckUnitData(entries, md).isEmpty());
	entries.capacity[0] = QStringLiteral("lots");
	EXPECT_FALSE(CheckUnitData(entries, md).isEmpty());

	entries.sing = 0;
	EXPECT_TRUE(CheckUnitData(entries, md).isEmpty())
			<< "microstrain passes whatever the rows hold";
}

TEST(UnitEntries, SavingKeepsRowsThatAreNoNumber)
{
	ModuleData md = defaults();
	md.Channels[1].Power = 3.0f;
	UnitEntries entries = LoadUnitData(md);
	entries.sing = 5;
	entries.power[0] = QStringLiteral("1.5");
	entries.powerInMicrostrain[0] = true;
	entries.capacity[0] = QStringLiteral("0.1");
	entries.power[1] = QStringLiteral("?");
	SaveUnitData(entries, md);
	EXPECT_EQ(5, md.settings.Sing);
	EXPECT_EQ(QStringLiteral("MN"), md.GetSingStr());
	EXPECT_EQ(1.5f, md.Channels[0].Power);
	EXPECT_EQ(1, md.Channels[0].PowerSing);
	EXPECT_EQ(0.1f, md.Channels[0].Capacity);
	EXPECT_EQ(3.0f, md.Channels[1].Power);
}

#include "fakes/MapStore.h"
#include "fakes/QtPrinting.h"
#include "settings/MeasInfo.h"
#include "settings/QSettingsStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kelvra;

using kelvra::testing::MapStore;

TEST(MeasInfo, EmptyStoreGivesTheDefaults)
{
	ModuleData md;
	LoadMeasInfo(md, MapStore());
	EXPECT_EQ(kTrue, md.Channels[0].Mflag);
	EXPECT_EQ(kFalse, md.Channels[3].Mflag);
	EXPECT_EQ(kFalse, md.TimerType);
	EXPECT_EQ(1000, md.IntervalTM);
	EXPECT_EQ(1, md.AverageNum);
	EXPECT_EQ(kFalse, md.TrgMaxFlag);
	EXPECT_EQ(100.0f, md.TrgVMax);
	EXPECT_EQ(-100.0f, md.TrgVMin);
	EXPECT_EQ(0, md.TrgDnum1);
	EXPECT_EQ(88000, md.TrgDnum2);
	EXPECT_EQ(0, md.TrgUnitID);
	EXPECT_EQ(0, md.Sing);
	for (const auto &channel : md.Channels) {
		EXPECT_EQ(100.0f, channel.Power);
		EXPECT_EQ(0, channel.PowerSing);
		EXPECT_EQ(100.0f, channel.Capacity);
	}
}

TEST(MeasInfo, TextFormsRoundTripAndUnreadableValuesTakeDefaults)
{
	ModuleData md;
	LoadMeasInfo(md, MapStore());
	md.Channels[2].Mflag = kTrue;
	md.TimerType = kTrue;
	md.IntervalTM = 250;
	md.TrgVMin = 0.1f;
	md.Channels[3].Capacity = 1234.567f;
	md.Channels[1].Capacity = 1234.5678f;
	md.Sing = 4;
	MapStore store;
	EXPECT_FALSE(HasMeasInfo(store));
	SaveMeasInfo(md, store);
	EXPECT_TRUE(HasMeasInfo(store));
	EXPECT_EQ(27, store.values.size()) << "every key of the table, each once";
	EXPECT_EQ(QStringLiteral("True"), store.values.value(QStringLiteral("MflagID2")));
	EXPECT_EQ(QStringLiteral("0.1"), store.values.value(QStringLiteral("TrgVMin")));
	EXPECT_EQ(QStringLiteral("1234.568"), store.values.value(QStringLiteral("Capacity1"))) << "at most 7 digits";

	ModuleData back;
	LoadMeasInfo(back, store);
	EXPECT_EQ(kTrue, back.Channels[2].Mflag);
	EXPECT_EQ(0.1f, back.TrgVMin);
	EXPECT_EQ(1234.567f, back.Channels[3].Capacity);
	EXPECT_EQ(4, back.Sing);

	store.values[QStringLiteral("DataAverage")] = QStringLiteral("-1");
	store.values[QStringLiteral("TimerType")] = QStringLiteral("False");
	LoadMeasInfo(back, store);
	EXPECT_EQ(25, back.AverageNum);
	store.values[QStringLiteral("TimerType")] = QStringLiteral("1");
	LoadMeasInfo(back, store);
	EXPECT_EQ(100, back.AverageNum);

	store.values[QStringLiteral("IntervalTM")] = QStringLiteral("fast");
	store.values[QStringLiteral("MflagID0")] = QStringLiteral("maybe");
	store.values[QStringLiteral("Power1")] = QStringLiteral("");
	LoadMeasInfo(back, store);
	EXPECT_EQ(1000, back.IntervalTM);
	EXPECT_EQ(kTrue, back.Channels[0].Mflag);
	EXPECT_EQ(100.0f, back.Channels[1].Power);
}

TEST(MeasInfo, IniFileStoreUnderItsSection)
{
	QTemporaryDir dir;
	const QString file = dir.filePath(QStringLiteral("Kelvrai.ini"));
	{
		QSettingsStore store(file);
		ModuleData md;
		LoadMeasInfo(md, store);
		md.TrgDnum1 = 42;
		SaveMeasInfo(md, store);
	}
	QSettingsStore store(file);
	EXPECT_EQ(QStringLiteral("42"), store.value(QStringLiteral("TrgDnum1"), QString()));
	QSettings raw(file, QSettings::IniFormat);
	EXPECT_EQ(QStringLiteral("42"), raw.value(QStringLiteral("MeasInfo/TrgDnum1")).toString());
}

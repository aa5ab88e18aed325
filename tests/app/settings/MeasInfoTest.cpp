#include "settings/MeasInfo.h"
#include "acquisition/UnitEntries.h"
#include "fakes/MapStore.h"
#include "fakes/QtPrinting.h"
#include "settings/QSettingsStore.h"
#include "settings/SettingEntries.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace kelvra;

using kelvra::testing::MapStore;

TEST(MeasInfo, EmptyStoreGivesTheDefaults)
{
	ModuleData md;
	LoadMeasInfo(md, MapStore());
	EXPECT_EQ(kTrue, md.Channels[0].Mflag);
	EXPECT_EQ(kFalse, md.Channels[3].Mflag);
	EXPECT_EQ(kFalse, md.settings.TimerType);
	EXPECT_EQ(1000, md.settings.IntervalTM);
	EXPECT_EQ(1, md.AverageNum);
	EXPECT_EQ(kFalse, md.settings.TrgMaxFlag);
	EXPECT_EQ(100.0f, md.settings.TrgVMax);
	EXPECT_EQ(-100.0f, md.settings.TrgVMin);
	EXPECT_EQ(0, md.settings.TrgDnum1);
	EXPECT_EQ(88000, md.settings.TrgDnum2);
	EXPECT_EQ(0, md.settings.TrgUnitID);
	EXPECT_EQ(0, md.settings.Sing);
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
	md.settings.TimerType = kTrue;
	md.settings.IntervalTM = 250;
	md.settings.TrgVMin = 0.1f;
	md.Channels[3].Capacity = 1234.567f;
	md.Channels[1].Capacity = 1234.5678f;
	md.settings.Sing = 4;
	md.Channels[0].Power = md.Channels[2].Power =
			2.0f; // the default 100 mV/V is beyond the unit dialog
	MapStore store;
	EXPECT_FALSE(HasMeasInfo(store));
	SaveMeasInfo(md, store);
	EXPECT_TRUE(HasMeasInfo(store));
	EXPECT_EQ(27, store.values.size()) << "every key of the table, each once";
	EXPECT_EQ(QStringLiteral("True"), store.values.value(QStringLiteral("MflagID2")));
	EXPECT_EQ(QStringLiteral("0.1"), store.values.value(QStringLiteral("TrgVMin")));
	EXPECT_EQ(QStringLiteral("1234.568"), store.values.value(QStringLiteral("Capacity1")))
			<< "at most 7 digits";

	ModuleData back;
	LoadMeasInfo(back, store);
	EXPECT_EQ(kTrue, back.Channels[2].Mflag);
	EXPECT_EQ(0.1f, back.settings.TrgVMin);
	EXPECT_EQ(1234.567f, back.Channels[3].Capacity);
	EXPECT_EQ(4, back.settings.Sing);

	store.values[QStringLiteral("DataAverage")] = QStringLiteral("-1");
	store.values[QStringLiteral("TimerType")] = QStringLiteral("False");
	LoadMeasInfo(back, store);
	EXPECT_EQ(25, back.AverageNum);
	store.values[QStringLiteral("TimerType")] = QStringLiteral("1");
	store.values[QStringLiteral("IntervalTM")] =
			QStringLiteral("20000"); // averaged PC-timing takes 10 s at least
	LoadMeasInfo(back, store);
	EXPECT_EQ(100, back.AverageNum);

	store.values[QStringLiteral("IntervalTM")] = QStringLiteral("fast");
	store.values[QStringLiteral("MflagID0")] = QStringLiteral("maybe");
	store.values[QStringLiteral("Power1")] = QStringLiteral("");
	LoadMeasInfo(back, store);
	EXPECT_EQ(1000, back.settings.IntervalTM);
	EXPECT_EQ(kTrue, back.Channels[0].Mflag);
	EXPECT_EQ(100.0f, back.Channels[1].Power);
}

TEST(MeasInfo, ValuesNoDialogTakesAreResetAndNamed)
{
	const struct {
		std::map<QString, QString> stored;
		QStringList reset;
	} cases[] = {
			{{{QStringLiteral("IntervalTM"), QStringLiteral("3")}},
					{QStringLiteral("IntervalTM")}},
			{{{QStringLiteral("MflagID0"), QStringLiteral("False")},
					 {QStringLiteral("Sing"), QStringLiteral("1")}},
					{QStringLiteral("MflagID0"),
							QStringLiteral("Sing")}}, // unit 0 back in
										  // use, with 100
										  // mV/V
			{{{QStringLiteral("Sing"), QStringLiteral("99")},
					 {QStringLiteral("PowerSing2"), QStringLiteral("7")}},
					{QStringLiteral("Sing"), QStringLiteral("PowerSing2")}},
			{{{QStringLiteral("TimerType"), QStringLiteral("True")},
					 {QStringLiteral("DataAverage"), QStringLiteral("True")},
					 {QStringLiteral("IntervalTM"), QStringLiteral("5000")}},
					{QStringLiteral("IntervalTM"),
							QStringLiteral("DataAverage")}},
			{{{QStringLiteral("TrgMaxFlag"), QStringLiteral("True")},
					 {QStringLiteral("TrgDnum1"), QStringLiteral("-5")},
					 {QStringLiteral("TrgUnitID"), QStringLiteral("7")}},
					{QStringLiteral("TrgUnitID"), QStringLiteral("TrgDnum1")}},
			{{{QStringLiteral("TrgMinFlag"), QStringLiteral("True")},
					 {QStringLiteral("TrgUnitID"), QStringLiteral("2")}},
					{QStringLiteral("TrgUnitID")}},
			{{{QStringLiteral("Sing"), QStringLiteral("1")},
					 {QStringLiteral("Power0"), QStringLiteral("0")},
					 {QStringLiteral("Capacity0"),
							 QStringLiteral("12345678901")}},
					{QStringLiteral("Capacity0"), QStringLiteral("Power0"),
							QStringLiteral("Sing")}},
			{{{QStringLiteral("Sing"), QStringLiteral("1")},
					 {QStringLiteral("Power0"), QStringLiteral("2")},
					 {QStringLiteral("TrgMaxFlag"), QStringLiteral("True")},
					 {QStringLiteral("TrgVMax"), QStringLiteral("500")},
					 {QStringLiteral("IntervalTM"), QStringLiteral("1005")}},
					{QStringLiteral("TrgVMax")}}, // 100.5 steps round as the
								      // dialog reads them
	};
	for (const auto &stored : cases) {
		MapStore store;
		for (const auto &[name, text] : stored.stored)
			store.values[name] = text;
		SCOPED_TRACE(store.values.keys().join(QLatin1Char(' ')).toStdString());
		ModuleData md;
		md.InitDataArray();
		EXPECT_EQ(stored.reset, LoadMeasInfo(md, store));
		EXPECT_EQ(QString(), CheckSettings(LoadSettingEntries(md), md));
		EXPECT_EQ(QString(), CheckUnitData(LoadUnitData(md), md));
		SaveMeasInfo(md, store);
		ModuleData again;
		again.InitDataArray();
		EXPECT_EQ(QStringList(), LoadMeasInfo(again, store))
				<< "values the dialogs take load as they are";
	}
}

TEST(MeasInfo, IniFileStoreUnderItsSection)
{
	QTemporaryDir dir;
	const QString file = dir.filePath(QStringLiteral("Kelvrai.ini"));
	{
		QSettingsStore store(file);
		ModuleData md;
		LoadMeasInfo(md, store);
		md.settings.TrgDnum1 = 42;
		SaveMeasInfo(md, store);
	}
	QSettingsStore store(file);
	EXPECT_EQ(QStringLiteral("42"), store.value(QStringLiteral("TrgDnum1"), QString()));
	QSettings raw(file, QSettings::IniFormat);
	EXPECT_EQ(QStringLiteral("42"), raw.value(QStringLiteral("MeasInfo/TrgDnum1")).toString());
}

#include "MeasInfo.h"

#include "SettingEntries.h"
#include "acquisition/UnitEntries.h"
#include "core/NumberText.h"
#include "core/RunSettings.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdint>

namespace kelvra {

namespace {

QString key(const char *name, int unit = -1)
{
	QString text = QString::fromLatin1(name);
	return unit < 0 ? text : text + QString::number(unit);
}

// Booleans are stored as "True"/"False"; a number also reads (0 = False).
Flag readFlag(const SettingsStore &store, const QString &name, bool fallback)
{
	const QString text = store.value(name, QString()).trimmed();
	if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
		return kTrue;
	if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
		return kFalse;
	if (const auto number = readNumber(text))
		return toFlag(*number != 0.0);
	return toFlag(fallback);
}

int32_t readLong(const SettingsStore &store, const QString &name, int32_t fallback)
{
	const auto number = readNumber(store.value(name, QString()));
	if (!number || *number != std::nearbyint(*number) || *number < INT32_MIN ||
			*number > INT32_MAX)
		return fallback;
	return static_cast<int32_t>(*number);
}

int16_t readInteger(const SettingsStore &store, const QString &name, int16_t fallback)
{
	const int32_t value = readLong(store, name, fallback);
	return value < INT16_MIN || value > INT16_MAX ? fallback : static_cast<int16_t>(value);
}

float readFloat(const SettingsStore &store, const QString &name, float fallback)
{
	return readSingle(store.value(name, QString())).value_or(fallback);
}

QString flagText(Flag flag)
{
	return flag != kFalse ? QStringLiteral("True") : QStringLiteral("False");
}

// Records each key that takes its default because its stored value would
// not pass the settings dialogs.
class Resets {
public:
	template <typename T>
	void take(T &variable, T fallback, const QString &name)
	{
		if (variable == fallback)
			return;
		variable = fallback;
		keys_ << name;
	}

	QStringList keys() const { return keys_; }

private:
	QStringList keys_;
};

void resetUnitData(ModuleData &md, Resets &resets)
{
	if (!IsDisplayUnit(md.settings.Sing))
		resets.take(md.settings.Sing, int16_t{0}, key("Sing"));
	for (int i = 0; i < kUnitCount; ++i) {
		if (md.Channels[i].PowerSing != 0 && md.Channels[i].PowerSing != 1)
			resets.take(md.Channels[i].PowerSing, int16_t{0}, key("PowerSing", i));
	}
	if (CheckUnitData(LoadUnitData(md), md).isEmpty())
		return;
	for (int i = 0; i < kUnitCount; ++i) {
		ChannelRecord &channel = md.Channels[i];
		if (!channel.inUse())
			continue;
		if (!CapacityEntryOk(shortestText(channel.Capacity)))
			resets.take(channel.Capacity, 100.0f, key("Capacity", i));
		if (!PowerEntryOk(shortestText(channel.Power), channel.PowerSing != 0)) {
			resets.take(channel.Power, 100.0f, key("Power", i));
			resets.take(channel.PowerSing, int16_t{0}, key("PowerSing", i));
		}
	}
	// The default rated output of 100 mV/V is only good for microstrain.
	if (!CheckUnitData(LoadUnitData(md), md).isEmpty())
		resets.take(md.settings.Sing, int16_t{0}, key("Sing"));
}

void resetUnitsInUse(ModuleData &md, Resets &resets)
{
	if (!CheckUnits(LoadSettingEntries(md)).isEmpty())
		resets.take(md.Channels[0].Mflag, kTrue, key("MflagID", 0));
}

void resetSettings(ModuleData &md, Resets &resets)
{
	if (!CheckTime(LoadSettingEntries(md)).isEmpty())
		resets.take(md.settings.IntervalTM, int32_t{1000}, key("IntervalTM"));
	if (!CheckTime(LoadSettingEntries(md)).isEmpty())
		resets.take(md.settings.DataAverage, kFalse,
				key("DataAverage")); // PC-timed averaging needs 10 s at least

	// The dialog offers units 0 to 3 only.
	if (!IsUnitId(md.settings.TrgUnitID))
		resets.take(md.settings.TrgUnitID, int16_t{0}, key("TrgUnitID"));
	md.SetRange();
	if (CheckTrigger(LoadSettingEntries(md), md).isEmpty())
		return;
	if (!md.Channels[md.settings.TrgUnitID].inUse())
		resets.take(md.settings.TrgUnitID, int16_t{0}, key("TrgUnitID"));
	if (md.settings.TrgDnum1 < 0 ||
			(md.settings.TrgDnum2 >= 1 &&
					int64_t{md.settings.TrgDnum1} + md.settings.TrgDnum2 >
							kBufferLength))
		resets.take(md.settings.TrgDnum1, int32_t{0}, key("TrgDnum1"));
	if (md.settings.TrgDnum2 < 1 ||
			int64_t{md.settings.TrgDnum1} + md.settings.TrgDnum2 > kBufferLength)
		resets.take(md.settings.TrgDnum2, kBufferLength, key("TrgDnum2"));
	if (md.settings.TrgMaxFlag == kTrue && md.settings.TrgVMax > md.RangeMax)
		resets.take(md.settings.TrgVMax, 100.0f, key("TrgVMax"));
	if (md.settings.TrgMinFlag == kTrue && md.settings.TrgVMin < md.RangeMin)
		resets.take(md.settings.TrgVMin, -100.0f, key("TrgVMin"));
	// What still fails cannot be mended by one key: the run goes without trigger.
	if (!CheckTrigger(LoadSettingEntries(md), md).isEmpty()) {
		resets.take(md.settings.TrgMaxFlag, kFalse, key("TrgMaxFlag"));
		resets.take(md.settings.TrgMinFlag, kFalse, key("TrgMinFlag"));
	}
}

} // namespace

QStringList LoadMeasInfo(ModuleData &md, const SettingsStore &store)
{
	RunSettings s;
	for (int i = 0; i < kUnitCount; ++i)
		s.units[i].Mflag = readFlag(store, key("MflagID", i), i == 0);
	s.TimerType = readFlag(store, key("TimerType"), false);
	s.IntervalTM = readLong(store, key("IntervalTM"), 1000);
	s.DataAverage = readFlag(store, key("DataAverage"), false);
	s.TrgMaxFlag = readFlag(store, key("TrgMaxFlag"), false);
	s.TrgVMax = readFloat(store, key("TrgVMax"), 100.0f);
	s.TrgMinFlag = readFlag(store, key("TrgMinFlag"), false);
	s.TrgVMin = readFloat(store, key("TrgVMin"), -100.0f);
	s.TrgDnum1 = readLong(store, key("TrgDnum1"), 0);
	s.TrgDnum2 = readLong(store, key("TrgDnum2"), kBufferLength);
	s.TrgUnitID = readInteger(store, key("TrgUnitID"), 0);
	s.Sing = readInteger(store, key("Sing"), 0);
	for (int i = 0; i < kUnitCount; ++i)
		s.units[i].Power = readFloat(store, key("Power", i), 100.0f);
	for (int i = 0; i < kUnitCount; ++i)
		s.units[i].PowerSing = readInteger(store, key("PowerSing", i), 0);
	for (int i = 0; i < kUnitCount; ++i)
		s.units[i].Capacity = readFloat(store, key("Capacity", i), 100.0f);
	ApplyRunSettings(s, md);

	// Units in use first: the unit settings are checked for those units.
	Resets resets;
	resetUnitsInUse(md, resets);
	resetUnitData(md, resets);
	resetSettings(md, resets);
	md.DeriveAverageNum();
	return resets.keys();
}

QString ResetKeysMessage(const QStringList &keys)
{
	return QCoreApplication::translate("MeasInfo",
			"保存された測定条件のうち次の項目は設定できない値のため、初期値に戻しました: %1")
			.arg(keys.join(QStringLiteral(", ")));
}

void SaveMeasInfo(const ModuleData &md, SettingsStore &store)
{
	const RunSettings s = SettingsOfRun(md);
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("MflagID", i), flagText(s.units[i].Mflag));
	store.setValue(key("TimerType"), flagText(s.TimerType));
	store.setValue(key("IntervalTM"), QString::number(s.IntervalTM));
	store.setValue(key("DataAverage"), flagText(s.DataAverage));
	store.setValue(key("TrgMaxFlag"), flagText(s.TrgMaxFlag));
	store.setValue(key("TrgVMax"), shortestText(s.TrgVMax));
	store.setValue(key("TrgMinFlag"), flagText(s.TrgMinFlag));
	store.setValue(key("TrgVMin"), shortestText(s.TrgVMin));
	store.setValue(key("TrgDnum1"), QString::number(s.TrgDnum1));
	store.setValue(key("TrgDnum2"), QString::number(s.TrgDnum2));
	store.setValue(key("TrgUnitID"), QString::number(s.TrgUnitID));
	store.setValue(key("Sing"), QString::number(s.Sing));
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("Power", i), shortestText(s.units[i].Power));
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("PowerSing", i), QString::number(s.units[i].PowerSing));
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("Capacity", i), shortestText(s.units[i].Capacity));
}

bool HasMeasInfo(const SettingsStore &store)
{
	// Any one key counts: a store edited by hand may hold only some.
	static const char *const names[] = {"MflagID0", "MflagID1", "MflagID2", "MflagID3",
			"TimerType", "IntervalTM", "DataAverage", "TrgMaxFlag", "TrgVMax",
			"TrgMinFlag", "TrgVMin", "TrgDnum1", "TrgDnum2", "TrgUnitID", "Sing",
			"Power0", "Power1", "Power2", "Power3", "PowerSing0", "PowerSing1",
			"PowerSing2", "PowerSing3", "Capacity0", "Capacity1", "Capacity2",
			"Capacity3"};
	const QString missing = QStringLiteral("\x01missing");
	for (const char *name : names) {
		if (store.value(key(name), missing) != missing)
			return true;
	}
	return false;
}

} // namespace kelvra

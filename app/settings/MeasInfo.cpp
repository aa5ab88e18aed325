#include "MeasInfo.h"

#include "core/NumberText.h"

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
	if (!number || *number != std::nearbyint(*number) || *number < INT32_MIN || *number > INT32_MAX)
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

} // namespace

void LoadMeasInfo(ModuleData &md, const SettingsStore &store)
{
	for (int i = 0; i < kUnitCount; ++i)
		md.Channels[i].Mflag = readFlag(store, key("MflagID", i), i == 0);
	md.TimerType = readFlag(store, key("TimerType"), false);
	md.IntervalTM = readLong(store, key("IntervalTM"), 1000);
	md.DataAverage = readFlag(store, key("DataAverage"), false);
	md.DeriveAverageNum();
	md.TrgMaxFlag = readFlag(store, key("TrgMaxFlag"), false);
	md.TrgVMax = readFloat(store, key("TrgVMax"), 100.0f);
	md.TrgMinFlag = readFlag(store, key("TrgMinFlag"), false);
	md.TrgVMin = readFloat(store, key("TrgVMin"), -100.0f);
	md.TrgDnum1 = readLong(store, key("TrgDnum1"), 0);
	md.TrgDnum2 = readLong(store, key("TrgDnum2"), kBufferLength);
	md.TrgUnitID = readInteger(store, key("TrgUnitID"), 0);
	md.Sing = readInteger(store, key("Sing"), 0);
	for (int i = 0; i < kUnitCount; ++i)
		md.Channels[i].Power = readFloat(store, key("Power", i), 100.0f);
	for (int i = 0; i < kUnitCount; ++i)
		md.Channels[i].PowerSing = readInteger(store, key("PowerSing", i), 0);
	for (int i = 0; i < kUnitCount; ++i)
		md.Channels[i].Capacity = readFloat(store, key("Capacity", i), 100.0f);
}

void SaveMeasInfo(const ModuleData &md, SettingsStore &store)
{
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("MflagID", i), flagText(md.Channels[i].Mflag));
	store.setValue(key("TimerType"), flagText(md.TimerType));
	store.setValue(key("IntervalTM"), QString::number(md.IntervalTM));
	store.setValue(key("DataAverage"), flagText(md.DataAverage));
	store.setValue(key("TrgMaxFlag"), flagText(md.TrgMaxFlag));
	store.setValue(key("TrgVMax"), shortestText(md.TrgVMax));
	store.setValue(key("TrgMinFlag"), flagText(md.TrgMinFlag));
	store.setValue(key("TrgVMin"), shortestText(md.TrgVMin));
	store.setValue(key("TrgDnum1"), QString::number(md.TrgDnum1));
	store.setValue(key("TrgDnum2"), QString::number(md.TrgDnum2));
	store.setValue(key("TrgUnitID"), QString::number(md.TrgUnitID));
	store.setValue(key("Sing"), QString::number(md.Sing));
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("Power", i), shortestText(md.Channels[i].Power));
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("PowerSing", i), QString::number(md.Channels[i].PowerSing));
	for (int i = 0; i < kUnitCount; ++i)
		store.setValue(key("Capacity", i), shortestText(md.Channels[i].Capacity));
}

bool HasMeasInfo(const SettingsStore &store)
{
	// Any one key counts: a store edited by hand may hold only some.
	static const char *const names[] = {"MflagID0", "MflagID1", "MflagID2", "MflagID3", "TimerType",
			"IntervalTM", "DataAverage", "TrgMaxFlag", "TrgVMax", "TrgMinFlag", "TrgVMin", "TrgDnum1",
			"TrgDnum2", "TrgUnitID", "Sing", "Power0", "Power1", "Power2", "Power3", "PowerSing0",
			"PowerSing1", "PowerSing2", "PowerSing3", "Capacity0", "Capacity1", "Capacity2", "Capacity3"};
	const QString missing = QStringLiteral("\x01missing");
	for (const char *name : names) {
		if (store.value(key(name), missing) != missing)
			return true;
	}
	return false;
}

} // namespace kelvra

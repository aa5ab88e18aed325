#include "UnitEntries.h"

#include "core/NumberText.h"

#include <QCoreApplication>

namespace kelvra {

UnitEntries LoadUnitData(const ModuleData &md)
{
	UnitEntries entries;
	entries.sing = md.settings.Sing;
	for (int i = 0; i < kUnitCount; ++i) {
		entries.power[i] = shortestText(md.Channels[i].Power);
		entries.capacity[i] = shortestText(md.Channels[i].Capacity);
		entries.powerInMicrostrain[i] = md.Channels[i].PowerSing != 0;
	}
	return entries;
}

bool CapacityEntryOk(const QString &capacity)
{
	return capacity.size() < 10 &&
			readSingle(capacity).has_value(); // a capacity that is no number has no
							  // sound meaning either
}

bool PowerEntryOk(const QString &power, bool microstrain)
{
	const auto value = readSingle(power);
	if (!value)
		return false;
	const float inMicrostrain = *value * (microstrain ? 1.0f : 2000.0f);
	return inMicrostrain <= 8000.0f && inMicrostrain >= -8000.0f && inMicrostrain != 0.0f;
}

QString CheckUnitData(const UnitEntries &entries, const ModuleData &md)
{
	if (entries.sing == 0)
		return {};
	for (int i = 0; i < kUnitCount; ++i) {
		if (md.Channels[i].inUse() &&
				!(CapacityEntryOk(entries.capacity[i]) &&
						PowerEntryOk(entries.power[i],
								entries.powerInMicrostrain[i])))
			return QCoreApplication::translate("UnitEntries", "設定に誤りがあります。");
	}
	return {};
}

void SaveUnitData(const UnitEntries &entries, ModuleData &md)
{
	md.settings.Sing = entries.sing;
	for (int i = 0; i < kUnitCount; ++i) {
		ChannelRecord &channel = md.Channels[i];
		channel.Power = readSingle(entries.power[i]).value_or(channel.Power);
		channel.Capacity = readSingle(entries.capacity[i]).value_or(channel.Capacity);
		channel.PowerSing = entries.powerInMicrostrain[i] ? 1 : 0;
	}
}

} // namespace kelvra

#include "UnitEntries.h"

#include "core/NumberText.h"

namespace kelvra {

UnitEntries LoadUnitData(const ModuleData &md)
{
	UnitEntries entries;
	entries.sing = md.Sing;
	for (int i = 0; i < kUnitCount; ++i) {
		entries.power[i] = shortestText(md.Channels[i].Power);
		entries.capacity[i] = shortestText(md.Channels[i].Capacity);
		entries.powerInMicrostrain[i] = md.Channels[i].PowerSing != 0;
	}
	return entries;
}

QString CheckUnitData(const UnitEntries &entries, const ModuleData &md)
{
	if (entries.sing == 0)
		return {};
	const QString message = QStringLiteral("設定に誤りがあります。");
	for (int i = 0; i < kUnitCount; ++i) {
		if (!md.Channels[i].inUse())
			continue;
		if (entries.capacity[i].size() >= 10 || !readSingle(entries.capacity[i]))
			return message; // a capacity that is no number has no sound meaning either
		const auto power = readSingle(entries.power[i]);
		if (!power)
			return message;
		const float microstrain = *power * (entries.powerInMicrostrain[i] ? 1.0f : 2000.0f);
		if (microstrain > 8000.0f || microstrain < -8000.0f || microstrain == 0.0f)
			return message;
	}
	return {};
}

void SaveUnitData(const UnitEntries &entries, ModuleData &md)
{
	md.Sing = entries.sing;
	for (int i = 0; i < kUnitCount; ++i) {
		ChannelRecord &channel = md.Channels[i];
		channel.Power = readSingle(entries.power[i]).value_or(channel.Power);
		channel.Capacity = readSingle(entries.capacity[i]).value_or(channel.Capacity);
		channel.PowerSing = entries.powerInMicrostrain[i] ? 1 : 0;
	}
}

} // namespace kelvra

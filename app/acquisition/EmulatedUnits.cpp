#include "EmulatedUnits.h"

#include <QStringList>

namespace kelvra {

namespace {

// A 16-bit unit set to 1 is reached as unit 2 and one set to 2 as unit 1,
// as the device library maps real units.
int reachedAs(int id, bool sixteenBit)
{
	return sixteenBit && (id == 1 || id == 2) ? 3 - id : id;
}

} // namespace

std::vector<int> EmulatedUnitIds(const QString &description)
{
	if (description.section(QLatin1Char(','), 0, 0).trimmed() == QStringLiteral("demo"))
		return {0, 1, 2, 3}; // "demo" and "demo,speed=100"
	std::vector<int> ids;
	for (const QString &unit : description.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
		int id = -1;
		bool sixteenBit = true;
		for (const QString &field : unit.split(QLatin1Char(','))) {
			const QString trimmed = field.trimmed();
			if (trimmed.startsWith(QStringLiteral("id="))) {
				bool ok = false;
				id = trimmed.mid(3).toInt(&ok);
				if (!ok)
					id = -1;
			} else if (trimmed.startsWith(QStringLiteral("kind="))) {
				sixteenBit = trimmed.mid(5).toInt() == 0;
			}
		}
		if (id >= 0 && id < kUnitCount)
			ids.push_back(reachedAs(id, sixteenBit));
	}
	return ids;
}

void UseEmulatedUnits(ModuleData &md, const std::vector<int> &ids)
{
	if (ids.empty())
		return;
	for (ChannelRecord &channel : md.Channels)
		channel.Mflag = kFalse;
	for (int id : ids)
		md.Channels[id].Mflag = kTrue;
	md.settings.TimerType = kFalse;
	md.settings.IntervalTM = 100;
	md.DeriveAverageNum();
}

} // namespace kelvra

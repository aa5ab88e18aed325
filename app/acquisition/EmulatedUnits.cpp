#include "EmulatedUnits.h"

#include <QStringList>

namespace kelvra {

std::vector<int> EmulatedUnitIds(const QString &description)
{
	if (description.trimmed() == QStringLiteral("demo"))
		return {0, 1, 2, 3};
	std::vector<int> ids;
	for (const QString &unit : description.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
		for (const QString &field : unit.split(QLatin1Char(','))) {
			const QString trimmed = field.trimmed();
			if (!trimmed.startsWith(QStringLiteral("id=")))
				continue;
			bool ok = false;
			const int id = trimmed.mid(3).toInt(&ok);
			if (ok && id >= 0 && id < kUnitCount)
				ids.push_back(id);
		}
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
	md.TimerType = kFalse;
	md.IntervalTM = 100;
	md.DeriveAverageNum();
}

} // namespace kelvra

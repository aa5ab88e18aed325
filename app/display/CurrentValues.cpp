#include "CurrentValues.h"

namespace kelvra {

CurrentValues::CurrentValues(const ModuleData &md, ValueLabels &labels) : md_(md), labels_(labels)
{
}

QString CurrentValues::valueText(float value)
{
	return QString::number(static_cast<double>(value), 'f', 3);
}

void CurrentValues::show(int unit, int32_t index)
{
	if (index >= 0 && index < kBufferLength)
		labels_.setValueText(unit, valueText(md_.Channels[unit].Data[index]));
}

void CurrentValues::ClearValueLabels()
{
	for (int u = 0; u < kUnitCount; ++u)
		labels_.setValueText(u, QString());
}

void CurrentValues::ShowCurrentValues()
{
	for (int u = 0; u < kUnitCount; ++u) {
		if (md_.Channels[u].inUse())
			show(u, md_.DataCount - 1);
	}
}

void CurrentValues::ShowCurrentValuesByNum()
{
	for (int u = 0; u < kUnitCount; ++u) {
		if (md_.Channels[u].inUse() && md_.Channels[u].DataNum > 0)
			show(u, md_.Channels[u].DataNum - 1);
	}
}

void CurrentValues::ShowCurrentValuesTrg()
{
	if (md_.TrgOn != kTrue)
		return;
	for (int u = 0; u < kUnitCount; ++u) {
		if (md_.Channels[u].inUse())
			show(u, md_.Channels[u].WritePos);
	}
}

} // namespace kelvra

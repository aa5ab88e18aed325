#include "Conversion.h"

#include <cmath>

namespace kelvra {

std::optional<float> ConvertReading(const ModuleData &md, int unit, double reading)
{
	if (md.settings.Sing == 0)
		return static_cast<float>(reading);
	const ChannelRecord &channel = md.Channels[unit];
	// 2000 microstrain per mV/V; the product is formed before the division.
	const double ratedOutput = channel.PowerSing == 0
			? static_cast<double>(channel.Power * 2000.0f)
			: static_cast<double>(channel.Power);
	if (ratedOutput == 0.0)
		return std::nullopt;
	const auto value = static_cast<float>(
			static_cast<double>(channel.Capacity) * reading / ratedOutput);
	if (!std::isfinite(value))
		return std::nullopt;
	return value;
}

} // namespace kelvra

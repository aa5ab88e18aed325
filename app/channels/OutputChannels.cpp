#include "OutputChannels.h"

namespace kelvra {

namespace {

std::string rosetteOutputUnit(RosetteOutput output)
{
	switch (output) {
	case RosetteOutput::E1:
	case RosetteOutput::E2:
		return std::string(kMicrostrainUnitName);
	case RosetteOutput::Theta:
		return std::string(kAngleUnitName);
	default:
		return std::string(kStressUnitName);
	}
}

} // namespace

std::vector<OutputChannel> outputChannels(
		const ChannelDefinitions &definitions, const MeasuredUnits &units)
{
	std::vector<OutputChannel> list;
	for (int u = 0; u < kDefinitionUnits; ++u) {
		const UnitStrainSetup &setup = definitions.units[u];
		if (units.inUse[u])
			list.push_back({unitChannelName(u),
					setup.scale.empty() ? std::string(kMicrostrainUnitName)
							    : setup.scaleUnit,
					OutputKind::Unit, u});
	}
	for (int u = 0; u < kDefinitionUnits; ++u) {
		if (units.inUse[u] && definitions.units[u].modulusGPa)
			list.push_back({stressChannelName(u), std::string(kStressUnitName),
					OutputKind::Stress, u});
	}
	for (std::size_t r = 0; r < definitions.rosettes.size(); ++r) {
		const RosetteDefinition &rosette = definitions.rosettes[r];
		for (int k = 0; k < rosetteOutputCount(rosette); ++k) {
			const auto output = static_cast<RosetteOutput>(k);
			list.push_back({rosetteOutputName(rosette.name, output),
					rosetteOutputUnit(output), OutputKind::Rosette,
					static_cast<int>(r), output});
		}
	}
	for (std::size_t c = 0; c < definitions.channels.size(); ++c) {
		const ComputedChannel &channel = definitions.channels[c];
		list.push_back({channel.name, channel.unit, OutputKind::Computed,
				static_cast<int>(c)});
	}
	return list;
}

} // namespace kelvra

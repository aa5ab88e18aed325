#include "DefinitionCheck.h"

#include "DefinitionNumbers.h"
#include "OutputChannels.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace kelvra {

namespace {

bool positive(double value)
{
	return std::isfinite(value) && value > 0.0;
}

bool poissonRatio(double value)
{
	return value >= 0.0 && value < 0.5;
}

int characterCount(std::string_view text)
{
	return static_cast<int>(std::count_if(text.begin(), text.end(),
			[](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }));
}

bool unitNameOk(std::string_view name)
{
	return characterCount(name) <= kMaxUnitNameLength && trimmedText(name) == name &&
			std::none_of(name.begin(), name.end(), [](char c) {
				return static_cast<unsigned char>(c) < 0x20 || c == '\x7f';
			});
}

bool nameOk(std::string_view name)
{
	return isChannelName(name) && static_cast<int>(name.size()) <= kMaxNameLength;
}

DefinitionFault unitFault(FaultCode code, int unit, int index = -1)
{
	DefinitionFault fault{code};
	fault.unit = unit;
	fault.index = index;
	return fault;
}

DefinitionFault namedFault(FaultCode code, std::string name)
{
	DefinitionFault fault{code};
	fault.name = std::move(name);
	return fault;
}

std::optional<DefinitionFault> checkScale(const UnitStrainSetup &s, int unit)
{
	if (s.scale.empty())
		return s.scaleUnit.empty()
				? std::nullopt
				: std::optional(unitFault(FaultCode::ScaleUnitWithoutTable, unit));
	if (s.scale.size() < kMinScalePoints || s.scale.size() > kMaxScalePoints)
		return unitFault(FaultCode::ScalePointCount, unit);
	for (std::size_t i = 0; i < s.scale.size(); ++i) {
		const ScalePoint &p = s.scale[i];
		const bool increasing = i == 0 || p.x > s.scale[i - 1].x;
		if (!std::isfinite(p.x) || !std::isfinite(p.y) || !increasing)
			return unitFault(FaultCode::ScalePoint, unit, static_cast<int>(i) + 1);
	}
	if (!unitNameOk(s.scaleUnit))
		return unitFault(FaultCode::UnitName, unit);
	return std::nullopt;
}

std::optional<DefinitionFault> checkUnit(const UnitStrainSetup &s, int unit, bool loadShown)
{
	if (loadShown && s != UnitStrainSetup{})
		return unitFault(FaultCode::StrainNeedsMicrostrain, unit);
	if (!positive(s.bridge.gaugeFactor))
		return unitFault(FaultCode::GaugeFactor, unit);
	if (!poissonRatio(s.bridge.poisson))
		return unitFault(FaultCode::Poisson, unit);
	if (!(std::isfinite(s.bridge.leadOhm) && s.bridge.leadOhm >= 0.0))
		return unitFault(FaultCode::LeadOhm, unit);
	if (!positive(s.bridge.gaugeOhm))
		return unitFault(FaultCode::GaugeOhm, unit);
	if (auto fault = checkScale(s, unit))
		return fault;
	if (s.modulusGPa && !positive(*s.modulusGPa))
		return unitFault(FaultCode::Modulus, unit);
	return std::nullopt;
}

// Names of rosette outputs and channels, which must all differ.
class Names {
public:
	// Empty when `name` may be taken; then it is.
	std::optional<DefinitionFault> take(const std::string &name)
	{
		if (isReservedName(name))
			return namedFault(FaultCode::NameReserved, name);
		if (!taken_.insert(name).second)
			return namedFault(FaultCode::NameTaken, name);
		return std::nullopt;
	}

private:
	std::set<std::string> taken_;
};

std::optional<DefinitionFault> checkRosette(
		const RosetteDefinition &r, const MeasuredUnits &units, Names &names)
{
	if (!nameOk(r.name))
		return namedFault(FaultCode::RosetteName, r.name);
	if (isReservedName(r.name))
		return namedFault(FaultCode::NameReserved, r.name);
	for (std::size_t gauge = 0; gauge < r.units.size(); ++gauge) {
		const int unit = r.units[gauge];
		if (unit < 0 || unit >= kDefinitionUnits || !units.inUse[unit]) {
			DefinitionFault fault = namedFault(FaultCode::RosetteUnitNotInUse, r.name);
			fault.unit = unit;
			fault.index = static_cast<int>(gauge);
			return fault;
		}
	}
	if (r.units[0] == r.units[1] || r.units[1] == r.units[2] || r.units[0] == r.units[2])
		return namedFault(FaultCode::RosetteSameUnit, r.name);
	if (!units.microstrain)
		return namedFault(FaultCode::RosetteNeedsMicrostrain, r.name);
	if (r.material && !positive(r.material->modulusGPa))
		return namedFault(FaultCode::RosetteModulus, r.name);
	if (r.material && !poissonRatio(r.material->poisson))
		return namedFault(FaultCode::RosettePoisson, r.name);
	// Every output's name, with a material or not, so giving one later
	// cannot clash.
	for (int k = 0; k < kRosetteOutputs; ++k) {
		if (auto fault = names.take(
				    rosetteOutputName(r.name, static_cast<RosetteOutput>(k))))
			return fault;
	}
	return std::nullopt;
}

std::optional<DefinitionFault> checkChannel(
		const ComputedChannel &c, std::span<const std::string> readable, Names &names)
{
	if (!nameOk(c.name))
		return namedFault(FaultCode::ChannelName, c.name);
	if (auto fault = names.take(c.name))
		return fault;
	if (!unitNameOk(c.unit))
		return namedFault(FaultCode::UnitName, c.name);
	const CompiledExpression compiled = compileExpression(c.expression, readable);
	if (!compiled.program) {
		DefinitionFault fault = namedFault(FaultCode::ChannelExpression, c.name);
		fault.expression = compiled.fault;
		return fault;
	}
	return std::nullopt;
}

} // namespace

std::optional<DefinitionFault> checkDefinitions(
		const ChannelDefinitions &definitions, const MeasuredUnits &units)
{
	// The setups of units not in use too, which the load display unit
	// leaves alone: they are kept, in the files as well.
	for (int unit = 0; unit < kDefinitionUnits; ++unit) {
		const bool needsStrain = units.inUse[unit] && !units.microstrain;
		if (auto fault = checkUnit(definitions.units[unit], unit, needsStrain))
			return fault;
	}
	if (definitions.tareSamples < 1 || definitions.tareSamples > kMaxTareSamples)
		return DefinitionFault{FaultCode::TareSamples};
	if (definitions.rosettes.size() > kMaxRosettes)
		return DefinitionFault{FaultCode::RosetteCount};
	Names names;
	for (const RosetteDefinition &rosette : definitions.rosettes) {
		if (auto fault = checkRosette(rosette, units, names))
			return fault;
	}
	if (definitions.channels.size() > kMaxComputedChannels)
		return DefinitionFault{FaultCode::ChannelCount};
	// A channel reads the outputs before it: the list ends with the channels.
	std::vector<std::string> readable;
	for (const OutputChannel &output : outputChannels(definitions, units))
		readable.push_back(output.name);
	const std::size_t beforeChannels = readable.size() - definitions.channels.size();
	for (std::size_t i = 0; i < definitions.channels.size(); ++i) {
		const auto before = std::span(readable).first(beforeChannels + i);
		if (auto fault = checkChannel(definitions.channels[i], before, names))
			return fault;
	}
	return std::nullopt;
}

} // namespace kelvra

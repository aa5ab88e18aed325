#include "ChannelDefinitions.h"

#include "ExpressionCompiler.h"

#include <algorithm>

namespace kelvra {

namespace {

constexpr std::string_view kRosetteSuffixes[kRosetteOutputs] = {
		"_e1", "_e2", "_theta", "_s1", "_s2", "_tau", "_vm"};

// The datasets a recording's HDF5 export keeps at its root beside the units
// and the channels.
constexpr std::string_view kFileNames[] = {"time", "events"};

} // namespace

std::string unitChannelName(int unit)
{
	return "ID" + std::to_string(unit);
}

std::string stressChannelName(int unit)
{
	return unitChannelName(unit) + "_stress";
}

std::string rosetteOutputName(std::string_view rosette, RosetteOutput output)
{
	return std::string(rosette).append(kRosetteSuffixes[static_cast<int>(output)]);
}

int rosetteOutputCount(const RosetteDefinition &rosette)
{
	return rosette.material ? kRosetteOutputs : kRosetteStrainOutputs;
}

bool isChannelName(std::string_view name)
{
	const auto letter = [](char c) {
		return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
	};
	const auto digit = [](char c) { return c >= '0' && c <= '9'; };
	return !name.empty() && letter(name.front()) &&
			std::all_of(name.begin(), name.end(),
					[&](char c) { return letter(c) || digit(c); });
}

bool isReservedName(std::string_view name)
{
	for (int unit = 0; unit < kDefinitionUnits; ++unit) {
		if (name == unitChannelName(unit) || name == stressChannelName(unit))
			return true;
	}
	return isExpressionFunction(name) ||
			std::find(std::begin(kFileNames), std::end(kFileNames), name) !=
			std::end(kFileNames);
}

} // namespace kelvra

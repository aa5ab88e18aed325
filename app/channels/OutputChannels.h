#pragma once

// The channels a row of readings gives under a set of definitions, each with
// its name and unit: the names legends, file headers and expressions use.

#include "ChannelDefinitions.h"

#include <string>
#include <vector>

namespace kelvra {

enum class OutputKind : uint8_t { Unit, Stress, Rosette, Computed };

struct OutputChannel {
	std::string name;
	std::string unit;
	OutputKind kind;
	int source; // the unit, or the index of the rosette or of the computed channel
	RosetteOutput rosetteOutput = RosetteOutput::E1;

	bool operator==(const OutputChannel &) const = default;
};

// In the order a row computes them: the units in use, their stress
// channels, each rosette's outputs, the computed channels.
std::vector<OutputChannel> outputChannels(
		const ChannelDefinitions &definitions, const MeasuredUnits &units);

} // namespace kelvra

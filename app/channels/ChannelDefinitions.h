#pragma once

// Everything that turns the units' readings into the values a strain lab
// measures: per unit the bridge and its gauges, the tare, a scaling table
// and a modulus; the rosettes; the computed channels. One value between the
// dialogs, the command line, the stored settings and a recording's header,
// which keeps it beside the readings as measured, so that it can be changed
// after the run and every view and export follows.
//
// A unit's value goes through its steps in order: the bridge formula, the
// tare (minus the mean of the run's first tareSamples corrected samples),
// the scaling table. The stress and the rosettes take the strain after the
// tare, before the table, which only changes what the unit shows.

#include "BridgeFormulas.h"
#include "ScalingTable.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvra {

inline constexpr int kDefinitionUnits = 4;
inline constexpr int32_t kDefaultTareSamples = 10;
inline constexpr int32_t kMaxTareSamples = 10000;
inline constexpr int kMaxRosettes = 4;
inline constexpr int kMaxComputedChannels = 32;
inline constexpr int kMaxNameLength = 32;     // a rosette's or a channel's
inline constexpr int kMaxUnitNameLength = 32; // characters

// The name Kelvra keeps for microstrain (shown through the translation).
inline constexpr std::string_view kMicrostrainUnitName = "\u03bc\u3072\u305a\u307f";
inline constexpr std::string_view kStressUnitName = "MPa";
inline constexpr std::string_view kAngleUnitName = "\u00b0";

struct UnitStrainSetup {
	BridgeSetup bridge;
	bool tare = false;
	std::vector<ScalePoint> scale; // empty: no table
	std::string scaleUnit;
	std::optional<double> modulusGPa; // gives the unit a stress channel

	bool operator==(const UnitStrainSetup &) const = default;
};

enum class RosetteLayout : uint8_t {
	Rectangular, // 0°, 45°, 90°
	Delta,       // 0°, 60°, 120°
};

struct RosetteMaterial {
	double modulusGPa;
	double poisson;

	bool operator==(const RosetteMaterial &) const = default;
};

struct RosetteDefinition {
	std::string name = "r";
	RosetteLayout layout = RosetteLayout::Rectangular;
	std::array<int, 3> units{0, 1, 2};       // gauges A, B and C
	std::optional<RosetteMaterial> material; // gives the stresses

	bool operator==(const RosetteDefinition &) const = default;
};

struct ComputedChannel {
	std::string name;
	std::string expression;
	std::string unit;

	bool operator==(const ComputedChannel &) const = default;
};

struct ChannelDefinitions {
	std::array<UnitStrainSetup, kDefinitionUnits> units{};
	int32_t tareSamples = kDefaultTareSamples;
	std::vector<RosetteDefinition> rosettes;
	std::vector<ComputedChannel> channels; // each may read those before it

	bool operator==(const ChannelDefinitions &) const = default;
	// Nothing but what the units read.
	bool empty() const { return *this == ChannelDefinitions{}; }
};

// The units a run or a recording measures, which the definitions are
// checked and evaluated against.
struct MeasuredUnits {
	std::array<bool, kDefinitionUnits> inUse{};
	bool microstrain = true; // the display unit; strain setups and rosettes need it
};

enum class RosetteOutput : uint8_t { E1, E2, Theta, S1, S2, Tau, VonMises };
inline constexpr int kRosetteStrainOutputs = 3; // without a material
inline constexpr int kRosetteOutputs = 7;

std::string unitChannelName(int unit);                                         // "ID0"
std::string stressChannelName(int unit);                                       // "ID0_stress"
std::string rosetteOutputName(std::string_view rosette, RosetteOutput output); // "r_e1"
int rosetteOutputCount(const RosetteDefinition &rosette);

// Letters, digits and '_', not starting with a digit.
bool isChannelName(std::string_view name);
// A name a rosette or a computed channel may not take whatever the other
// definitions: ID0…ID3, their stress channels, the functions, and the names
// the files keep beside the channels.
bool isReservedName(std::string_view name);

} // namespace kelvra

#pragma once

// The description of the emulated units: VARNELIO_EMULATOR holds "demo" or
// one description a unit, separated by ';', each made of fields "name=value"
// separated by ','. Fields after "demo," apply to each of its units ("demo,speed=100").
// See the README for the fields.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnelio::emulator {

enum class SignalShape { Constant, Sine, Step, Sequence, RawCount, Count };

struct SignalDescription {
	SignalShape shape = SignalShape::Constant;
	// Constant: {value}; Sine: {amplitude, period_s}; Step: {time_s, before, after};
	// Sequence: the values; RawCount: {count}; Count: {value of sample 0}.
	std::vector<double> params{0.0};
};

enum class UnitCommand { Identify, Open, Close, Calib, Single, Start, Block };
inline constexpr int kUnitCommandCount = 7;

struct FailRule {
	UnitCommand command;
	long exchange; // 1-based number of the exchange of that command
	bool onwards;  // '+': every exchange from that one on
};

struct UnitDescription {
	int id = -1;
	int kind = 0;
	uint32_t span = 1200000;
	uint32_t zero = 8388608;
	SignalDescription signal;
	double offset = 0.0;
	double noise = 0.0;
	uint32_t seed = 1;
	std::optional<int> block; // samples found per block request
	int attachMs = 50;
	std::optional<int> detachMs; // unplugged this long after its attach
	std::optional<int> returnMs; // plugged in again this long after its detach
	int speed = 1;               // its clock runs this many times faster
	std::vector<FailRule> failures;
};

// What is wrong with a description, as varnelio_emulator_problem numbers it.
enum class DescriptionProblem { None = 0, BadField = 1, NoId = 2, DemoId = 3 };

struct EmulatorDescription {
	std::vector<UnitDescription> units;
	std::string error; // names the bad field; empty when the text was understood
	DescriptionProblem problem = DescriptionProblem::None;
	// The part of the text the problem is in: the field, or the unit without an id.
	std::size_t errorOffset = 0;
	std::size_t errorLength = 0;
};

// The four lively units that "demo" stands for.
extern const std::string_view kDemoDescription;

EmulatorDescription parseEmulatorDescription(std::string_view text);

} // namespace varnelio::emulator

#pragma once

// The limits a unit is watched against: an upper and a lower level for a
// warning and for an alarm, each switched on by itself, in the display unit,
// and a hysteresis a value must come back by before a level counts as left.

#include "core/ModuleData.h"

#include <array>
#include <optional>

namespace kelvra {

enum class LimitLevel : uint8_t { Warning, Alarm };
enum class LimitSide : uint8_t { Upper, Lower };

struct UnitLimits {
	// Indexed [level][side]; empty when that level is not watched.
	std::array<std::array<std::optional<float>, 2>, 2> levels{};
	float hysteresis = 0.0f;

	std::optional<float> level(LimitLevel l, LimitSide s) const
	{
		return levels[static_cast<int>(l)][static_cast<int>(s)];
	}
	void setLevel(LimitLevel l, LimitSide s, std::optional<float> value)
	{
		levels[static_cast<int>(l)][static_cast<int>(s)] = value;
	}
	bool any() const;
};

struct LimitSettings {
	std::array<UnitLimits, kUnitCount> units{};
	bool beep = true; // a beep when an alarm level is passed

	bool any() const;
};

} // namespace kelvra

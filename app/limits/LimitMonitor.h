#pragma once

// Watches the stored samples of a run against each unit's limits. A level is
// passed when a value goes beyond it, and left when the value comes back
// inside it by the hysteresis; each passing and each leaving is an event.
// A unit's shown state is latched: it stays at the worst level passed until
// the user acknowledges it, even when the value has come back.

#include "UnitLimits.h"

#include <vector>

namespace kelvra {

enum class LimitState : uint8_t { Normal, Warning, Alarm };

struct LimitEvent {
	enum class Kind : uint8_t { Warning, Alarm, Clear };
	Kind kind;
	int unit;
	int32_t sample; // the sample number (from 1) that passed or left the level
	LimitLevel level;
	LimitSide side;
	float limit;
	float value;

	bool operator==(const LimitEvent &) const = default;
};

class LimitMonitor {
public:
	void setLimits(const LimitSettings &limits);
	const LimitSettings &limits() const { return limits_; }
	// Every level left, nothing latched: at the start of a run.
	void reset();

	// One stored sample of a unit; empty for a sample without data, which
	// neither passes nor leaves a level. Appends the events it causes.
	// Inline, as it runs for every sample of a run.
	void check(int unit, int32_t sample, std::optional<float> value,
			std::vector<LimitEvent> &events)
	{
		if (value && (*value < quiet_[unit].first || *value > quiet_[unit].second))
			checkLevels(unit, sample, *value, events);
	}

	// The worst level the unit is beyond now, and the worst since the last
	// acknowledgement.
	LimitState current(int unit) const;
	LimitState latched(int unit) const { return latched_[unit]; }
	void acknowledge();

private:
	void checkLevels(int unit, int32_t sample, float value, std::vector<LimitEvent> &events);
	void findQuietBand(int unit);

	LimitSettings limits_;
	// Indexed [unit][level][side]: beyond that level now.
	std::array<std::array<std::array<bool, 2>, 2>, kUnitCount> beyond_{};
	std::array<LimitState, kUnitCount> latched_{};
	// Per unit the values, both ends included, that pass and leave no level
	// as things stand: most samples are only compared with these.
	std::array<std::pair<float, float>, kUnitCount> quiet_{};
};

} // namespace kelvra

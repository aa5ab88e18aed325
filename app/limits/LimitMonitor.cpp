#include "LimitMonitor.h"

#include <algorithm>

namespace kelvra {

namespace {

constexpr LimitLevel kLevels[] = {LimitLevel::Warning, LimitLevel::Alarm};
constexpr LimitSide kSides[] = {LimitSide::Upper, LimitSide::Lower};

bool passes(float value, float limit, LimitSide side)
{
	return side == LimitSide::Upper ? value > limit : value < limit;
}

bool isBackInside(float value, float limit, float hysteresis, LimitSide side)
{
	return side == LimitSide::Upper ? value <= limit - hysteresis : value >= limit + hysteresis;
}

LimitState stateOf(LimitLevel level)
{
	return level == LimitLevel::Alarm ? LimitState::Alarm : LimitState::Warning;
}

} // namespace

void LimitMonitor::setLimits(const LimitSettings &limits)
{
	limits_ = limits;
	reset();
}

void LimitMonitor::reset()
{
	beyond_ = {};
	latched_.fill(LimitState::Normal);
}

void LimitMonitor::check(int unit, int32_t sample, std::optional<float> value,
		std::vector<LimitEvent> &events)
{
	if (!value)
		return;
	const UnitLimits &limits = limits_.units[unit];
	for (const LimitLevel level : kLevels) {
		for (const LimitSide side : kSides) {
			const std::optional<float> limit = limits.level(level, side);
			if (!limit)
				continue;
			bool &beyond = beyond_[unit][static_cast<int>(level)]
					      [static_cast<int>(side)];
			if (!beyond && passes(*value, *limit, side)) {
				beyond = true;
				latched_[unit] = std::max(latched_[unit], stateOf(level));
				const auto kind = level == LimitLevel::Alarm
						? LimitEvent::Kind::Alarm
						: LimitEvent::Kind::Warning;
				events.push_back({kind, unit, sample, level, side, *limit, *value});
			} else if (beyond &&
					isBackInside(*value, *limit, limits.hysteresis, side)) {
				beyond = false;
				events.push_back({LimitEvent::Kind::Clear, unit, sample, level,
						side, *limit, *value});
			}
		}
	}
}

LimitState LimitMonitor::current(int unit) const
{
	const auto &levels = beyond_[unit];
	if (levels[static_cast<int>(LimitLevel::Alarm)][0] ||
			levels[static_cast<int>(LimitLevel::Alarm)][1])
		return LimitState::Alarm;
	if (levels[static_cast<int>(LimitLevel::Warning)][0] ||
			levels[static_cast<int>(LimitLevel::Warning)][1])
		return LimitState::Warning;
	return LimitState::Normal;
}

void LimitMonitor::acknowledge()
{
	// What is still beyond a level stays shown: only what has come back goes.
	for (int unit = 0; unit < kUnitCount; ++unit)
		latched_[unit] = current(unit);
}

} // namespace kelvra

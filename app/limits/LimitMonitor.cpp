#include "LimitMonitor.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
	for (int unit = 0; unit < kUnitCount; ++unit)
		findQuietBand(unit);
}

// A level not passed bounds the band at the level itself; a level passed, at
// the hysteresis inside it, that value itself leaving it.
void LimitMonitor::findQuietBand(int unit)
{
	constexpr float inf = std::numeric_limits<float>::infinity();
	float low = -inf;
	float high = inf;
	const UnitLimits &limits = limits_.units[unit];
	for (const LimitLevel level : kLevels) {
		for (const LimitSide side : kSides) {
			const std::optional<float> limit = limits.level(level, side);
			if (!limit)
				continue;
			const bool beyond = beyond_[unit][static_cast<int>(level)]
						   [static_cast<int>(side)];
			if (side == LimitSide::Upper && !beyond)
				high = std::min(high, *limit);
			else if (side == LimitSide::Upper)
				low = std::max(low,
						std::nextafter(*limit - limits.hysteresis, inf));
			else if (!beyond)
				low = std::max(low, *limit);
			else
				high = std::min(high,
						std::nextafter(*limit + limits.hysteresis, -inf));
		}
	}
	quiet_[unit] = {low, high};
}

void LimitMonitor::checkLevels(
		int unit, int32_t sample, float value, std::vector<LimitEvent> &events)
{
	const UnitLimits &limits = limits_.units[unit];
	for (const LimitLevel level : kLevels) {
		for (const LimitSide side : kSides) {
			const std::optional<float> limit = limits.level(level, side);
			if (!limit)
				continue;
			bool &beyond = beyond_[unit][static_cast<int>(level)]
					      [static_cast<int>(side)];
			if (!beyond && passes(value, *limit, side)) {
				beyond = true;
				latched_[unit] = std::max(latched_[unit], stateOf(level));
				const auto kind = level == LimitLevel::Alarm
						? LimitEvent::Kind::Alarm
						: LimitEvent::Kind::Warning;
				events.push_back({kind, unit, sample, level, side, *limit, value});
			} else if (beyond && isBackInside(value, *limit, limits.hysteresis, side)) {
				beyond = false;
				events.push_back({LimitEvent::Kind::Clear, unit, sample, level,
						side, *limit, value});
			}
		}
	}
	findQuietBand(unit);
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

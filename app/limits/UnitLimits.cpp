#include "UnitLimits.h"

#include <algorithm>

namespace kelvra {

bool UnitLimits::any() const
{
	return std::any_of(levels.begin(), levels.end(), [](const auto &sides) {
		return sides[0].has_value() || sides[1].has_value();
	});
}

bool LimitSettings::any() const
{
	return std::any_of(units.begin(), units.end(), [](const UnitLimits &u) { return u.any(); });
}

} // namespace kelvra

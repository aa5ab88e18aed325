#pragma once

// Engineering-unit conversion: a reading in microstrain into the unit of
// display, with the unit's rated output and capacity.

#include "core/ModuleData.h"

#include <optional>

namespace kelvra {

// nullopt when the result is not a number (a rated output of 0 read from a
// file): such a sample stores nothing.
std::optional<float> ConvertReading(const ModuleData &md, int unit, double reading);

} // namespace kelvra

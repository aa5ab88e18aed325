#pragma once

// What a newcomer sees first when the window starts with emulated units and
// no measuring conditions were stored yet: every emulated unit in use,
// unit-timed at 100 ms, so the first start shows every trace.

#include "core/ModuleData.h"

#include <QString>

#include <vector>

namespace kelvra {

// The unit IDs an emulator description sets up: all four for "demo" (with
// fields for its units or without), else
// the ID each described unit is reached under, its `id=N` with 1 and 2
// exchanged for a 16-bit unit (kind=0). A field that does not read is left
// to the device library to report.
std::vector<int> EmulatedUnitIds(const QString &description);

void UseEmulatedUnits(ModuleData &md, const std::vector<int> &ids);

} // namespace kelvra

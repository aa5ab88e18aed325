#pragma once

// The settings a run carries, as one value: what the data file, the journal
// and the stored conditions take from the measurement state and give back,
// with the one check of what a writer of them can have written.

#include "ModuleData.h"

#include <QString>

#include <array>

namespace kelvra {

inline constexpr int32_t kMaxIntervalMs = 65535000; // 65535 s, the longest PC-timed interval

struct UnitSettings {
	Flag Mflag = kFalse;
	float Power = 0.0f;
	int16_t PowerSing = 0;
	float Capacity = 0.0f;
};

// The measurement's settings with those of every unit.
struct RunSettings : MeasurementSettings {
	std::array<UnitSettings, kUnitCount> units;
};

RunSettings SettingsOfRun(const ModuleData &md);

// Writes the settings into the state; a flag written as 1 reads as true.
void ApplyRunSettings(const RunSettings &settings, ModuleData &md);

bool IsFlag(int16_t value); // -1, 0, or the 1 some writers put for true
bool IsUnitId(int32_t unit);
bool IsDisplayUnit(int16_t sing);

// Why the settings cannot come from a writer, in words for the user (the
// setting as the settings dialogs name it); empty when they can. Values the
// storing code relies on are bounded here, so a damaged or foreign file never
// misdrives the next run.
QString ImplausibleSetting(const RunSettings &settings);

} // namespace kelvra

#pragma once

// The measuring conditions that survive a restart: loaded once at start-up,
// saved only when the user asks.

#include "SettingsStore.h"
#include "core/ModuleData.h"

namespace kelvra {

// Reads every key; a missing or unreadable value takes its default.
void LoadMeasInfo(ModuleData &md, const SettingsStore &store);

// True when any of the keys is stored: the conditions were saved before.
bool HasMeasInfo(const SettingsStore &store);

// Writes every key from the variables as they stand.
void SaveMeasInfo(const ModuleData &md, SettingsStore &store);

} // namespace kelvra

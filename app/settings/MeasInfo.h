#pragma once

// The measuring conditions that survive a restart: loaded once at start-up,
// saved only when the user asks.

#include "SettingsStore.h"
#include "core/ModuleData.h"

#include <QStringList>

namespace kelvra {

// Reads every key; a missing or unreadable value takes its default, and so
// does a value the settings dialogs would refuse. Returns the keys reset for
// that last reason, for the program to name once.
QStringList LoadMeasInfo(ModuleData &md, const SettingsStore &store);

// The message naming keys that LoadMeasInfo reset.
QString ResetKeysMessage(const QStringList &keys);

// True when any of the keys is stored: the conditions were saved before.
bool HasMeasInfo(const SettingsStore &store);

// Writes every key from the variables as they stand.
void SaveMeasInfo(const ModuleData &md, SettingsStore &store);

} // namespace kelvra

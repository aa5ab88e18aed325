#pragma once

// The state the window and the recorder start from: the buffers sized and
// cleared, no zero references, the stored measuring conditions and their
// range. With emulated units and nothing stored yet, the first look instead:
// every described unit in use, unit-timed at 100 ms.

#include "SettingsStore.h"
#include "core/ModuleData.h"

#include <QStringList>

namespace kelvra {

// Returns the stored keys reset to their defaults, for the caller to name.
QStringList LoadStartUpState(
		ModuleData &md, const SettingsStore &store, const QString &emulatorDescription);

} // namespace kelvra

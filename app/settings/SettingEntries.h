#pragma once

// The acquisition settings as the settings dialog holds them, their checks
// with the dialog's messages, and how they are applied. The dialog and the
// command-line recorder both go through here.

#include "core/ModuleData.h"

#include <QString>

#include <array>

namespace kelvra {

struct SettingEntries {
	std::array<bool, kUnitCount> unitTicked{};
	bool milliseconds =
			true; // interval in 10-ms steps (unit-timed); else whole seconds (PC-timed)
	QString timeSteps;    // entry in 10-ms steps
	QString timeSeconds;  // entry in seconds
	bool average = false;
	std::array<bool, 2> triggerTicked{}; // upper, lower
	std::array<QString, 2> triggerLevel; // upper, lower
	std::array<QString, 2> triggerCount; // before, after
	int triggerUnit = -1;                // -1: no unit chosen
};

// The dialog's entries as they open from the measurement state.
SettingEntries LoadSettingEntries(const ModuleData &md);

// Empty when every check passes; otherwise the first failing check's message.
QString CheckUnits(const SettingEntries &entries);
QString CheckTime(const SettingEntries &entries);
QString CheckTrigger(const SettingEntries &entries, const ModuleData &md);
QString CheckSettings(const SettingEntries &entries, const ModuleData &md);

// Writes checked entries into the measurement settings.
void ApplySettings(const SettingEntries &entries, ModuleData &md);

} // namespace kelvra

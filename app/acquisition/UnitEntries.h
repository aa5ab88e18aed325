#pragma once

// The unit model as the unit settings dialog holds it: display unit, and per
// unit the rated output with its own unit and the rated capacity. The dialog
// and the command-line recorder check and save through here.

#include "core/ModuleData.h"

#include <QString>

#include <array>

namespace kelvra {

struct UnitEntries {
	int16_t sing = 0;
	std::array<QString, kUnitCount> power;
	std::array<bool, kUnitCount> powerInMicrostrain{}; // else mV/V
	std::array<QString, kUnitCount> capacity;
};

UnitEntries LoadUnitData(const ModuleData &md);

// The checks of one unit's entries.
bool CapacityEntryOk(const QString &capacity);
bool PowerEntryOk(const QString &power, bool microstrain);

// Empty when the entries pass; otherwise "設定に誤りがあります。".
QString CheckUnitData(const UnitEntries &entries, const ModuleData &md);

void SaveUnitData(const UnitEntries &entries, ModuleData &md);

} // namespace kelvra

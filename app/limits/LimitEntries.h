#pragma once

// The limits as the dialog "リミット設定" holds them: per unit a check box
// and a text for each level, and the hysteresis; checked into limits with
// one message for the first fault. Stored beside the measuring conditions,
// a level as its value (empty when off).

#include "UnitLimits.h"
#include "settings/SettingsStore.h"

#include <QString>

#include <optional>

namespace kelvra {

struct LevelEntry {
	bool ticked = false;
	QString text;
};

struct UnitLimitEntries {
	std::array<std::array<LevelEntry, 2>, 2> levels{}; // [level][side], as UnitLimits
	QString hysteresis = QStringLiteral("0");
};

using LimitEntries = std::array<UnitLimitEntries, kUnitCount>;

struct LimitCheck {
	std::optional<LimitSettings> limits;
	QString message; // the refusal, when limits is empty
};

// Only the units in use are checked; the others keep the limits they had.
LimitCheck CheckLimits(
		const LimitEntries &entries, const ModuleData &md, const LimitSettings &previous);
LimitEntries EntriesOf(const LimitSettings &limits);

LimitSettings LoadLimits(const SettingsStore &store);
void SaveLimits(SettingsStore &store, const LimitSettings &limits);

} // namespace kelvra

#pragma once

// Rebuilds a journaled run into the measurement state: the run's settings and
// units, then every tick's samples through the same storing code the live run
// used (the trigger engine included), so the rebuilt data, trigger window and
// all, are what the run held at its last journaled tick. The state is left as
// a read file leaves it: not measuring, extremes computed, memo lines set.

#include "JournalFormat.h"
#include "core/ModuleData.h"

namespace kelvra {

void RebuildRun(const JournalContent &content, ModuleData &md);

} // namespace kelvra

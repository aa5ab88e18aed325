#pragma once

// Rebuilds a journaled run into the measurement state: the run's settings and
// units, then every tick's samples through the same storing steps the live
// run used (the trigger engine included), so the rebuilt data, trigger window
// and all, are what the run held at its last journaled tick. The state is
// left as a read file leaves it: not measuring, extremes computed, memo lines
// and the run's events set.

#include "JournalFormat.h"
#include "JournalReader.h"
#include "core/ModuleData.h"

namespace kelvra {

void RebuildRun(const JournalContent &content, ModuleData &md);

// The same, a tick at a time, from a reader that has read the header.
void RebuildRun(JournalReader &reader, ModuleData &md);

// Reads the journal file and rebuilds its run; false with the reason when
// the file cannot be read or holds no journal header.
bool RebuildJournal(const QString &fileName, ModuleData &md, QString *error);

// The samples a rebuild holds when the last tick left DataCount at `lastDataCount`.
int32_t SamplesKept(const JournalHeader &header, int32_t lastDataCount);

} // namespace kelvra

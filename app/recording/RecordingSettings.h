#pragma once

// The run's settings as a recording carries them: the value the run journal
// writes in its header (settings, units with their sensor data, display unit,
// start time, memo lines), stored with that value's own encoding.

#include "run/JournalFormat.h"

#include <QByteArray>

#include <optional>

namespace kelvra {

using RecordedRun = JournalHeader;

QByteArray EncodeRecordedRun(const RecordedRun &run);
std::optional<RecordedRun> DecodeRecordedRun(const QByteArray &bytes);

// Puts a recorded run's settings into the state, as a data file read does.
void ApplyRecordedRun(const RecordedRun &run, ModuleData &md);

} // namespace kelvra

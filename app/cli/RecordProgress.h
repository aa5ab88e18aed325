#pragma once

// kelvra-cli record's progress on standard error: one line a tick, rewritten
// in place on a terminal, one after another when asked for elsewhere.

#include "core/ModuleData.h"
#include "recording/LongRecording.h"

#include <QElapsedTimer>

namespace kelvra::cli {

class RecordProgress {
public:
	RecordProgress(const ModuleData &md, bool forced);

	void update();
	void finish();

private:
	const ModuleData &md_;
	bool terminal_;
	bool shown_;
	QElapsedTimer clock_;
};

// The closing lines of a long recording: how it ended, the file that opens
// it with its samples, and every part on the disk.
void TellRecorded(const LongRecording::OnDisk &recorded, bool atAlarm);
// That the units lost `lost` samples, which `file` holds as missing.
void TellOverflow(uint64_t lost, const QString &file);

} // namespace kelvra::cli

#pragma once

// What one run is to be, as a front end asks for it: kept in the journal
// until it is saved, or recorded straight to a .kvr file; how many samples it
// keeps; whether the first alarm ends it.

#include "core/ModuleData.h"
#include "recording/RecordingResume.h"

#include <QStringList>

#include <cstdint>
#include <optional>

namespace kelvra {

struct RunPlan {
	bool longRecording = false;
	// A long recording's .kvr file, or the folder in which the file is named
	// by the run's start time.
	QString target;
	bool targetIsFolder = false;
	SplitPeriod split = SplitPeriod::None;
	// Each trigger capture of a long recording saved beside it, then re-armed.
	bool repeatTrigger = false;
	// The memo lines of a long recording's parts.
	QStringList memoLines;
	// Samples per unit that the run keeps; 0: all.
	uint64_t sampleLimit = 0;
	// The run ends at its first alarm and keeps nothing measured after it.
	bool stopAtAlarm = false;
	// The interrupted long recording the run goes on with, in its folder.
	std::optional<ResumePoint> resumePoint;
};

// The folder a long recording writes in: its folder, or its file's.
QString RecordingFolder(const RunPlan &plan);

} // namespace kelvra

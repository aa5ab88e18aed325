#pragma once

// Where an interrupted long recording goes on: its last part's header (the
// start, settings, memo and split every part shares), the name its next part
// takes, and where each unit's records ended. A recording whose last part
// has its end record ended normally and does not go on.

#include "RecordingFormat.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace kelvra {

struct ResumePoint {
	RecordingHeader header;
	QString firstFile; // the file that opens the recording
	QString baseName;  // its files' name without "-001.kvr" or ".kvr"
	int nextPart = 0;
	// One past each unit's last sample or gap; the first sample of a unit
	// with none.
	std::array<uint64_t, kUnitCount> unitEnds{};

	// One past the last sample number any unit in use has in the recording.
	uint64_t end() const;
	// The first sample number not held of every unit in use.
	uint64_t earliestEnd() const;
};

struct ResumeLookup {
	enum class Kind {
		Interrupted, // point says where it goes on
		Ended,       // it ended normally
		NoRecording, // the file does not exist, or the folder holds none
		Unreadable,  // detail says why
	};
	Kind kind = Kind::NoRecording;
	QString file; // the recording's first file, when there is one
	QString detail;
	std::optional<ResumePoint> point;
};

// The recording of a .kvr file (any of its parts), or the newest of a folder
// in which recordings are named by their start time.
ResumeLookup FindResumePoint(const QString &fileOrFolder);

// The sample number a recording resumed at `now` goes on from: that of the
// clock since the recording's start, never before what it holds.
uint64_t ResumeSample(const ResumePoint &point, const QDateTime &now);

} // namespace kelvra

#pragma once

// kelvra-cli record --resume: the interrupted recording looked up, its
// settings made the state's, the length it has left, and its outage told as
// the run's first event.

#include "RecordOptions.h"

#include "recording/LongRecording.h"
#include "recording/RecordingResume.h"
#include "run/RunControl.h"

#include <optional>

namespace kelvra::cli {

struct ResumeStart {
	std::optional<ResumePoint> point; // none: a new recording begins at the target
	std::optional<int> refused;       // the exit status when nothing is recorded
};

// Looks the recording of --resume up and tells what becomes of it. Without
// one, a new recording begins there: `o` then names it as --folder or --out.
ResumeStart LookUpResume(RecordOptions &o);

// The recording's own settings in the state.
void ApplyResumedSettings(const ResumePoint &point, ModuleData &md);

// Samples the resumed run may keep of `wholeLimit` (0: no limit) for the
// whole recording, going on from the clock's sample now; nullopt when the
// recording has had its length.
std::optional<uint64_t> ResumedSampleLimit(const ResumePoint &point, uint64_t wholeLimit);

// Adds the `resumed` event once the run of `recording` has started.
void TellResumed(RunControl &run, const LongRecording &recording);

} // namespace kelvra::cli

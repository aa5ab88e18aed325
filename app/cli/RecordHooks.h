#pragma once

// The hooks and the low-space watch of kelvra-cli record, a guest of the
// run's recorders: every alarm, dropout, reconnect, disk trouble, low space
// and the run's end go to the hook of --on-event, and what became of each
// hook is an event of the run while its recording is open (on standard
// error only, once it is closed). With --min-free the free space of the
// recording's folder is watched, and its falls and rises are events too.

#include "RecordOptions.h"

#include "hooks/HookRunner.h"
#include "hooks/LowSpaceWatch.h"
#include "run/RunControl.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

namespace kelvra::cli {

class RecordHooks : public RunRecorder {
public:
	// `recordingFile`: the file the run is kept in, for KELVRA_RECORDING.
	RecordHooks(const RecordOptions &o, RunControl &run,
			std::function<QString()> recordingFile);
	RecordHooks(const RecordHooks &) = delete;
	RecordHooks &operator=(const RecordHooks &) = delete;
	~RecordHooks() override;

	// Watches the free space of `folder` against --min-free once the run has
	// started; `bytesPerSecond` is what the recording writes, for a limit in time.
	void watchSpace(const QString &folder, double bytesPerSecond);
	// After the run: lets the last hooks end, at most a hook's time limit,
	// saying that it waits.
	void waitForHooks();

	void runStarted(const ModuleData &md) override;
	void sampleStored(int unit, std::optional<float> value) override;
	void tickDone(const ModuleData &md) override;
	void eventHappened(const ModuleData &md, const RunEvent &event) override;
	void runEnded(const ModuleData &md) override;

private:
	double nowS() const;
	void spaceChanged(const SpaceChange &change);
	void reported(const HookReport &report);

	RunControl &run_;
	std::function<QString()> recordingFile_;
	std::unique_ptr<HookRunner> runner_;
	std::optional<MinFree> minFree_;
	std::unique_ptr<LowSpaceWatch> watch_;
	QElapsedTimer clock_;
	bool open_ = false; // between the start and the end of the run's recording
};

} // namespace kelvra::cli

#pragma once

// The hooks and the low-space watch of an unattended recording, a guest of
// the run's recorders: every alarm, dropout, reconnect, disk trouble, low
// space, resume and the run's end go to the hook command, and what became of
// each hook is an event of the run while its recording is open (told to the
// front end only, once it is closed). With a least free space, that of the
// recording's folder is watched, and its falls and rises are events too.

#include "hooks/HookCommand.h"
#include "hooks/HookEvent.h"
#include "hooks/HookRunner.h"
#include "hooks/LowSpaceWatch.h"
#include "hooks/MinFree.h"
#include "run/RunControl.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

namespace kelvra {

struct RunHookOptions {
	std::optional<HookCommand> command;
	HookKinds kinds = HookKinds::all();
	std::optional<MinFree> minFree;
};

class RunHooks : public RunRecorder {
public:
	// `recordingFile`: the file the run is kept in, for KELVRA_RECORDING.
	RunHooks(RunHookOptions options, RunControl &run, std::function<QString()> recordingFile);
	RunHooks(const RunHooks &) = delete;
	RunHooks &operator=(const RunHooks &) = delete;
	~RunHooks() override;

	// What the recording cannot keep: a hook's report once it was closed,
	// the wait for the last hooks.
	std::function<void(const QString &)> onTold;
	// What the recording's times add to the run's (a resumed recording's);
	// the hooks are told the recording's.
	std::function<double()> timeShiftS;

	// Watches the free space of `folder` against the least once the run has
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
	double recordingTimeS(double runTimeS) const;
	void tell(const QString &text) const;
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

} // namespace kelvra

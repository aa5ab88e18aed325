#pragma once

// Start and stop of a measurement run, the two timer-driven sampling loops
// and the end conditions. Timer1 times single readings on the PC; Timer2
// collects the blocks the units sampled by themselves every 300 ms.

#include "LongRunReader.h"
#include "RunRecorder.h"
#include "RunView.h"
#include "acquisition/DeviceControl.h"
#include "acquisition/SampleReader.h"
#include "core/ModuleData.h"
#include "core/Prompt.h"
#include "run/ModuleTrgData.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace kelvra {

class RunControl : public QObject {
	Q_OBJECT

public:
	enum class RunEnd { None, Stopped, Complete, DeviceError, StartFailed };

	static constexpr int kTimer2Interval = 300;

	RunControl(ModuleData &md, DeviceControl &devices, Prompt &prompt, RunView &view,
			QObject *parent = nullptr);

	void startRun();
	void stopRun();
	void stopSampling();
	Flag SetTimer1Param();

	void onSampleTimer();
	void onBlockTimer();
	void sampleTick();
	void triggerSampleTick();
	void blockTick();
	void triggerBlockTick();
	// The tick of a long recording, on either path.
	void longRecordingTick();

	const QTimer &timer1() const { return Timer1; }
	const QTimer &timer2() const { return Timer2; }
	RunEnd lastEnd() const { return lastEnd_; }
	ModuleTrgData &trigger() { return trigger_; }

	// Records every run from now on (the journal); none when null.
	void setRecorder(RunRecorder *recorder);
	// Keeps an event of the run held with its data and tells whoever listens;
	// the recorder hears of those between the start and the end of a run.
	void addEvent(const RunEvent &event);
	// Runs from now on are long recordings: the buffers roll, a lost unit does
	// not end the run, and only a stop does. The trigger is not armed.
	void setLongRun(bool on) { longRun_ = on; }
	bool longRun() const { return longRun_; }
	// A long recording's units, lost or live.
	const LongRunReader &longReader() const { return longReader_; }
	// Samples of this run's units lost to an overflow of their buffers, on
	// the path without trigger (a long run tells its own).
	uint64_t lostToOverflow() const { return reader_.lostToOverflow(); }

	// For tests and the recorder: the wall clock of the start time.
	std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

Q_SIGNALS:
	void runStarted();
	void tickDone();
	void runEnded();
	void eventAdded(const kelvra::RunEvent &event);

private:
	void endRun(RunEnd reason);
	void stopThenTell(const QString &text);
	void tellThenStop(const QString &text);
	void startSampling();
	void runTick(void (RunControl::*tick)());
	void drawWholeWindow();
	void followCapture();
	void addTriggerEvent();

	ModuleData &md_;
	DeviceControl &devices_;
	Prompt &prompt_;
	RunView &view_;
	RunRecorder *recorder_ = nullptr;
	SampleReader reader_;
	ModuleTrgData trigger_;
	LongRunReader longReader_;
	QElapsedTimer runClock_;
	bool longRun_ = false;
	QTimer Timer1;
	QTimer Timer2;
	bool inTick_ = false;
	bool recording_ = false; // between the recorder's start and end of a run
	RunEnd lastEnd_ = RunEnd::None;
};

} // namespace kelvra

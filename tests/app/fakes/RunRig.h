#pragma once

// A run wired to fakes: the state, a scripted device library, a recording
// prompt and a window that logs what the run asks of it.

#include "acquisition/DeviceControl.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"
#include "fakes/RecordingRunView.h"
#include "run/RunControl.h"

namespace kelvra::testing {

struct RunRig {
	ModuleData md;
	QStringList log;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	RecordingRunView view{md, log};
	DeviceControl devices{md, api, prompt};
	RunControl run{md, devices, prompt, view};

	// Unit 0 alone, block-read at 10 ms.
	void useUnitZero()
	{
		md.InitDataArray();
		md.Channels[0].Mflag = kTrue;
		md.SetRange();
		md.ClearMeasData();
		md.settings.TimerType = kFalse;
		md.settings.IntervalTM = 10;
		md.DeriveAverageNum();
	}
};

} // namespace kelvra::testing

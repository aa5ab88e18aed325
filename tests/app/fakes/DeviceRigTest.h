#pragma once

// A fixture with the state, a scripted device library and a recording prompt
// wired to one DeviceControl: the rig of the acquisition tests.

#include "acquisition/DeviceControl.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace kelvra::testing {

class DeviceRigTest : public ::testing::Test {
protected:
	DeviceRigTest() { md.InitDataArray(); }

	void use(std::initializer_list<int> units)
	{
		for (int unit : units)
			md.Channels[unit].Mflag = kTrue;
	}

	ModuleData md;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	DeviceControl devices{md, api, prompt};
};

} // namespace kelvra::testing

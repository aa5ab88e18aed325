#pragma once

#include "core/ModuleData.h"

#include <gtest/gtest.h>

namespace kelvra::testing {

// A fixture holding the state of an idle program: buffers made, the default
// range, no samples, half-second intervals.
class IdleStateTest : public ::testing::Test {
protected:
	IdleStateTest()
	{
		md.InitDataArray();
		md.SetRange();
		md.ClearMeasData();
		md.settings.IntervalTM = 500;
	}

	ModuleData md;
};

} // namespace kelvra::testing

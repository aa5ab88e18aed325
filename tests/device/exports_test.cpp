// The library file as programs load it, with virtual units chosen through
// VARNELIO_EMULATOR.

#include "varnelio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace {

void emulate(const char *description)
{
	setenv("VARNELIO_EMULATOR", description, 1);
}

} // namespace

TEST(Exports, FirstOpenWaitsTwoSecondsForAMissingUnitOnly)
{
	emulate("id=0");
	const auto before = std::chrono::steady_clock::now();
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, Varnel_Device_Open(3));
	const auto waited = std::chrono::steady_clock::now() - before;
	EXPECT_GE(waited, std::chrono::milliseconds(1900));

	const auto again = std::chrono::steady_clock::now();
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, Varnel_Device_Open(3));
	EXPECT_LT(std::chrono::steady_clock::now() - again, std::chrono::milliseconds(500));

	ASSERT_EQ(VARNELIO_OK, Varnel_Device_Open(0));
	Varnel_Device_Close(0);
}

TEST(Exports, CloseAllThenOpenReidentifiesAndClearsAdjustment)
{
	emulate("id=0,signal=const:100");
	ASSERT_EQ(VARNELIO_OK, Varnel_Device_Open(0));
	ASSERT_EQ(VARNELIO_OK, Varnel_Zero_Adj(0, 40.0));
	double value = 0;
	ASSERT_EQ(VARNELIO_OK, Varnel_Single_Sample(0, &value));
	EXPECT_DOUBLE_EQ(60.0, value);
	Varnel_Device_Close(0);
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, Varnel_Single_Sample(0, &value));

	emulate("id=0,signal=const:200"); // read again at the next driver start
	ASSERT_EQ(VARNELIO_OK, Varnel_Device_Open(0));
	ASSERT_EQ(VARNELIO_OK, Varnel_Single_Sample(0, &value));
	EXPECT_DOUBLE_EQ(200.0, value);
	Varnel_Device_Close(0);
}

TEST(Exports, BadDescriptionFailsOnceThenRecovers)
{
	emulate("id=9");
	::testing::internal::CaptureStderr();
	EXPECT_EQ(VARNELIO_ERR_DRIVER, Varnel_Device_Open(0));
	::testing::internal::GetCapturedStderr();
	emulate("id=0");
	EXPECT_EQ(VARNELIO_OK, Varnel_Device_Open(0));
	Varnel_Device_Close(0);
}

TEST(Exports, DemoUnitsAllAnswer)
{
	emulate("demo");
	ASSERT_EQ(VARNELIO_OK, Varnel_Device_Open(0));
	for (int16_t unit = 1; unit < 4; ++unit)
		ASSERT_EQ(VARNELIO_OK, Varnel_Device_Open(unit)) << unit;
	for (int16_t unit = 0; unit < 4; ++unit) {
		double value = 99999;
		ASSERT_EQ(VARNELIO_OK, Varnel_Single_Sample(unit, &value));
		EXPECT_LT(std::abs(value), 5000.0);
		ASSERT_EQ(VARNELIO_OK, Varnel_Start_Sample(unit, 1));
	}
	for (int16_t unit = 0; unit < 4; ++unit)
		Varnel_Device_Close(unit);
	double value = 0;
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, Varnel_Single_Sample(0, &value));
}

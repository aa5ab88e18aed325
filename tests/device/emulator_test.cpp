#include "device_table.h"
#include "emulator/emulator_description.h"
#include "emulator/emulator_toolkit.h"

#include <gtest/gtest.h>

#include <thread>

using namespace varnelio;
using namespace varnelio::emulator;

namespace {

std::unique_ptr<DeviceTable> tableFor(std::string description)
{
	return std::make_unique<DeviceTable>(
			[description] { return std::make_unique<EmulatorToolkit>(description); },
			UsbMatch{0, 0});
}

struct Block {
	int16_t rc;
	std::vector<double> values;
};

Block readBlock(DeviceTable &table, int16_t unit, unsigned char asked = 128)
{
	double values[128];
	unsigned char status[128];
	unsigned char count = asked;
	const int16_t rc = table.getDatas(unit, values, status, &count);
	return {rc, std::vector<double>(values, values + (rc == 0 ? count : 0))};
}

} // namespace

TEST(EmulatorDescription, ParsesUnitsAndDefaults)
{
	const auto description = parseEmulatorDescription(
			"id=2,kind=1,span=600000,zero=100,signal=seq:1:-2.5:3,offset=4,noise=0.5,seed=9,"
			"block=16,attach_ms=5,detach_ms=70,return_ms=30,speed=100,fail=block@3+,fail=single@1; id=0");
	ASSERT_TRUE(description.error.empty()) << description.error;
	ASSERT_EQ(2u, description.units.size());
	const UnitDescription &unit = description.units[0];
	EXPECT_EQ(2, unit.id);
	EXPECT_EQ(1, unit.kind);
	EXPECT_EQ(600000u, unit.span);
	EXPECT_EQ(SignalShape::Sequence, unit.signal.shape);
	EXPECT_EQ((std::vector<double>{1, -2.5, 3}), unit.signal.params);
	EXPECT_EQ(16, unit.block);
	EXPECT_EQ(70, unit.detachMs);
	EXPECT_EQ(30, unit.returnMs);
	EXPECT_EQ(100, unit.speed);
	ASSERT_EQ(2u, unit.failures.size());
	EXPECT_TRUE(unit.failures[0].onwards);
	EXPECT_EQ(UnitCommand::Block, unit.failures[0].command);

	const UnitDescription &plain = description.units[1];
	EXPECT_EQ(0, plain.kind);
	EXPECT_EQ(1200000u, plain.span);
	EXPECT_EQ(8388608u, plain.zero);
	EXPECT_EQ(50, plain.attachMs);
	EXPECT_FALSE(plain.block);
	EXPECT_FALSE(plain.detachMs);
	EXPECT_EQ(1, plain.speed);

	EXPECT_EQ(4u, parseEmulatorDescription("demo").units.size());
}

TEST(EmulatorDescription, BadFieldsAreNamed)
{
	for (const char *text : {"id=4", "id=0,kind=2", "id=0,signal=sine:100",
			     "id=0,signal=wobble:1", "id=0,fail=reset@1", "id=0,fail=block@0",
			     "id=0,colour=red", "id=0,noise=lots", "id=0,block=129", "id=0,speed=0",
			     "id=0,speed=1001", "id=0,signal=const:nan", "id=0,offset=inf",
			     "id=0,signal=raw:16777216"}) {
		const auto description = parseEmulatorDescription(text);
		EXPECT_TRUE(description.units.empty()) << text;
		const std::string field =
				std::string(text).substr(std::string(text).rfind(',') + 1);
		EXPECT_NE(std::string::npos, description.error.find(field)) << description.error;
		EXPECT_EQ(DescriptionProblem::BadField, description.problem) << text;
		EXPECT_EQ(field,
				std::string(text).substr(
						description.errorOffset, description.errorLength));
	}
	const auto noId = parseEmulatorDescription("id=0;kind=1");
	EXPECT_NE(std::string::npos, noId.error.find("id"));
	EXPECT_EQ(DescriptionProblem::NoId, noId.problem);
	EXPECT_EQ(5u, noId.errorOffset);
	EXPECT_EQ(6u, noId.errorLength);
}

TEST(EmulatedUnits, BlockModeDeliversSequenceSamples)
{
	auto table = tableFor("id=0,signal=seq:1:2:3,block=2");
	ASSERT_EQ(0, table->open(0));
	EXPECT_TRUE(readBlock(*table, 0).values.empty()) << "nothing before the Start command";
	ASSERT_EQ(0, table->startSample(0, 1));
	EXPECT_EQ((std::vector<double>{1, 2}), readBlock(*table, 0).values);
	EXPECT_EQ((std::vector<double>{3}), readBlock(*table, 0, 1).values);
	EXPECT_EQ((std::vector<double>{1, 2}), readBlock(*table, 0).values);
	table->close(0);
}

TEST(EmulatedUnits, CountsInvertTheDecodingOfBothKinds)
{
	auto table = tableFor(
			"id=0,signal=const:10000;id=1,kind=1,span=600000,signal=const:1000,offset=-250;"
			"id=3,signal=raw:32772");
	ASSERT_EQ(0, table->open(0));
	ASSERT_EQ(0, table->open(1));
	ASSERT_EQ(0, table->open(3));
	double value = 0;
	ASSERT_EQ(0, table->singleSample(0, &value));
	EXPECT_DOUBLE_EQ(8191.75, value) << "clamped to the count range";
	ASSERT_EQ(0, table->singleSample(1, &value));
	EXPECT_DOUBLE_EQ(750.0, value);
	ASSERT_EQ(0, table->singleSample(3, &value));
	EXPECT_DOUBLE_EQ(1.0, value);
	for (int16_t unit : {0, 1, 3})
		table->close(unit);
}

TEST(EmulatedUnits, RealTimeSamplingFollowsThePeriod)
{
	auto table = tableFor("id=0,signal=const:5");
	ASSERT_EQ(0, table->open(0));
	ASSERT_EQ(0, table->startSample(0, 1)); // 10 ms
	std::this_thread::sleep_for(std::chrono::milliseconds(120));
	const Block block = readBlock(*table, 0);
	EXPECT_GE(block.values.size(), 10u);
	EXPECT_LE(block.values.size(), 30u);
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	EXPECT_EQ(128u, readBlock(*table, 0).values.size()) << "the unit keeps at most 128 samples";
	table->close(0);
}

TEST(EmulatedUnits, FastClockDeliversSpeedTimesTheSamples)
{
	auto table = tableFor("id=0,signal=const:5,speed=10");
	ASSERT_EQ(0, table->open(0));
	ASSERT_EQ(0, table->startSample(0, 10)); // 100 ms, ten times faster
	std::this_thread::sleep_for(std::chrono::milliseconds(120));
	const Block block = readBlock(*table, 0);
	EXPECT_GE(block.values.size(), 10u);
	EXPECT_LE(block.values.size(), 30u);
	table->close(0);
}

// Sample k reads k: a lost sample cannot pass for another.
TEST(EmulatedUnits, AnOverflowedUnitMarksWhatItLostAndKeepsTheTimeOfTheRest)
{
	auto table = tableFor("id=0,kind=1,span=12000,zero=0,signal=count,speed=1000");
	ASSERT_EQ(0, table->open(0));
	ASSERT_EQ(0, table->startSample(0, 1)); // 100000 samples a second, 128000 held
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	long k = 0;
	long lost = 0;
	long wrong = 0;
	for (unsigned char count = 128; count == 128;) {
		double values[128];
		unsigned char status[128];
		ASSERT_EQ(0, table->getDatas(0, values, status, &count));
		for (int i = 0; i < count; ++i, ++k) {
			const bool marked = status[i] == VARNELIO_STATUS_LOST;
			lost += marked;
			wrong += marked ? k != lost - 1 // the lost ones come first
					: values[i] != static_cast<double>(k);
		}
	}
	EXPECT_GT(lost, 10000) << "1.5 s hold 150000 samples";
	EXPECT_GT(k, 150000);
	EXPECT_EQ(0, wrong);
	table->close(0);
}

TEST(EmulatedUnits, ADetachedUnitReturns)
{
	auto table = tableFor("id=0,attach_ms=0,detach_ms=300,return_ms=300");
	ASSERT_EQ(0, table->open(0)); // the driver start waits 100 ms
	double value = 0;
	std::this_thread::sleep_for(std::chrono::milliseconds(350));
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table->singleSample(0, &value));
	std::this_thread::sleep_for(std::chrono::milliseconds(400));
	EXPECT_EQ(0, table->open(0)) << "plugged in again";
	EXPECT_EQ(0, table->singleSample(0, &value));
	table->close(0);
}

TEST(EmulatedUnits, ScriptedFailuresAndUnplugging)
{
	auto table = tableFor("id=0,fail=single@2,fail=block@1+,detach_ms=150");
	ASSERT_EQ(0, table->open(0));
	double value = 0;
	EXPECT_EQ(0, table->singleSample(0, &value));
	EXPECT_EQ(VARNELIO_ERR_USB, table->singleSample(0, &value));
	EXPECT_EQ(0, table->singleSample(0, &value));
	ASSERT_EQ(0, table->startSample(0, 1));
	EXPECT_EQ(VARNELIO_ERR_USB, readBlock(*table, 0).rc);
	EXPECT_EQ(VARNELIO_ERR_USB, readBlock(*table, 0).rc);
	std::this_thread::sleep_for(std::chrono::milliseconds(250));
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table->singleSample(0, &value));
	table->close(0);

	auto noCalibration = tableFor("id=2,kind=1,fail=calib@1");
	EXPECT_EQ(VARNELIO_ERR_OPEN_FAILED, noCalibration->open(2));
	auto zeroSpan = tableFor("id=2,kind=1,span=0");
	EXPECT_EQ(VARNELIO_ERR_OPEN_FAILED, zeroSpan->open(2));
	auto unidentified = tableFor("id=2,fail=identify@1");
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, unidentified->open(1));
}

TEST(EmulatedUnits, UnparsableDescriptionFailsTheDriverStart)
{
	auto table = tableFor("id=0,kind=7");
	::testing::internal::CaptureStderr();
	for (int16_t unit = 0; unit < 4; ++unit)
		EXPECT_EQ(VARNELIO_ERR_DRIVER, table->open(unit));
	const std::string printed = ::testing::internal::GetCapturedStderr();
	EXPECT_NE(std::string::npos, printed.find("kind=7")) << printed;
	EXPECT_EQ(1, std::count(printed.begin(), printed.end(), '\n'))
			<< "one line, not one per unit";
}

#include "boundary.h"
#include "device_table.h"
#include "fake_usb.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>

using namespace varnelio;
using namespace varnelio::testing;

namespace {

class DeviceTableTest : public ::testing::Test {
protected:
	DeviceTable &table()
	{
		if (!table_)
			table_ = std::make_unique<DeviceTable>(
					[state = state_] {
						return std::make_unique<FakeToolkit>(state);
					},
					UsbMatch{0x1209, 0x0001},
					AttachWait{20, std::chrono::milliseconds(1)});
		return *table_;
	}

	std::shared_ptr<ScriptedDevice> plugIn(uint8_t info)
	{
		auto unit = makeUnit(info);
		state_->present.push_back(unit);
		return unit;
	}

	std::shared_ptr<FakeToolkitState> state_ = std::make_shared<FakeToolkitState>();
	std::unique_ptr<DeviceTable> table_;
};

} // namespace

TEST_F(DeviceTableTest, OutOfRangeIdsAreRefusedBeforeAnyTraffic)
{
	auto unit = plugIn(0x00);
	EXPECT_EQ(VARNELIO_ERR_PARAMETER, table().open(4));
	EXPECT_EQ(VARNELIO_ERR_PARAMETER, table().open(-1));
	EXPECT_EQ(0, state_->starts);

	double value = 0;
	unsigned char count = 1;
	double values[128];
	unsigned char status[128];
	EXPECT_EQ(VARNELIO_ERR_UNIT_ID, table().singleSample(4, &value));
	EXPECT_EQ(VARNELIO_ERR_UNIT_ID, table().startSample(-1, 1));
	EXPECT_EQ(VARNELIO_ERR_UNIT_ID, table().getDatas(4, values, status, &count));
	EXPECT_EQ(VARNELIO_ERR_UNIT_ID, table().zeroAdj(4, 1.0));
	table().close(4);
	EXPECT_TRUE(unit->written.empty());
}

TEST_F(DeviceTableTest, CallsBeforeTheFirstOpenFindNoOpenUnit)
{
	double value = 0;
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table().singleSample(0, &value));
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table().zeroAdj(0, 1.0));
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table().startSample(0, 10));
}

TEST_F(DeviceTableTest, FirstOpenStartsToolkitIdentifiesAndOpens)
{
	auto unit = plugIn(0x00);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	EXPECT_TRUE(state_->running);
	EXPECT_EQ(std::vector<uint8_t>{0x83}, unit->resets) << "IN pipe reset before identify";
	EXPECT_EQ(1, unit->commandsSent(0xF0));
	EXPECT_EQ(1, unit->commandsSent(0x40));
	EXPECT_EQ(VARNELIO_ERR_ALREADY_OPEN, table().open(0));
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, table().open(3)) << "initialised path does not wait";

	double value = 0;
	ASSERT_EQ(VARNELIO_OK, table().singleSample(0, &value));
	EXPECT_DOUBLE_EQ(10.0, value);
	ASSERT_EQ(VARNELIO_OK, table().zeroAdj(0, 4.0));
	ASSERT_EQ(VARNELIO_OK, table().singleSample(0, &value));
	EXPECT_DOUBLE_EQ(6.0, value);
}

TEST_F(DeviceTableTest, UnitIdsOneAndTwoSwapForSixteenBitUnitsOnly)
{
	plugIn(0x01); // kind 0, set to 1
	plugIn(0x05); // kind 1, set to 1
	ASSERT_EQ(VARNELIO_OK, table().open(2)) << "a kind-0 unit set to 1 answers as unit 2";
	ASSERT_EQ(VARNELIO_OK, table().open(1)) << "a kind-1 unit answers under its own ID";
	EXPECT_EQ(protocol::UnitKind::Counts16, table().slot(1).decoder.kind);
	EXPECT_EQ(protocol::UnitKind::Counts24, table().slot(2).decoder.kind);

	double value = 0;
	ASSERT_EQ(VARNELIO_OK, table().singleSample(1, &value));
	EXPECT_DOUBLE_EQ(1.0, value) << "24-bit reply 80 00 64 is 100 counts above zero";
	ASSERT_EQ(VARNELIO_OK, table().singleSample(2, &value));
	EXPECT_DOUBLE_EQ(10.0, value);
}

TEST_F(DeviceTableTest, MissingUnitAndRefusedToolkitStart)
{
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, table().open(0));

	state_->refuseStart = true;
	table().close(0);
	DeviceTable fresh([state = state_] { return std::make_unique<FakeToolkit>(state); },
			UsbMatch{1, 2}, AttachWait{2, std::chrono::milliseconds(1)});
	EXPECT_EQ(VARNELIO_ERR_DRIVER, fresh.open(0));
	EXPECT_EQ(VARNELIO_ERR_DRIVER, fresh.open(0)) << "each open tries the start again";
	state_->refuseStart = false;
	plugIn(0x00);
	EXPECT_EQ(VARNELIO_OK, fresh.open(0)) << "no stuck state after a failed start";
}

TEST_F(DeviceTableTest, CalibrationFailureOrZeroSpanLeavesUnitClosed)
{
	auto unit = plugIn(0x04);
	unit->failing.insert(0x60);
	EXPECT_EQ(VARNELIO_ERR_OPEN_FAILED, table().open(0));
	EXPECT_FALSE(table().slot(0).opened);

	unit->failing.clear();
	unit->replies[0x60] = {0, 0, 0, 0, 0x80, 0, 0};
	EXPECT_EQ(VARNELIO_ERR_OPEN_FAILED, table().open(0));
	EXPECT_FALSE(table().slot(0).opened);

	unit->replies[0x60] = {0, 0x00, 0x2E, 0xE0, 0x80, 0x00, 0x00}; // span 12000
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	EXPECT_DOUBLE_EQ(1.0, table().slot(0).decoder.scale);
}

TEST_F(DeviceTableTest, StartSampleChecksPeriodThenOpenState)
{
	auto unit = plugIn(0x00);
	EXPECT_EQ(VARNELIO_ERR_PARAMETER, table().startSample(0, 0))
			<< "period is checked before open state";
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	EXPECT_EQ(VARNELIO_ERR_PARAMETER, table().startSample(0, 10001));
	EXPECT_EQ(VARNELIO_OK, table().startSample(0, 1));
	EXPECT_EQ(VARNELIO_OK, table().startSample(0, 10000));
	EXPECT_EQ((std::vector<uint8_t>{0x20, 0x27, 0x10}), unit->written.back());
	unit->failing.insert(0x20);
	EXPECT_EQ(VARNELIO_ERR_USB, table().startSample(0, 30));
	unit->failing.clear();
	EXPECT_EQ(VARNELIO_OK, table().startSample(0, 30))
			<< "the slot stays usable after a failure";
}

TEST_F(DeviceTableTest, GetDatasAsksForCountAndReportsWhatArrived)
{
	auto unit = plugIn(0x00);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	double values[128];
	unsigned char status[128];
	unsigned char count = 129;
	EXPECT_EQ(VARNELIO_ERR_PARAMETER, table().getDatas(0, values, status, &count));
	count = 128;
	ASSERT_EQ(VARNELIO_OK, table().getDatas(0, values, status, &count));
	EXPECT_EQ((std::vector<uint8_t>{0x30, 0x80}), unit->written.back());
	EXPECT_EQ(3, count);
	EXPECT_DOUBLE_EQ(-8192.0, values[0]);

	unit->replies[0x30].resize(4 + 4 + 2); // one whole sample arrived of three announced
	count = 128;
	ASSERT_EQ(VARNELIO_OK, table().getDatas(0, values, status, &count));
	EXPECT_EQ(1, count);

	count = 2;
	unit->replies[0x30].assign(600, 0);
	unit->replies[0x30][1] = 100;
	ASSERT_EQ(VARNELIO_OK, table().getDatas(0, values, status, &count));
	EXPECT_EQ(2, count) << "never more than asked for";
	EXPECT_EQ(VARNELIO_ERR_PARAMETER, table().getDatas(0, nullptr, status, &count));
}

TEST_F(DeviceTableTest, AdjustmentReachesEveryBlockSampleAndOutlivesAReopen)
{
	auto unit0 = plugIn(0x00);
	auto unit3 = plugIn(0x03);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	ASSERT_EQ(VARNELIO_OK, table().open(3));
	ASSERT_EQ(VARNELIO_OK, table().zeroAdj(3, 12.5));
	unit3->replies[0x30][5] = 0x80; // samples of 0, 0 and -8192 microstrain
	unit3->replies[0x30][9] = 0x80;
	double values[128];
	unsigned char status[128];
	unsigned char count = 128;
	ASSERT_EQ(VARNELIO_OK, table().getDatas(3, values, status, &count));
	ASSERT_EQ(3, count);
	EXPECT_DOUBLE_EQ(-12.5, values[0]);
	EXPECT_DOUBLE_EQ(-12.5, values[1]);
	EXPECT_DOUBLE_EQ(-8204.5, values[2]);

	table().close(3); // unit 0 stays open, so the toolkit keeps running
	ASSERT_EQ(VARNELIO_OK, table().open(3));
	EXPECT_EQ(1, unit0->commandsSent(0x40));
	EXPECT_EQ(0, unit3->commandsSent(0x40))
			<< "only the open that starts the toolkit sends the Open command";
	EXPECT_DOUBLE_EQ(12.5, table().slot(3).decoder.adjValue);
}

TEST_F(DeviceTableTest, EveryTransferUsesItsPipeAndTheLongTimeOut)
{
	auto unit = plugIn(0x04);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	double value = 0.0;
	ASSERT_EQ(VARNELIO_OK, table().singleSample(0, &value));
	ASSERT_EQ(VARNELIO_OK, table().startSample(0, 1));
	double values[128];
	unsigned char status[128];
	unsigned char count = 128;
	ASSERT_EQ(VARNELIO_OK, table().getDatas(0, values, status, &count));
	table().close(0);

	EXPECT_EQ(std::vector<uint8_t>{0x83}, unit->resets);
	int reads = 0;
	for (const auto &[endpoint, timeoutMs] : unit->transfers) {
		EXPECT_TRUE(endpoint == 0x02 || endpoint == 0x83) << int{endpoint};
		EXPECT_EQ(30000u, timeoutMs);
		reads += endpoint == 0x83;
	}
	EXPECT_EQ(6, reads) << "identify, open, calibration, single, block and close replies";
}

TEST_F(DeviceTableTest, UnknownIdentifyByteIsRefusedAndTableUntouched)
{
	auto odd = makeUnit(0x09);
	state_->present.push_back(odd);
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, table().open(0));
	EXPECT_FALSE(state_->attach(odd));
	for (int slot = 0; slot < 4; ++slot)
		EXPECT_FALSE(table().slot(slot).attached);

	auto silent = makeUnit(0x00);
	silent->failing.insert(0xF0);
	EXPECT_FALSE(state_->attach(silent)) << "a unit that fails identify is refused";
}

TEST_F(DeviceTableTest, CloseOfLastUnitStopsToolkitAndReopenReidentifies)
{
	auto unit = plugIn(0x00);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	ASSERT_EQ(VARNELIO_OK, table().zeroAdj(0, 50.0));
	table().close(0);
	EXPECT_EQ(1, unit->commandsSent(0x50));
	EXPECT_FALSE(state_->running);
	EXPECT_FALSE(table().driverRunning());

	ASSERT_EQ(VARNELIO_OK, table().open(0));
	EXPECT_EQ(2, state_->starts);
	EXPECT_EQ(2, unit->commandsSent(0xF0));
	EXPECT_DOUBLE_EQ(0.0, table().slot(0).decoder.adjValue)
			<< "adjustment is lost with the table";
}

TEST_F(DeviceTableTest, UnitUnpluggedWhileOpenLosesBothMarks)
{
	auto unit = plugIn(0x00);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	std::thread([&] { state_->detach(unit.get()); }).join();
	EXPECT_FALSE(table().slot(0).attached);
	EXPECT_FALSE(table().slot(0).opened);
	double value = 0;
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table().singleSample(0, &value));

	std::thread([&] { state_->attach(unit); }).join();
	EXPECT_TRUE(table().slot(0).attached);
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table().singleSample(0, &value)) << "must be opened again";
	EXPECT_EQ(VARNELIO_OK, table().open(0));
}

TEST_F(DeviceTableTest, DetachDuringAnExchangeFailsThatCall)
{
	auto unit = plugIn(0x00);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	unit->duringRead = [&] { std::thread([&] { state_->detach(unit.get()); }).join(); };
	double values[128];
	unsigned char status[128];
	unsigned char count = 128;
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table().getDatas(0, values, status, &count));
	EXPECT_EQ(128, count) << "the count is untouched by a failed call";
}

TEST_F(DeviceTableTest, AttachAndDetachFromAnotherThreadDuringSampling)
{
	auto unit = plugIn(0x00);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	std::atomic<bool> done{false};
	std::thread plugger([&] {
		while (!done) {
			state_->detach(unit.get());
			state_->attach(unit);
		}
	});
	int ok = 0;
	for (int i = 0; i < 2000; ++i) {
		double value = 0;
		const int16_t rc = table().singleSample(0, &value);
		ASSERT_TRUE(rc == VARNELIO_OK || rc == VARNELIO_ERR_NOT_OPEN ||
				rc == VARNELIO_ERR_USB)
				<< rc;
		if (rc == VARNELIO_ERR_NOT_OPEN && table().open(0) == VARNELIO_OK)
			++ok;
	}
	done = true;
	plugger.join();
	SUCCEED() << ok << " reopenings";
}

// What the exports do with a transport or toolkit that throws: the caller
// gets the exchange-failure code, and the table keeps working.
TEST_F(DeviceTableTest, ThrowingTransportOrToolkitYieldsExchangeFailureAtTheBoundary)
{
	auto unit = plugIn(0x00);
	ASSERT_EQ(VARNELIO_OK, table().open(0));
	unit->duringRead = [] { throw std::bad_alloc(); };
	double value = 0;
	EXPECT_EQ(VARNELIO_ERR_USB, guarded([&] { return table().singleSample(0, &value); }));
	unit->duringRead = nullptr;
	EXPECT_EQ(VARNELIO_OK, guarded([&] { return table().singleSample(0, &value); }));

	DeviceTable throwing(
			[]() -> std::unique_ptr<UsbToolkit> {
				throw std::runtime_error("no toolkit");
			},
			UsbMatch{0x1209, 0x0001});
	EXPECT_EQ(VARNELIO_ERR_USB, guarded([&] { return throwing.open(0); }));
}

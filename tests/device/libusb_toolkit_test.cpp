// The libusb backend against a faked kernel USB layer: hotplug attach and
// detach, claiming the interface, bulk exchanges on pipes 0x02 and 0x83,
// pipe reset and the event thread's life, as a unit plugged into a lab PC
// would see them.

#include "device_table.h"
#include "emulator/emulated_unit.h"
#include "emulator/emulator_description.h"
#include "fake_usb.h"
#include "fake_usb_kernel.h"
#include "libusb/libusb_toolkit.h"

#include <gtest/gtest.h>

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <thread>

using namespace varnelio;
using namespace varnelio::testing;

namespace {

constexpr UsbMatch kMatch{0x1209, 0x0001};

std::shared_ptr<emulator::EmulatedUnit> unitFrom(const char *description)
{
	const auto parsed = emulator::parseEmulatorDescription(description);
	EXPECT_TRUE(parsed.error.empty()) << parsed.error;
	auto unit = std::make_shared<emulator::EmulatedUnit>(parsed.units.at(0));
	unit->plug(emulator::EmulatedUnit::Clock::now());
	return unit;
}

class LibusbBackend : public ::testing::Test {
protected:
	DeviceTable table{[] { return std::make_unique<LibusbToolkit>(); }, kMatch};
	FakeUsbKernel kernel;

	std::vector<double> block(int16_t unit, unsigned char asked, int16_t *code = nullptr)
	{
		double values[128];
		unsigned char status[128];
		unsigned char count = asked;
		const int16_t rc = table.getDatas(unit, values, status, &count);
		if (code)
			*code = rc;
		return rc == 0 ? std::vector<double>(values, values + count)
			       : std::vector<double>{};
	}

	static void settle() { std::this_thread::sleep_for(std::chrono::milliseconds(400)); }

	// libusb claims with auto-detach through DISCONNECT_CLAIM, or plainly.
	int claims(int device) const
	{
		return kernel.ioctls(device, USBDEVFS_CLAIMINTERFACE) +
				kernel.ioctls(device, USBDEVFS_DISCONNECT_CLAIM);
	}
};

} // namespace

TEST_F(LibusbBackend, UnitsOfBothKindsPresentAtStartOpenUnderTheirIds)
{
	kernel.plug(2, kMatch.vendorId, kMatch.productId,
			unitFrom("id=0,signal=seq:100:101:102,block=3"));
	kernel.plug(3, kMatch.vendorId, kMatch.productId,
			unitFrom("id=1,kind=1,signal=const:-50,block=2"));

	ASSERT_EQ(VARNELIO_OK, table.open(0));
	ASSERT_EQ(VARNELIO_OK, table.open(1));
	EXPECT_GE(claims(2), 1) << "the interface is claimed on attach";
	EXPECT_GE(kernel.ioctls(2, USBDEVFS_CLEAR_HALT), 1) << "pipe 0x83 is reset before identify";

	double value = 0;
	ASSERT_EQ(VARNELIO_OK, table.singleSample(0, &value));
	EXPECT_DOUBLE_EQ(100.0, value);
	ASSERT_EQ(VARNELIO_OK, table.singleSample(1, &value));
	EXPECT_DOUBLE_EQ(-50.0, value);

	ASSERT_EQ(VARNELIO_OK, table.startSample(0, 1));
	ASSERT_EQ(VARNELIO_OK, table.startSample(1, 1));
	EXPECT_EQ((std::vector<double>{100, 101, 102}), block(0, 128));
	EXPECT_EQ((std::vector<double>{-50, -50}), block(1, 128));
	table.close(0);
	table.close(1);
	EXPECT_FALSE(table.driverRunning());
}

TEST_F(LibusbBackend, FailedTransferReturnsNineAndTheSlotStaysUsable)
{
	kernel.plug(2, kMatch.vendorId, kMatch.productId,
			unitFrom("id=0,signal=const:7,fail=single@2,fail=block@1"));
	ASSERT_EQ(VARNELIO_OK, table.open(0));
	double value = 0;
	EXPECT_EQ(VARNELIO_OK, table.singleSample(0, &value));
	EXPECT_EQ(VARNELIO_ERR_USB, table.singleSample(0, &value));
	EXPECT_EQ(VARNELIO_OK, table.singleSample(0, &value));
	EXPECT_DOUBLE_EQ(7.0, value);
	int16_t code = 0;
	block(0, 128, &code);
	EXPECT_EQ(VARNELIO_ERR_USB, code);
	ASSERT_EQ(VARNELIO_OK, table.startSample(0, 1));
	block(0, 128, &code);
	EXPECT_EQ(VARNELIO_OK, code);
	table.close(0);
}

TEST_F(LibusbBackend, ReplyCutShortYieldsOnlyTheWholeSamplesReceived)
{
	auto unit = makeUnit(0x00);
	unit->replies[0x30] = {
			0, 5, 0, 0, 0x04, 0x80, 0, 0, 0x08, 0x80}; // five announced, 1.5 sent
	kernel.plug(2, kMatch.vendorId, kMatch.productId, unit);
	ASSERT_EQ(VARNELIO_OK, table.open(0));
	EXPECT_EQ(std::vector<double>{1.0}, block(0, 128));
	table.close(0);
}

TEST_F(LibusbBackend, UnitPluggedInAfterTheDriverStartedIsAttached)
{
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, table.open(0));
	EXPECT_TRUE(table.driverRunning());
	kernel.plug(4, kMatch.vendorId, kMatch.productId, unitFrom("id=0,signal=const:3"));
	settle();
	ASSERT_EQ(VARNELIO_OK, table.open(0)) << "the hotplug notice entered it in the table";
	double value = 0;
	EXPECT_EQ(VARNELIO_OK, table.singleSample(0, &value));
	EXPECT_DOUBLE_EQ(3.0, value);
	table.close(0);
}

TEST_F(LibusbBackend, UnitRemovedWhileOpenLosesBothMarks)
{
	const std::string path = kernel.plug(
			2, kMatch.vendorId, kMatch.productId, unitFrom("id=0,signal=const:1"));
	kernel.plug(3, kMatch.vendorId, kMatch.productId, unitFrom("id=3,signal=const:2"));
	ASSERT_EQ(VARNELIO_OK, table.open(0));
	ASSERT_EQ(VARNELIO_OK, table.open(3));
	kernel.unplug(path);
	settle();
	EXPECT_FALSE(table.slot(0).attached);
	EXPECT_FALSE(table.slot(0).opened);
	double value = 0;
	EXPECT_EQ(VARNELIO_ERR_NOT_OPEN, table.singleSample(0, &value));
	EXPECT_EQ(VARNELIO_OK, table.singleSample(3, &value)) << "the other unit carries on";
	table.close(0);
	table.close(3);
	EXPECT_FALSE(table.driverRunning());
}

TEST_F(LibusbBackend, CloseOfTheLastUnitStopsTheDriverAndOpenStartsItAgain)
{
	kernel.plug(2, kMatch.vendorId, kMatch.productId, unitFrom("id=0"));
	ASSERT_EQ(VARNELIO_OK, table.open(0));
	table.close(0);
	EXPECT_FALSE(table.driverRunning());
	const int identified = kernel.ioctls(2, USBDEVFS_CLEAR_HALT);
	ASSERT_EQ(VARNELIO_OK, table.open(0));
	EXPECT_GT(kernel.ioctls(2, USBDEVFS_CLEAR_HALT), identified) << "identified again";
	table.close(0);
}

TEST_F(LibusbBackend, DevicesOfAnotherVendorOrProductAreIgnored)
{
	kernel.plug(5, 0x1209, 0x0002, unitFrom("id=0"));
	kernel.plug(6, 0x04D8, 0x0001, unitFrom("id=1"));
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, table.open(0));
	EXPECT_EQ(VARNELIO_ERR_NOT_FOUND, table.open(1));
	EXPECT_EQ(0, claims(5));
	EXPECT_EQ(0, claims(6));
}

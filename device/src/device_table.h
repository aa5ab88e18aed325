#pragma once

// The table of up to four connected units and the six operations behind the
// library's exports. The toolkit's thread fills the table through the attach
// and detach notices; every access to the table takes its lock. USB exchanges
// run outside the lock on a shared handle, so a unit unplugged mid-exchange
// fails that call instead of pulling the device from under it.

#include "protocol.h"
#include "usb_toolkit.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>

#include "varnelio.h"

namespace varnelio {

struct DeviceSlot {
	bool attached = false;
	std::shared_ptr<UsbDevice> handle;
	bool opened = false;
	protocol::Decoder decoder; // kind, calibration and adjustment value
};

// How long the open that starts the toolkit waits for its unit to attach.
struct AttachWait {
	int polls = 20;
	std::chrono::milliseconds interval{100};
};

class DeviceTable {
public:
	DeviceTable(UsbToolkitFactory factory, UsbMatch match, AttachWait wait = {});
	~DeviceTable();

	DeviceTable(const DeviceTable &) = delete;
	DeviceTable &operator=(const DeviceTable &) = delete;

	int16_t open(int16_t unit);
	void close(int16_t unit);
	int16_t singleSample(int16_t unit, double *value);
	int16_t startSample(int16_t unit, int16_t period);
	int16_t getDatas(int16_t unit, double *values, uint8_t *status, uint8_t *count);
	int16_t zeroAdj(int16_t unit, double value);

	// The units connected now, by the ID they are reached under: the ID set
	// on each (0xFF where none answers) and its kind. The number of them, or
	// -1 while the toolkit does not run.
	int16_t connected(uint8_t *setOn, uint8_t *kind) const;

	// For tests: a copy of one slot taken under the lock.
	DeviceSlot slot(int index) const;
	bool driverRunning() const { return toolkit_ != nullptr; }

private:
	struct OpenUnit {
		std::shared_ptr<UsbDevice> handle;
		protocol::Decoder decoder;
	};

	bool initDriver();
	void uninitDriver();
	bool waitForAttach(int slot);
	bool calibrate(int slot, UsbDevice &device);
	std::optional<OpenUnit> openUnit(int slot) const;
	bool stillOpen(int slot, const std::shared_ptr<UsbDevice> &handle) const;
	bool anyOpen() const;

	bool onAttach(const std::shared_ptr<UsbDevice> &device);
	void onDetach(const UsbDevice *device);

	UsbToolkitFactory factory_;
	UsbMatch match_;
	AttachWait wait_;
	std::unique_ptr<UsbToolkit> toolkit_; // touched by the caller's thread only

	mutable std::mutex lock_;
	std::array<DeviceSlot, protocol::kSlotCount> slots_;
};

// One command and its reply; returns the reply bytes received, or nullopt
// when either transfer failed.
std::optional<std::size_t> exchange(
		UsbDevice &device, const protocol::CommandBytes &command, std::span<uint8_t> reply);

} // namespace varnelio

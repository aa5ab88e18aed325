#pragma once

// The small part of a USB toolkit the device table needs: a driver start with
// one vendor/product match and attach/detach notices, a driver stop, bulk
// transfers and a pipe reset. Real units go through libusb; the emulator
// answers the same bytes for virtual units.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace varnelio {

class UsbDevice {
public:
	virtual ~UsbDevice() = default;

	// Synchronous bulk transfer; the direction follows the endpoint address.
	// Returns the bytes transferred, or nullopt when the transfer failed
	// (error, stall, time-out or a device that has gone).
	virtual std::optional<std::size_t> bulkTransfer(uint8_t endpoint, uint8_t *data,
			std::size_t length, unsigned timeoutMs) = 0;

	virtual void resetPipe(uint8_t endpoint) = 0;
};

struct UsbMatch {
	uint16_t vendorId;
	uint16_t productId;
};

struct UsbHandlers {
	// Called for each matching device; returning false refuses it.
	std::function<bool(const std::shared_ptr<UsbDevice> &)> attach;
	std::function<void(const UsbDevice *)> detach;
};

class UsbToolkit {
public:
	virtual ~UsbToolkit() = default;

	// Starts the driver; notices may arrive on a thread of the toolkit's own
	// until stop() returns. Returns false when the driver cannot start.
	virtual bool start(const UsbMatch &match, UsbHandlers handlers) = 0;

	// Stops the driver and waits for its thread; no notice arrives afterwards.
	virtual void stop() = 0;
};

using UsbToolkitFactory = std::function<std::unique_ptr<UsbToolkit>()>;

} // namespace varnelio

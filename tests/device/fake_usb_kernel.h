#pragma once

// A faked kernel USB layer for the libusb backend: umockdev's testbed holds
// the sysfs entries and /dev/bus/usb nodes of plugged units, and answers
// their usbdevfs ioctls (claim, URB submit and reap, clear halt) from a
// wire-level unit. Needs the umockdev preload library (umockdev-wrapper).

#include "usb_toolkit.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;

namespace varnelio::testing {

struct FakeNode;

class FakeUsbKernel {
public:
	FakeUsbKernel();
	~FakeUsbKernel();

	FakeUsbKernel(const FakeUsbKernel &) = delete;
	FakeUsbKernel &operator=(const FakeUsbKernel &) = delete;

	// Plugs in a device whose bulk pipes the unit answers; returns its sysfs path.
	std::string plug(int device, uint16_t vendorId, uint16_t productId,
			std::shared_ptr<UsbDevice> unit);
	void unplug(const std::string &path);

	// How often an ioctl request reached a device node, by device number.
	int ioctls(int device, unsigned long request) const;

private:
	void serve();
	void onServerThread(void (*work)(void *), void *data);

	UMockdevTestbed *testbed_;
	GMainContext *context_ = nullptr;
	GMainLoop *loop_ = nullptr;
	std::thread server_;
	std::map<std::string, std::unique_ptr<FakeNode>> nodes_; // by sysfs path
	std::mutex mutex_;
};

} // namespace varnelio::testing

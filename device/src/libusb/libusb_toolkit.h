#pragma once

// USB toolkit over libusb-1.0 for real units. Hotplug notices only queue the
// device; the event thread then opens it, claims its interface and hands it
// to the attach handler outside libusb's callback.

#include "../usb_toolkit.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;

namespace varnelio {

class LibusbDevice : public UsbDevice {
public:
	explicit LibusbDevice(libusb_device_handle *handle);
	~LibusbDevice() override;

	std::optional<std::size_t> bulkTransfer(uint8_t endpoint, uint8_t *data, std::size_t length,
			unsigned timeoutMs) override;
	void resetPipe(uint8_t endpoint) override;

	void markGone() { gone_ = true; }
	void close();

private:
	std::mutex mutex_;
	libusb_device_handle *handle_;
	std::atomic<bool> gone_{false};
};

class LibusbToolkit : public UsbToolkit {
public:
	LibusbToolkit() = default;
	~LibusbToolkit() override;

	bool start(const UsbMatch &match, UsbHandlers handlers) override;
	void stop() override;

	// Called by libusb's hotplug callback: only queues the event.
	void queue(libusb_device *device, bool arrived);

private:
	struct Event {
		libusb_device *device;
		bool arrived;
	};

	void eventLoop();
	void handleQueued();
	void attach(libusb_device *device);
	void detach(libusb_device *device);
	void enumerate(const UsbMatch &match);

	libusb_context *context_ = nullptr;
	int hotplugHandle_ = 0;
	bool hotplugRegistered_ = false;
	UsbHandlers handlers_;
	std::thread thread_;
	std::atomic<bool> stopping_{false};

	std::mutex queueMutex_;
	std::vector<Event> queue_;
	std::map<libusb_device *, std::shared_ptr<LibusbDevice>> devices_; // event thread only
};

} // namespace varnelio

#include "libusb_toolkit.h"

#include <libusb.h>

namespace varnelio {

namespace {

constexpr int kInterface = 0;

int LIBUSB_CALL onHotplug(
		libusb_context *, libusb_device *device, libusb_hotplug_event event, void *userData)
{
	static_cast<LibusbToolkit *>(userData)->queue(
			device, event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED);
	return 0; // stay registered
}

} // namespace

LibusbDevice::LibusbDevice(libusb_device_handle *handle) : handle_(handle) {}

LibusbDevice::~LibusbDevice()
{
	close();
}

void LibusbDevice::close()
{
	std::lock_guard guard(mutex_);
	if (!handle_)
		return;
	libusb_release_interface(handle_, kInterface);
	libusb_close(handle_);
	handle_ = nullptr;
}

std::optional<std::size_t> LibusbDevice::bulkTransfer(
		uint8_t endpoint, uint8_t *data, std::size_t length, unsigned timeoutMs)
{
	std::lock_guard guard(mutex_);
	if (!handle_ || gone_)
		return std::nullopt;
	int transferred = 0;
	const int rc = libusb_bulk_transfer(
			handle_, endpoint, data, static_cast<int>(length), &transferred, timeoutMs);
	if (rc != LIBUSB_SUCCESS)
		return std::nullopt;
	return static_cast<std::size_t>(transferred);
}

void LibusbDevice::resetPipe(uint8_t endpoint)
{
	std::lock_guard guard(mutex_);
	if (handle_ && !gone_)
		libusb_clear_halt(handle_, endpoint);
}

LibusbToolkit::~LibusbToolkit()
{
	stop();
}

bool LibusbToolkit::start(const UsbMatch &match, UsbHandlers handlers)
{
	if (libusb_init(&context_) != LIBUSB_SUCCESS) {
		context_ = nullptr;
		return false;
	}
	handlers_ = std::move(handlers);
	stopping_ = false;

	if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
		const int rc = libusb_hotplug_register_callback(context_,
				static_cast<libusb_hotplug_event>(
						LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
						LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
				LIBUSB_HOTPLUG_ENUMERATE, match.vendorId, match.productId,
				LIBUSB_HOTPLUG_MATCH_ANY, onHotplug, this, &hotplugHandle_);
		if (rc != LIBUSB_SUCCESS) {
			libusb_exit(context_);
			context_ = nullptr;
			return false;
		}
		hotplugRegistered_ = true;
	} else {
		enumerate(match); // no notices on this platform: take what is there now
	}
	thread_ = std::thread(&LibusbToolkit::eventLoop, this);
	return true;
}

void LibusbToolkit::stop()
{
	if (!context_)
		return;
	stopping_ = true;
	if (hotplugRegistered_) {
		libusb_hotplug_deregister_callback(context_, hotplugHandle_); // also wakes the loop
		hotplugRegistered_ = false;
	}
	if (thread_.joinable())
		thread_.join();
	{
		std::lock_guard guard(queueMutex_);
		for (const Event &event : queue_)
			libusb_unref_device(event.device);
		queue_.clear();
	}
	for (auto &[device, handle] : devices_) {
		handle->markGone();
		handle->close();
		libusb_unref_device(device);
	}
	devices_.clear();
	libusb_exit(context_);
	context_ = nullptr;
}

void LibusbToolkit::queue(libusb_device *device, bool arrived)
{
	std::lock_guard guard(queueMutex_);
	queue_.push_back({libusb_ref_device(device), arrived});
}

void LibusbToolkit::enumerate(const UsbMatch &match)
{
	libusb_device **list = nullptr;
	const ssize_t count = libusb_get_device_list(context_, &list);
	for (ssize_t i = 0; i < count; ++i) {
		libusb_device_descriptor descriptor{};
		if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS &&
				descriptor.idVendor == match.vendorId &&
				descriptor.idProduct == match.productId)
			queue(list[i], true);
	}
	if (list)
		libusb_free_device_list(list, 1);
}

void LibusbToolkit::eventLoop()
{
	while (!stopping_) {
		timeval timeout{0, 100000};
		libusb_handle_events_timeout_completed(context_, &timeout, nullptr);
		handleQueued();
	}
}

void LibusbToolkit::handleQueued()
{
	std::vector<Event> events;
	{
		std::lock_guard guard(queueMutex_);
		events.swap(queue_);
	}
	for (const Event &event : events) {
		if (!stopping_) {
			if (event.arrived)
				attach(event.device);
			else
				detach(event.device);
		}
		libusb_unref_device(event.device);
	}
}

void LibusbToolkit::attach(libusb_device *device)
{
	if (devices_.count(device))
		return;
	libusb_device_handle *raw = nullptr;
	if (libusb_open(device, &raw) != LIBUSB_SUCCESS)
		return;
	libusb_set_auto_detach_kernel_driver(raw, 1);
	if (libusb_claim_interface(raw, kInterface) != LIBUSB_SUCCESS) {
		libusb_close(raw);
		return;
	}
	auto handle = std::make_shared<LibusbDevice>(raw);
	if (!handlers_.attach(handle))
		return; // refused: the handle closes as it goes
	devices_.emplace(libusb_ref_device(device), std::move(handle));
}

void LibusbToolkit::detach(libusb_device *device)
{
	const auto found = devices_.find(device);
	if (found == devices_.end())
		return;
	found->second->markGone();
	handlers_.detach(found->second.get());
	libusb_unref_device(found->first);
	devices_.erase(found);
}

} // namespace varnelio

#include "fake_usb_kernel.h"

#include <umockdev.h>

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <deque>
#include <future>
#include <vector>

namespace varnelio::testing {

struct FakeNode {
	std::string devnode;
	std::shared_ptr<UsbDevice> unit;
	UMockdevIoctlBase *handler = nullptr;
	std::mutex mutex;
	bool gone = false;
	std::deque<UMockdevIoctlData *> reapable; // completed URBs, oldest first
	std::map<unsigned long, int> requests;
};

namespace {

std::vector<uint8_t> descriptors(uint16_t vendorId, uint16_t productId)
{
	const auto lo = [](uint16_t v) { return static_cast<uint8_t>(v & 0xFF); };
	const auto hi = [](uint16_t v) { return static_cast<uint8_t>(v >> 8); };
	return {
			18, 1, 0x00, 0x02, 0xFF, 0, 0, 64, lo(vendorId), hi(vendorId),
			lo(productId), hi(productId), 0x00, 0x01, 0, 0, 0, 1, // device
			9, 2, 32, 0, 1, 1, 0, 0x80, 50,                       // configuration
			9, 4, 0, 0, 2, 0xFF, 0, 0, 0,                         // interface 0
			7, 5, 0x02, 0x02, 0x00, 0x02, 0,                      // bulk OUT pipe 2
			7, 5, 0x83, 0x02, 0x00, 0x02, 0,                      // bulk IN pipe 0x83
	};
}

// The unit answers the URB's bytes; a failed exchange looks like a stall.
void runUrb(FakeNode &node, usbdevfs_urb &urb, uint8_t *buffer)
{
	const auto done = node.unit->bulkTransfer(
			urb.endpoint, buffer, static_cast<std::size_t>(urb.buffer_length), 1000);
	urb.status = done ? 0 : -EPIPE;
	urb.actual_length = done ? static_cast<int>(*done) : 0;
}

gboolean handleIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data)
{
	auto &node = *static_cast<FakeNode *>(data);
	const unsigned long request = umockdev_ioctl_client_get_request(client);
	UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
	std::unique_lock guard(node.mutex);
	node.requests[request] += 1;
	if (node.gone) {
		umockdev_ioctl_client_complete(client, -1, ENODEV);
		return TRUE;
	}

	switch (request) {
	case USBDEVFS_GET_CAPABILITIES: {
		UMockdevIoctlData *caps =
				umockdev_ioctl_data_resolve(arg, 0, sizeof(guint32), nullptr);
		*reinterpret_cast<guint32 *>(caps->data) = 0;
		break;
	}
	case USBDEVFS_GETDRIVER:
		umockdev_ioctl_client_complete(client, -1, ENODATA); // no kernel driver holds it
		return TRUE;
	case USBDEVFS_SUBMITURB: {
		UMockdevIoctlData *urbData =
				umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
		auto &urb = *reinterpret_cast<usbdevfs_urb *>(urbData->data);
		UMockdevIoctlData *buffer =
				umockdev_ioctl_data_resolve(urbData, offsetof(usbdevfs_urb, buffer),
						static_cast<gsize>(urb.buffer_length), nullptr);
		guard.unlock();
		runUrb(node, urb, buffer->data);
		guard.lock();
		node.reapable.push_back(static_cast<UMockdevIoctlData *>(g_object_ref(urbData)));
		break;
	}
	case USBDEVFS_REAPURB:
	case USBDEVFS_REAPURBNDELAY: {
		if (node.reapable.empty()) {
			umockdev_ioctl_client_complete(client, -1, EAGAIN);
			return TRUE;
		}
		UMockdevIoctlData *urbData = node.reapable.front();
		node.reapable.pop_front();
		UMockdevIoctlData *slot =
				umockdev_ioctl_data_resolve(arg, 0, sizeof(void *), nullptr);
		umockdev_ioctl_data_set_ptr(slot, 0, urbData);
		umockdev_ioctl_client_complete(client, 0, 0);
		g_object_unref(urbData);
		return TRUE;
	}
	case USBDEVFS_DISCARDURB:
		umockdev_ioctl_client_complete(client, -1, EINVAL); // every URB completes at once
		return TRUE;
	case USBDEVFS_CLEAR_HALT: {
		UMockdevIoctlData *endpoint =
				umockdev_ioctl_data_resolve(arg, 0, sizeof(unsigned int), nullptr);
		node.unit->resetPipe(static_cast<uint8_t>(
				*reinterpret_cast<unsigned int *>(endpoint->data)));
		break;
	}
	default:
		break; // claim, release and the like succeed
	}
	umockdev_ioctl_client_complete(client, 0, 0);
	return TRUE;
}

struct Attach {
	UMockdevTestbed *testbed;
	FakeNode *node;
};

} // namespace

FakeUsbKernel::FakeUsbKernel() : testbed_(umockdev_testbed_new())
{
	std::promise<void> ready;
	server_ = std::thread([this, &ready] {
		context_ = g_main_context_new();
		g_main_context_push_thread_default(context_);
		loop_ = g_main_loop_new(context_, FALSE);
		ready.set_value();
		g_main_loop_run(loop_);
		g_main_context_pop_thread_default(context_);
	});
	ready.get_future().wait();
}

FakeUsbKernel::~FakeUsbKernel()
{
	g_main_loop_quit(loop_);
	server_.join();
	for (auto &[path, node] : nodes_) {
		for (UMockdevIoctlData *urb : node->reapable)
			g_object_unref(urb);
		if (node->handler)
			g_object_unref(node->handler);
	}
	g_main_loop_unref(loop_);
	g_main_context_unref(context_);
	g_object_unref(testbed_);
}

// Ioctl handlers answer in the main context they were attached in.
void FakeUsbKernel::onServerThread(void (*work)(void *), void *data)
{
	struct Call {
		void (*work)(void *);
		void *data;
		std::promise<void> done;
	} call{work, data, {}};
	g_main_context_invoke(
			context_,
			[](gpointer raw) -> gboolean {
				auto *c = static_cast<Call *>(raw);
				c->work(c->data);
				c->done.set_value();
				return G_SOURCE_REMOVE;
			},
			&call);
	call.done.get_future().wait();
}

std::string FakeUsbKernel::plug(
		int device, uint16_t vendorId, uint16_t productId, std::shared_ptr<UsbDevice> unit)
{
	char names[64];
	std::snprintf(names, sizeof names, "bus/usb/001/%03d", device);
	const std::string path = "/sys/devices/usb" + std::to_string(device);
	std::string hex;
	for (uint8_t byte : descriptors(vendorId, productId)) {
		char two[3];
		std::snprintf(two, sizeof two, "%02X", byte);
		hex += two;
	}
	char ids[64];
	std::snprintf(ids, sizeof ids, "A: idVendor=%04x\nA: idProduct=%04x\n", vendorId,
			productId);
	const std::string record = "P: /devices/usb" + std::to_string(device) + "\nN: " + names +
			"\nE: DEVNAME=/dev/" + names +
			"\nE: DEVTYPE=usb_device\nE: SUBSYSTEM=usb\n" +
			"A: busnum=1\nA: devnum=" + std::to_string(device) +
			"\nA: speed=480\nA: bConfigurationValue=1\n" + ids +
			"A: dev=189:" + std::to_string(device) + "\nH: descriptors=" + hex + "\n";

	auto node = std::make_unique<FakeNode>();
	node->devnode = std::string("/dev/") + names;
	node->unit = std::move(unit);
	node->handler = umockdev_ioctl_base_new();
	g_signal_connect(node->handler, "handle-ioctl", G_CALLBACK(handleIoctl), node.get());
	Attach attach{testbed_, node.get()};
	onServerThread(
			[](void *raw) {
				auto *a = static_cast<Attach *>(raw);
				umockdev_testbed_attach_ioctl(a->testbed, a->node->devnode.c_str(),
						a->node->handler, nullptr);
			},
			&attach);
	{
		std::lock_guard guard(mutex_);
		nodes_[path] = std::move(node);
	}
	GError *error = nullptr;
	if (!umockdev_testbed_add_from_string(testbed_, record.c_str(), &error)) {
		std::fprintf(stderr, "umockdev: %s\n", error->message);
		g_error_free(error);
	}
	umockdev_testbed_uevent(testbed_, path.c_str(), "add");
	return path;
}

void FakeUsbKernel::unplug(const std::string &path)
{
	{
		std::lock_guard guard(mutex_);
		FakeNode &node = *nodes_.at(path);
		std::lock_guard nodeGuard(node.mutex);
		node.gone = true;
	}
	umockdev_testbed_uevent(testbed_, path.c_str(), "remove");
	umockdev_testbed_remove_device(testbed_, path.c_str());
}

int FakeUsbKernel::ioctls(int device, unsigned long request) const
{
	const auto found = nodes_.find("/sys/devices/usb" + std::to_string(device));
	if (found == nodes_.end())
		return 0;
	std::lock_guard guard(found->second->mutex);
	const auto count = found->second->requests.find(request);
	return count == found->second->requests.end() ? 0 : count->second;
}

} // namespace varnelio::testing

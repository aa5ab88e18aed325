#pragma once

// Test doubles for the USB toolkit: a toolkit whose notices the test sends
// itself, and a device that answers each command with scripted bytes.

#include "usb_toolkit.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace varnelio::testing {

class ScriptedDevice : public UsbDevice {
public:
	std::optional<std::size_t> bulkTransfer(uint8_t endpoint, uint8_t *data, std::size_t length,
			unsigned timeoutMs) override
	{
		std::function<void()> hook;
		{
			std::lock_guard guard(mutex);
			transfers.push_back({endpoint, timeoutMs});
			if (endpoint == 0x02) {
				written.emplace_back(data, data + length);
				lastCommand = data[0];
				return failing.count(lastCommand) ? std::nullopt
								  : std::optional(length);
			}
			hook = duringRead;
		}
		if (hook)
			hook();
		std::lock_guard guard(mutex);
		const auto reply = replies.find(lastCommand);
		if (reply == replies.end())
			return std::nullopt;
		const std::size_t count = std::min(length, reply->second.size());
		std::copy_n(reply->second.begin(), count, data);
		return count;
	}

	void resetPipe(uint8_t endpoint) override
	{
		std::lock_guard guard(mutex);
		resets.push_back(endpoint);
	}

	int commandsSent(uint8_t code)
	{
		std::lock_guard guard(mutex);
		int count = 0;
		for (const auto &command : written)
			count += command[0] == code;
		return count;
	}

	std::mutex mutex;
	std::map<uint8_t, std::vector<uint8_t>> replies;
	std::set<uint8_t> failing;
	std::vector<std::vector<uint8_t>> written;
	std::vector<uint8_t> resets;
	std::vector<std::pair<uint8_t, unsigned>> transfers; // endpoint and time-out of each
	uint8_t lastCommand = 0;
	std::function<void()> duringRead;
};

// A unit of the given identify info byte that answers every command.
inline std::shared_ptr<ScriptedDevice> makeUnit(uint8_t info)
{
	auto unit = std::make_shared<ScriptedDevice>();
	unit->replies[0xF0] = {0, info};
	unit->replies[0x40] = {0};
	unit->replies[0x50] = {0};
	unit->replies[0x60] = {0, 0x12, 0x4F, 0x80, 0x80, 0x00, 0x00}; // span 1200000, zero 8388608
	unit->replies[0x10] = (info & 0x04)
			? std::vector<uint8_t>{0x80, 0x00, 0x64}
			: std::vector<uint8_t>{0x28, 0x80}; // 100 and 10 microstrain
	std::vector<uint8_t> block((info & 0x04) ? 800 : 600, 0);
	block[1] = 3;
	unit->replies[0x30] = block;
	return unit;
}

struct FakeToolkitState {
	std::mutex mutex;
	UsbHandlers handlers;
	bool running = false;
	bool refuseStart = false;
	int starts = 0;
	std::vector<std::shared_ptr<UsbDevice>> present; // reported at every start

	bool attach(const std::shared_ptr<UsbDevice> &device) { return handlers.attach(device); }
	void detach(const UsbDevice *device) { handlers.detach(device); }
};

class FakeToolkit : public UsbToolkit {
public:
	explicit FakeToolkit(std::shared_ptr<FakeToolkitState> state) : state_(std::move(state)) {}

	bool start(const UsbMatch &, UsbHandlers handlers) override
	{
		++state_->starts;
		if (state_->refuseStart)
			return false;
		state_->handlers = std::move(handlers);
		state_->running = true;
		for (const auto &device : state_->present)
			state_->handlers.attach(device);
		return true;
	}

	void stop() override { state_->running = false; }

private:
	std::shared_ptr<FakeToolkitState> state_;
};

} // namespace varnelio::testing

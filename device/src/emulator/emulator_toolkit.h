#pragma once

// USB toolkit of virtual units. The driver start reads the description of
// the units; attach and detach notices come from the emulator's own thread at
// the times the units ask for.

#include "../usb_toolkit.h"
#include "emulated_unit.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varnelio::emulator {

class EmulatorToolkit : public UsbToolkit {
public:
	explicit EmulatorToolkit(std::string description);
	~EmulatorToolkit() override;

	bool start(const UsbMatch &match, UsbHandlers handlers) override;
	void stop() override;

private:
	struct Notice {
		EmulatedUnit::Clock::time_point when;
		std::shared_ptr<EmulatedUnit> unit;
		bool attach;
	};

	void run(std::vector<Notice> notices);

	std::string description_;
	UsbHandlers handlers_;
	std::vector<std::shared_ptr<EmulatedUnit>> units_;
	std::thread thread_;
	std::mutex mutex_;
	std::condition_variable wake_;
	bool stopping_ = false;
};

} // namespace varnelio::emulator

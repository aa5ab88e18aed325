#pragma once

// One virtual unit at the wire level: it answers the command bytes written
// to pipe 2 with the reply bytes a real unit puts on pipe 0x83.

#include "../protocol.h"
#include "../usb_toolkit.h"
#include "emulator_description.h"

#include <array>
#include <chrono>
#include <mutex>
#include <random>
#include <vector>

namespace varnelio::emulator {

class EmulatedUnit : public UsbDevice {
public:
	using Clock = std::chrono::steady_clock;

	explicit EmulatedUnit(const UnitDescription &description);

	std::optional<std::size_t> bulkTransfer(uint8_t endpoint, uint8_t *data, std::size_t length,
			unsigned timeoutMs) override;
	void resetPipe(uint8_t endpoint) override;

	void plug(Clock::time_point now);
	void unplug();

	const UnitDescription &description() const { return description_; }

private:
	bool failsNow(UnitCommand command);
	void answer(const uint8_t *command, std::size_t length);
	void answerBlock(std::size_t asked);
	std::size_t newSampleCount(std::size_t asked);
	double microstrainAt(double seconds, long sampleIndex);
	uint32_t rawCountAt(double seconds, long sampleIndex);
	void putCount(uint8_t *at, uint32_t raw) const;
	protocol::UnitKind kind() const;

	const UnitDescription description_;
	std::mutex mutex_;
	bool plugged_ = false;
	Clock::time_point attachedAt_;
	std::vector<uint8_t> reply_;
	std::array<long, kUnitCommandCount> exchanges_{};
	std::mt19937 noiseSource_;
	long singleReadings_ = 0;

	// Unit-timed sampling since the last Start command.
	bool sampling_ = false;
	Clock::time_point startedAt_;
	std::chrono::milliseconds period_{10};
	long delivered_ = 0; // samples handed out so far
	long lostUpTo_ = 0;  // the samples numbered up to this one were overwritten
};

} // namespace varnelio::emulator

#pragma once

// Wire format of the unit: command bytes on OUT pipe 2, fixed-size replies on
// IN pipe 0x83, and the decoding of raw counts into microstrain. Pure
// functions on byte buffers; no I/O.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace varnelio::protocol {

inline constexpr uint8_t kOutPipe = 0x02;
inline constexpr uint8_t kInPipe = 0x83;
inline constexpr unsigned kTransferTimeoutMs = 30000;
inline constexpr std::size_t kMaxBlockSamples = 128;
inline constexpr int kSlotCount = 4;

enum class Command : uint8_t {
	Identify = 0xF0,
	Open = 0x40,
	Close = 0x50,
	Calib = 0x60,
	Single = 0x10,
	Start = 0x20,
	Block = 0x30,
};

enum class UnitKind : uint8_t {
	Counts16 = 0, // unsigned 16-bit counts around 32768, 0.25 microstrain each
	Counts24 = 1, // 24-bit counts scaled by the unit's calibration
};

struct CommandBytes {
	std::array<uint8_t, 3> bytes{};
	std::size_t size = 0;

	std::span<const uint8_t> view() const { return {bytes.data(), size}; }
};

CommandBytes buildCommand(Command command);
CommandBytes buildStart(uint16_t period);
CommandBytes buildBlock(uint8_t count);

// Number of bytes read from the IN pipe after the command; 0 for Command::Start,
// which the unit does not answer.
std::size_t replySize(Command command, UnitKind kind);

// Slot 1 and 2 are exchanged between the unit IDs callers use and the table.
constexpr int unitToSlot(int unit)
{
	return unit == 1 ? 2 : unit == 2 ? 1 : unit;
}

struct Identity {
	int slot;
	UnitKind kind;
};

// nullopt when the reply is short or names no slot 0..3.
std::optional<Identity> decodeIdentify(std::span<const uint8_t> reply);

struct Calibration {
	uint32_t span;
	uint32_t zero;
};

std::optional<Calibration> decodeCalibration(std::span<const uint8_t> reply);

// The slot's decoding state: kind, calibration and the caller's adjustment.
struct Decoder {
	UnitKind kind = UnitKind::Counts16;
	double scale = 0.0;
	int32_t zeroCount = 0;
	double adjValue = 0.0;

	double toMicrostrain(uint32_t raw) const;
};

std::optional<uint32_t> decodeSingleCount(std::span<const uint8_t> reply, UnitKind kind);

// Decodes a block reply into values/status (each with room for `asked`).
// Never yields more than asked, nor more whole samples than the reply holds.
std::size_t decodeBlock(std::span<const uint8_t> reply, std::size_t asked, const Decoder &decoder,
		double *values, uint8_t *status);

// Offsets of a block reply, shared with the emulated unit that builds them.
struct BlockLayout {
	std::size_t firstSample;
	std::size_t stride;
	std::size_t statusOffset;
};

BlockLayout blockLayout(UnitKind kind);

} // namespace varnelio::protocol

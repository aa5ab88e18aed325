#include "protocol.h"

#include <algorithm>

namespace varnelio::protocol {

namespace {

uint32_t bigEndian24(std::span<const uint8_t> bytes)
{
	return (uint32_t{bytes[0]} << 16) | (uint32_t{bytes[1]} << 8) | uint32_t{bytes[2]};
}

uint32_t littleEndian16(std::span<const uint8_t> bytes)
{
	return uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8);
}

uint32_t readCount(std::span<const uint8_t> bytes, UnitKind kind)
{
	return kind == UnitKind::Counts24 ? bigEndian24(bytes) : littleEndian16(bytes);
}

std::size_t countSize(UnitKind kind)
{
	return kind == UnitKind::Counts24 ? 3 : 2;
}

} // namespace

CommandBytes buildCommand(Command command)
{
	CommandBytes out;
	out.bytes[0] = static_cast<uint8_t>(command);
	out.size = 1;
	return out;
}

CommandBytes buildStart(uint16_t period)
{
	CommandBytes out;
	out.bytes = {static_cast<uint8_t>(Command::Start), static_cast<uint8_t>(period >> 8),
			static_cast<uint8_t>(period & 0xFF)};
	out.size = 3;
	return out;
}

CommandBytes buildBlock(uint8_t count)
{
	CommandBytes out;
	out.bytes = {static_cast<uint8_t>(Command::Block), count, 0};
	out.size = 2;
	return out;
}

std::size_t replySize(Command command, UnitKind kind)
{
	const bool wide = kind == UnitKind::Counts24;
	switch (command) {
	case Command::Identify:
		return 2;
	case Command::Open:
	case Command::Close:
		return 1;
	case Command::Calib:
		return 7;
	case Command::Single:
		return wide ? 3 : 2;
	case Command::Start:
		return 0;
	case Command::Block:
		return wide ? 800 : 600;
	}
	return 0;
}

std::optional<Identity> decodeIdentify(std::span<const uint8_t> reply)
{
	if (reply.size() < 2)
		return std::nullopt;
	const uint8_t info = reply[1];
	if (info & 0x04)
		return Identity{unitToSlot(info & 0x03), UnitKind::Counts24};
	if (info >= kSlotCount)
		return std::nullopt;
	return Identity{info, UnitKind::Counts16};
}

std::optional<Calibration> decodeCalibration(std::span<const uint8_t> reply)
{
	if (reply.size() < 7)
		return std::nullopt;
	return Calibration{bigEndian24(reply.subspan(1)), bigEndian24(reply.subspan(4))};
}

double Decoder::toMicrostrain(uint32_t raw) const
{
	if (kind == UnitKind::Counts24) {
		const int32_t signedCount =
				static_cast<int32_t>(raw - static_cast<uint32_t>(zeroCount));
		return static_cast<double>(signedCount) * scale - adjValue;
	}
	return (static_cast<double>(raw) - 32768.0) * 0.25 - adjValue;
}

std::optional<uint32_t> decodeSingleCount(std::span<const uint8_t> reply, UnitKind kind)
{
	if (reply.size() < countSize(kind))
		return std::nullopt;
	return readCount(reply, kind);
}

BlockLayout blockLayout(UnitKind kind)
{
	if (kind == UnitKind::Counts24)
		return {5, 6, 3};
	return {4, 4, 2};
}

std::size_t decodeBlock(std::span<const uint8_t> reply, std::size_t asked, const Decoder &decoder,
		double *values, uint8_t *status)
{
	if (reply.size() < 2)
		return 0;
	const BlockLayout layout = blockLayout(decoder.kind);
	const std::size_t received = reply.size() < layout.firstSample
			? 0
			: (reply.size() - layout.firstSample) / layout.stride;
	const std::size_t count =
			std::min({std::size_t{reply[1]}, asked, received, kMaxBlockSamples});
	for (std::size_t i = 0; i < count; ++i) {
		const auto sample = reply.subspan(
				layout.firstSample + i * layout.stride, layout.stride);
		values[i] = decoder.toMicrostrain(readCount(sample, decoder.kind));
		status[i] = sample[layout.statusOffset];
	}
	return count;
}

} // namespace varnelio::protocol

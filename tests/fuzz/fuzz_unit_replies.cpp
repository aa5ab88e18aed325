// The decoders of the unit's replies on any bytes: the first bytes choose
// the unit's kind, calibration and the block size asked for.

#include "protocol.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

using namespace varnelio::protocol;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
	if (size < 8)
		return 0;
	Decoder decoder;
	decoder.kind = data[0] & 1 ? UnitKind::Counts24 : UnitKind::Counts16;
	const std::size_t asked = data[1];
	decoder.adjValue = static_cast<int8_t>(data[2]) * 10.0;
	const std::span<const uint8_t> reply(data + 3, size - 3);

	decodeIdentify(reply);
	if (const auto calibration = decodeCalibration(reply);
			calibration && calibration->span != 0) {
		decoder.scale = 12000.0 / calibration->span;
		decoder.zeroCount = static_cast<int32_t>(calibration->zero);
	}
	if (const auto raw = decodeSingleCount(reply, decoder.kind))
		decoder.toMicrostrain(*raw);

	std::array<double, kMaxBlockSamples> values{};
	std::array<uint8_t, kMaxBlockSamples> status{};
	const std::size_t count = decodeBlock(reply, std::min(asked, kMaxBlockSamples), decoder,
			values.data(), status.data());
	if (count > asked || count > kMaxBlockSamples)
		__builtin_trap();
	return 0;
}

#pragma once

// Fetching one unit's block: what the unit-timed path and the trigger engine
// both do with a block before they store it.

#include "Conversion.h"
#include "DeviceApi.h"
#include "core/ModuleData.h"
#include "varnelio.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kelvra {

class BlockFetch {
public:
	struct Result {
		int16_t code = 0;  // the library's result; nothing was stored unless 0
		int delivered = 0; // readings taken from the block
		int used = 0;      // of those, read before `store` declined; all when it never did
	};

	// Asks the unit for `asked` readings, never trusting a count beyond the
	// largest block, averages them when `averaged` (a partial sum carries over
	// to the next block), and hands each value, converted to the unit of
	// display, to `store` until it returns false.
	template <typename Store>
	Result fetch(ModuleData &md, DeviceApi &api, int16_t unit, unsigned char asked,
			bool averaged, Store store)
	{
		unsigned char n = asked;
		const int16_t code =
				api.Varnel_Get_Datas(unit, readings_.data(), status_.data(), n);
		if (code != 0)
			return {code, 0, 0};
		const int delivered = std::min<int>(n, VARNELIO_MAX_BLOCK);
		for (int j = 0; j < delivered; ++j) {
			std::optional<double> reading = readings_[j];
			if (averaged)
				reading = md.AveBuf[unit].add(readings_[j], md.AverageNum);
			if (reading && !store(ConvertReading(md, unit, *reading)))
				return {0, delivered, j + 1};
		}
		return {0, delivered, delivered};
	}

private:
	std::array<double, VARNELIO_MAX_BLOCK> readings_{};
	std::array<unsigned char, VARNELIO_MAX_BLOCK> status_{};
};

} // namespace kelvra

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
		int16_t code = 0;   // the library's result; nothing was stored unless 0
		int delivered = 0;  // readings taken from the block
		int used = 0;       // of those, read before `store` declined; all when it never did
		int lost = 0;       // of those, marked lost by the unit (VARNELIO_STATUS_LOST)
		int firstLost = -1; // the index of the first of them in the block
	};

	// Asks the unit for `asked` readings, never trusting a count beyond the
	// largest block, averages them when `averaged` (a partial sum carries over
	// to the next block), and hands each value, converted to the unit of
	// display, to `store` until it returns false. A reading the unit lost is
	// handed on as missing, and so is a mean it is part of.
	template <typename Store>
	Result fetch(ModuleData &md, DeviceApi &api, int16_t unit, unsigned char asked,
			bool averaged, Store store)
	{
		unsigned char n = asked;
		const int16_t code =
				api.Varnel_Get_Datas(unit, readings_.data(), status_.data(), n);
		if (code != 0)
			return {code, 0, 0, 0, -1};
		const int delivered = std::min<int>(n, VARNELIO_MAX_BLOCK);
		Result result{0, delivered, delivered, 0, -1};
		for (int j = 0; j < delivered; ++j) {
			bool missing = status_[j] == VARNELIO_STATUS_LOST;
			result.firstLost = missing && result.lost == 0 ? j : result.firstLost;
			result.lost += missing;
			std::optional<double> reading = readings_[j];
			if (averaged) {
				if (md.AveBuf[unit].AveCount == 0)
					spoiled_[unit] = false; // a new mean begins
				spoiled_[unit] = spoiled_[unit] || missing;
				reading = md.AveBuf[unit].add(
						missing ? 0.0 : readings_[j], md.AverageNum);
				if (!reading)
					continue; // the mean is not complete yet
				missing = spoiled_[unit];
			}
			if (!store(missing ? std::nullopt : ConvertReading(md, unit, *reading))) {
				result.used = j + 1;
				break;
			}
		}
		return result;
	}

private:
	std::array<double, VARNELIO_MAX_BLOCK> readings_{};
	std::array<unsigned char, VARNELIO_MAX_BLOCK> status_{};
	std::array<bool, kUnitCount> spoiled_{}; // a lost reading is part of the mean under way
};

} // namespace kelvra

#pragma once

// A finished recording through a set of definitions: its readings as
// measured, read unit by unit in stretches, and every output channel's
// values handed on stretch by stretch, as the exports and the review of a
// recording want them. Runs on whatever thread calls it.

#include "ChannelEvaluator.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kelvra {

class SampleColumns {
public:
	virtual ~SampleColumns() = default;
	virtual uint64_t rowCount() const = 0;
	// Rows [from, to) of a unit as measured, NaN for a missing sample and
	// for a unit not in use.
	virtual void read(int unit, uint64_t from, uint64_t to, float *out) const = 0;
};

inline constexpr uint64_t kDerivationStretch = 4096; // rows

// The tare offsets the evaluator's definitions find in the recording's first
// rows (as a run would have found them). Leaves the evaluator with them set.
TareOffsets findTareOffsets(ChannelEvaluator &evaluator, const SampleColumns &samples);

// One stretch of outputs: columns[c] holds channels()[c]'s values of the
// rows from `first` on. False from it stops the derivation.
using DerivedStretch =
		std::function<bool(uint64_t first, std::span<const std::vector<double>> columns)>;

// Rows [from, to) through the evaluator, with the tare offsets it holds.
// False when `take` stopped it.
bool deriveRecording(ChannelEvaluator &evaluator, const SampleColumns &samples, uint64_t from,
		uint64_t to, const DerivedStretch &take);

} // namespace kelvra

#pragma once

// The filters a series can be shown, exported and analysed through: a
// Butterworth low-pass or high-pass, or a moving average of N samples;
// each zero-phase (forward and backward) for reviews and exports, or
// causal (from what came before only) for the live display.

#include "ButterworthDesign.h"
#include "Outcome.h"

#include <cstdint>
#include <optional>

namespace kelvra::analysis {

enum class FilterKind { LowPass, HighPass, MovingAverage };
enum class FilterMode { ZeroPhase, Causal };

inline constexpr int kDefaultButterworthOrder = 4;
inline constexpr uint64_t kMaxAverageLength = uint64_t{1} << 24;

struct FilterSpec {
	FilterKind kind = FilterKind::LowPass;
	double cutoffHz = 0.0;
	int order = kDefaultButterworthOrder;
	uint64_t length = 1; // of a moving average
};

// A spec checked against the sampling rate, its Butterworth designed.
struct DesignedFilter {
	FilterSpec spec;
	std::optional<Butterworth> butterworth; // none for a moving average

	// The samples before a sample (and after it, zero-phase) that decide
	// its filtered value: a Butterworth's response has fallen below 1e-12
	// of its start after them, a moving average's window is no wider.
	uint64_t reachBefore(FilterMode mode) const;
	uint64_t reachAfter(FilterMode mode) const;
};

// Refuses a cut-off at or above half the sampling rate (or not above 0),
// an order outside 1..8, a moving average of no samples or more than
// kMaxAverageLength.
Outcome<DesignedFilter> DesignFilter(const FilterSpec &spec, double sampleRateHz);

} // namespace kelvra::analysis

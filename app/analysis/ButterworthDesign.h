#pragma once

// Butterworth low-pass and high-pass filters of order 1 to 8, designed from
// the textbook form as scipy.signal.butter(order, fc, btype, fs=fs) does:
// the analogue prototype's poles on the left half of the unit circle,
// scaled to the pre-warped cut-off (inverted for a high-pass), mapped by
// the bilinear transform, the gain set to 1 where the filter passes
// (0 Hz for a low-pass, fs/2 for a high-pass).

#include "IirFilter.h"
#include "Outcome.h"

namespace kelvra::analysis {

enum class FilterBand { LowPass, HighPass };

inline constexpr int kMaxButterworthOrder = 8;

struct Butterworth {
	TransferFunction coefficients;
	// The largest magnitude of the digital poles: the response dies away
	// as poleRadius^n after n samples.
	double poleRadius = 0.0;
};

// Refuses an order outside 1..8 and a cut-off not between 0 and fs/2.
Outcome<Butterworth> DesignButterworth(
		int order, double cutoffHz, double sampleRateHz, FilterBand band);

} // namespace kelvra::analysis

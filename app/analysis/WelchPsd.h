#pragma once

// The power spectral density by Welch's method, as
// scipy.signal.welch(x, fs, window='hann', nperseg=N, noverlap=N//2,
// detrend='constant', scaling='density') computes it: segments of N samples
// every N/2, each less its mean and through a periodic Hann window,
// |X_k|² / (fs Σw²) one-sided, averaged. In unit²/Hz.

#include "Outcome.h"
#include "Progress.h"
#include "Spectrum.h"

namespace kelvra::analysis {

inline constexpr uint64_t kDefaultPsdSegment = 4096;

// Over the range's longest stretch without a gap; refuses a segment longer
// than that stretch (scipy would shorten it) or shorter than two samples.
Outcome<Spectrum> WelchPsdOf(const SeriesSource &source, SampleRange range,
		uint64_t segment = kDefaultPsdSegment, const ProgressCallback &progress = {});

} // namespace kelvra::analysis

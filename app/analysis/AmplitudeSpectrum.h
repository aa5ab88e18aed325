#pragma once

// The amplitude spectrum: the mean removed, one-sided, scaled by the
// window's coherent gain so that a sine of amplitude A reads A at its bin.
// Up to kLongestSingleDft samples it is one DFT of them all; a longer
// stretch is averaged (rms) over segments of kAveragedSegment samples
// overlapping by half, so a day costs seconds, not a DFT of 8.64 M points.

#include "Outcome.h"
#include "Progress.h"
#include "Spectrum.h"
#include "SpectrumWindow.h"

namespace kelvra::analysis {

inline constexpr uint64_t kLongestSingleDft = uint64_t{1} << 20;
inline constexpr uint64_t kAveragedSegment = uint64_t{1} << 16;

Outcome<Spectrum> AmplitudeSpectrumOf(const SeriesSource &source, SampleRange range,
		SpectrumWindow window = SpectrumWindow::Hann,
		const ProgressCallback &progress = {});

} // namespace kelvra::analysis

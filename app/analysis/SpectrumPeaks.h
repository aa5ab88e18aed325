#pragma once

// The largest peaks of a spectrum, for the list beside its plot.

#include "Spectrum.h"

#include <vector>

namespace kelvra::analysis {

struct SpectrumPeak {
	double frequencyHz = 0.0;
	double value = 0.0;
};

// The `count` largest local maxima (a bin above its left neighbour and not
// below its right one, so a flat top of two bins counts once), largest
// first. Bin 0 is left out: it holds the mean the spectra remove.
std::vector<SpectrumPeak> LargestPeaks(const Spectrum &spectrum, std::size_t count);

} // namespace kelvra::analysis

#pragma once

// A one-sided spectrum of a series: bins 0..n/2 of a DFT of n samples.

#include "SeriesSource.h"

#include <vector>

namespace kelvra::analysis {

struct Spectrum {
	double frequencyStepHz = 0.0; // bin k is at k × frequencyStepHz
	std::vector<double> values;   // amplitude, or density in unit²/Hz
	SampleRange analysed;         // the samples the values come from
	bool gapped = false;   // the range had gaps: `analysed` is its longest stretch without one
	uint64_t segments = 0; // DFTs averaged

	double frequencyHz(std::size_t bin) const
	{
		return static_cast<double>(bin) * frequencyStepHz;
	}
};

// The one-sided sum folds each bin's negative frequency onto it: every bin
// counts twice except 0 and, for an even n, n/2.
constexpr double OneSidedFactor(std::size_t bin, std::size_t n)
{
	return bin == 0 || (n % 2 == 0 && bin == n / 2) ? 1.0 : 2.0;
}

} // namespace kelvra::analysis

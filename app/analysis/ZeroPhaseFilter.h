#pragma once

// Zero-phase filtering, forward then backward, as scipy.signal.filtfilt(b, a,
// x) with its defaults: both ends extended by odd reflection of
// 3 × max(len(a), len(b)) samples, each pass started in the steady state of
// its first value (lfilter_zi). A stretch no longer than that padding is
// extended by one sample less than its length (where scipy refuses).

#include "IirFilter.h"

#include <span>
#include <vector>

namespace kelvra::analysis {

// Whether x begins and ends where its stretch does. A side that goes on is
// a margin of a longer stretch: no padding there, the pass starts settled
// at that edge's sample, and the margin takes up the difference.
struct StretchEnds {
	bool head = true;
	bool tail = true;
};

std::vector<double> FiltFilt(
		const TransferFunction &f, std::span<const double> x, StretchEnds ends = {});

// The padding filtfilt puts at an end of the stretch.
inline std::size_t FiltFiltPadding(const TransferFunction &f)
{
	return 3 * f.taps();
}

} // namespace kelvra::analysis

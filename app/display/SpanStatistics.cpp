#include "SpanStatistics.h"

#include <algorithm>
#include <cmath>

namespace kelvra {

SpanStatistics SpanStatistics::of(const SampleSummary &summary)
{
	SpanStatistics s;
	s.count = summary.count;
	if (summary.count == 0)
		return s;
	const double n = summary.count;
	s.minimum = summary.min;
	s.maximum = summary.max;
	s.peakToPeak = s.maximum - s.minimum;
	s.mean = summary.sum / n;
	const double meanSquare = summary.sumSquares / n;
	s.rms = std::sqrt(meanSquare);
	// Rounding of the sums may leave a constant a tiny negative variance.
	s.standardDeviation = std::sqrt(std::max(meanSquare - s.mean * s.mean, 0.0));
	return s;
}

} // namespace kelvra

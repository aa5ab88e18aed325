#pragma once

// Rainflow cycles counted into bins: range from 0 to the largest range the
// series can have, by mean from its lowest to its highest value. Bin edges
// come from the series' extremes, known before counting, so a day is binned
// as it is counted.

#include "RainflowCounter.h"

#include <vector>

namespace kelvra::analysis {

class RainflowMatrix {
public:
	inline static constexpr int kDefaultBins = 32;

	// Values between lowest and highest; bins below 1 count as 1.
	RainflowMatrix(int bins, double lowest, double highest);

	void add(const RainflowCycle &cycle);

	int bins() const { return bins_; }
	// Cycles (half cycles as 0.5) in range bin r and mean bin m.
	double count(int rangeBin, int meanBin) const
	{
		return counts_[rangeBin * bins_ + meanBin];
	}
	double rangeBinWidth() const { return rangeWidth_; }
	double meanBinWidth() const { return meanWidth_; }
	double rangeCentre(int bin) const { return (bin + 0.5) * rangeWidth_; }
	double meanCentre(int bin) const { return lowest_ + (bin + 0.5) * meanWidth_; }
	// All cycles counted in it.
	double total() const;

private:
	int binOf(double offset, double width) const;

	int bins_;
	double lowest_;
	double rangeWidth_;
	double meanWidth_;
	std::vector<double> counts_;
};

} // namespace kelvra::analysis

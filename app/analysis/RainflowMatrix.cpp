#include "RainflowMatrix.h"

#include <algorithm>
#include <numeric>

namespace kelvra::analysis {

namespace {

// A series without spread still gets bins of a width, all cycles in the first.
double widthOf(double span, int bins)
{
	return span > 0.0 ? span / bins : 1.0;
}

} // namespace

RainflowMatrix::RainflowMatrix(int bins, double lowest, double highest)
	: bins_(std::max(bins, 1)), lowest_(lowest), rangeWidth_(widthOf(highest - lowest, bins_)),
	  meanWidth_(rangeWidth_),
	  counts_(static_cast<std::size_t>(bins_) * static_cast<std::size_t>(bins_), 0.0)
{
}

int RainflowMatrix::binOf(double offset, double width) const
{
	const double bin = offset / width;
	return bin <= 0.0 ? 0 : std::min(bins_ - 1, static_cast<int>(bin));
}

void RainflowMatrix::add(const RainflowCycle &cycle)
{
	const int r = binOf(cycle.range, rangeWidth_);
	const int m = binOf(cycle.mean - lowest_, meanWidth_);
	counts_[r * bins_ + m] += cycle.count;
}

double RainflowMatrix::total() const
{
	return std::accumulate(counts_.begin(), counts_.end(), 0.0);
}

} // namespace kelvra::analysis

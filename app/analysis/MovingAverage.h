#pragma once

// The moving average of N samples: each output the mean of the samples in
// a window around it. Centred for zero-phase use (N/2 before, the rest
// after, so an even N lags half a sample), trailing for the causal (the
// sample and the N − 1 before it). Near a stretch's ends the window holds
// the samples there are.

#include <cstddef>
#include <span>
#include <vector>

namespace kelvra::analysis {

struct AverageWindow {
	std::size_t before = 0;
	std::size_t after = 0;

	static AverageWindow centred(std::size_t length)
	{
		return {length / 2, length - 1 - length / 2};
	}
	static AverageWindow trailing(std::size_t length) { return {length - 1, 0}; }
};

// Running sums: two additions a sample whatever the window's length.
std::vector<double> MovingAverage(std::span<const double> x, AverageWindow window);

} // namespace kelvra::analysis

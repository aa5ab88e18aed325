#include "MovingAverage.h"

#include <algorithm>

namespace kelvra::analysis {

std::vector<double> MovingAverage(std::span<const double> x, AverageWindow window)
{
	const std::size_t n = x.size();
	std::vector<double> out(n);
	double sum = 0.0;
	std::size_t lo = 0; // the window is x[lo, hi)
	std::size_t hi = 0;
	for (std::size_t i = 0; i < n; ++i) {
		const std::size_t wantLo = i > window.before ? i - window.before : 0;
		const std::size_t wantHi = std::min(n, i + window.after + 1);
		for (; hi < wantHi; ++hi)
			sum += x[hi];
		for (; lo < wantLo; ++lo)
			sum -= x[lo];
		out[i] = sum / static_cast<double>(hi - lo);
	}
	return out;
}

} // namespace kelvra::analysis

#include "ZeroPhaseFilter.h"

#include <algorithm>

namespace kelvra::analysis {

namespace {

// 2 x[0] − x[pad..1] before, x, 2 x[n−1] − x[n−2..n−1−pad] after.
std::vector<double> oddExtension(std::span<const double> x, std::size_t head, std::size_t tail)
{
	const std::size_t n = x.size();
	std::vector<double> out;
	out.reserve(head + n + tail);
	for (std::size_t i = head; i >= 1; --i)
		out.push_back(2.0 * x[0] - x[i]);
	out.insert(out.end(), x.begin(), x.end());
	for (std::size_t i = 1; i <= tail; ++i)
		out.push_back(2.0 * x[n - 1] - x[n - 1 - i]);
	return out;
}

} // namespace

std::vector<double> FiltFilt(const TransferFunction &f, std::span<const double> x, StretchEnds ends)
{
	if (x.empty())
		return {};
	const std::size_t padding = std::min(FiltFiltPadding(f), x.size() - 1);
	const std::size_t head = ends.head ? padding : 0;
	const std::size_t tail = ends.tail ? padding : 0;
	std::vector<double> y = oddExtension(x, head, tail);
	IirFilter filter(f);
	filter.settle(y.front());
	filter.run(y.data(), y.data(), y.size());
	std::reverse(y.begin(), y.end());
	filter.settle(y.front());
	filter.run(y.data(), y.data(), y.size());
	std::reverse(y.begin(), y.end());
	y.erase(y.end() - static_cast<std::ptrdiff_t>(tail), y.end());
	y.erase(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(head));
	return y;
}

} // namespace kelvra::analysis

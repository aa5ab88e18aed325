#include "ColumnPoints.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void addValues(std::vector<ChartPoint> &points, const EnvelopePyramid &values,
		const std::vector<double> &xs, int32_t first, int32_t last)
{
	for (int32_t i = first; i < last; ++i)
		points.push_back({xs[i], values.value(i)});
}

// The column's extremes in the order that continues the line from the last
// point with the smaller jump; a gap inside the column breaks the line after it.
void addColumn(std::vector<ChartPoint> &points, double x, const EnvelopePyramid::Extent &e)
{
	if (e.empty) {
		points.push_back({x, kNaN});
		return;
	}
	const double previous = points.empty() ? kNaN : points.back().y;
	const bool maximumFirst =
			!std::isnan(previous) && previous - e.minimum > e.maximum - previous;
	points.push_back({x, maximumFirst ? e.maximum : e.minimum});
	if (e.maximum != e.minimum)
		points.push_back({x, maximumFirst ? e.minimum : e.maximum});
	if (e.gap)
		points.push_back({x, kNaN});
}

} // namespace

std::vector<ChartPoint> ColumnPoints(const EnvelopePyramid &values, const std::vector<double> &xs,
		int32_t first, int32_t last, int columns)
{
	first = std::max(first, 0);
	last = std::min(last, values.size());
	std::vector<ChartPoint> points;
	if (first >= last)
		return points;
	const int32_t count = last - first;
	columns = std::max(columns, 1);
	if (count <= 2 * columns) {
		points.reserve(count + 2);
		addValues(points, values, xs, std::max(first - 1, 0),
				std::min(last + 1, values.size()));
		return points;
	}
	points.reserve(3 * columns + 2);
	addValues(points, values, xs, std::max(first - 1, 0), first);
	for (int c = 0; c < columns; ++c) {
		const auto from = static_cast<int32_t>(first + int64_t{count} * c / columns);
		const auto to = static_cast<int32_t>(first + int64_t{count} * (c + 1) / columns);
		addColumn(points, xs[from], values.extent(from, to));
	}
	addValues(points, values, xs, last, std::min(last + 1, values.size()));
	return points;
}

} // namespace kelvra

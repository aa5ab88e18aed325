#pragma once

// What the chart is handed of a series: every value of the visible stretch
// while they are fewer than two a pixel column, else each column's minimum and
// maximum, so a peak is never lost and the cost follows the pixels.

#include "EnvelopePyramid.h"

#include <cstdint>
#include <vector>

namespace kelvra {

struct ChartPoint {
	double x;
	double y; // NaN: a gap
};

// The values [first, last) at the X positions xs (one for each value), in
// `columns` columns; the value before and after the stretch are added so the
// line runs to the edges.
std::vector<ChartPoint> ColumnPoints(const EnvelopePyramid &values, const std::vector<double> &xs,
		int32_t first, int32_t last, int columns);

} // namespace kelvra

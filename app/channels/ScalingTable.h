#pragma once

// A unit's value through a table of points, piecewise linear between them
// and along the first and last segment beyond them. The points must have
// passed the definitions' check: 2 to 32 of them, X strictly increasing.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace kelvra {

struct ScalePoint {
	double x;
	double y;

	bool operator==(const ScalePoint &) const = default;
};

inline constexpr int kMinScalePoints = 2;
inline constexpr int kMaxScalePoints = 32;

class ScalingTable {
public:
	ScalingTable() = default;
	explicit ScalingTable(std::span<const ScalePoint> points);

	bool empty() const { return count_ == 0; }

	// On a table that is not empty.
	double apply(double x) const
	{
		// The segment whose start is the last X at or below x, held to the
		// first and the last segment.
		const double *end = xs_.data() + count_ - 1;
		const auto found = std::upper_bound(xs_.data() + 1, end, x);
		const auto i = static_cast<std::size_t>(found - xs_.data()) - 1;
		return ys_[i] + slopes_[i] * (x - xs_[i]);
	}

private:
	std::array<double, kMaxScalePoints> xs_{};
	std::array<double, kMaxScalePoints> ys_{};
	std::array<double, kMaxScalePoints> slopes_{};
	int32_t count_ = 0;
};

} // namespace kelvra

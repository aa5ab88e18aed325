#include "ScalingTable.h"

namespace kelvra {

ScalingTable::ScalingTable(std::span<const ScalePoint> points)
{
	if (points.size() < kMinScalePoints || points.size() > kMaxScalePoints)
		return; // refused by the check; stays empty
	count_ = static_cast<int32_t>(points.size());
	for (int32_t i = 0; i < count_; ++i) {
		xs_[i] = points[i].x;
		ys_[i] = points[i].y;
	}
	for (int32_t i = 0; i + 1 < count_; ++i)
		slopes_[i] = (ys_[i + 1] - ys_[i]) / (xs_[i + 1] - xs_[i]);
}

} // namespace kelvra

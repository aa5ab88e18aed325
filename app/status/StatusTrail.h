#pragma once

// The last ten minutes of one series as the status page draws them: the
// samples fall into stretches of two seconds on the run's clock, and each
// stretch keeps its extremes and its last value, so the page gets at most
// 300 points and never loses a peak. Adding a sample is a few comparisons.

#include "StatusSnapshot.h"

#include <array>

namespace kelvra {

class StatusTrail {
public:
	static constexpr double kSpanS = 600.0;
	static constexpr int kPoints = 300;
	static constexpr double kStretchS = kSpanS / kPoints;

	// A sample at `timeS` from the start of the run; NaN for one without
	// data. A time before the newest one starts the trail anew (a new run).
	void add(double timeS, float value)
	{
		if (!std::isfinite(timeS))
			return;
		const auto stretch = static_cast<int64_t>(std::floor(timeS / kStretchS));
		if (stretch != newest_)
			open(stretch);
		Slot &slot = slots_[index(stretch)];
		slot.point.timeS = timeS;
		slot.point.last = value;
		if (!std::isnan(value)) {
			slot.point.minimum = std::fmin(slot.point.minimum, value);
			slot.point.maximum = std::fmax(slot.point.maximum, value);
		}
	}
	// The stretches of the ten minutes up to the newest sample, oldest first.
	std::vector<StatusPoint> points() const;
	void clear();

private:
	struct Slot {
		int64_t stretch = kNone;
		StatusPoint point;
	};
	static constexpr int64_t kNone = INT64_MIN;

	static std::size_t index(int64_t stretch)
	{
		return static_cast<std::size_t>(((stretch % kPoints) + kPoints) % kPoints);
	}
	void open(int64_t stretch);

	std::array<Slot, kPoints> slots_{};
	int64_t newest_ = kNone;
};

} // namespace kelvra

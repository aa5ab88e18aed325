#pragma once

// Rainflow counting to ASTM E1049-85, the three-point method, of turning
// points as they come: a day is counted without holding it, only the
// reversals not yet closed (a few hundred in a measured history).
//
// With X the range of the two newest points and Y the range before it:
// while X ≥ Y, Y is counted, as one cycle whose two points are discarded,
// or, when Y holds the history's starting point, as a half cycle whose
// first point is discarded (the start moves on). At the end each range
// left is a half cycle.

#include "TurningPoints.h"

#include <cmath>
#include <vector>

namespace kelvra::analysis {

struct RainflowCycle {
	double range = 0.0;
	double mean = 0.0;
	double count = 0.0;       // 1 for a cycle, 0.5 for a half cycle
	uint64_t startSample = 0; // the reversal that opens it
	uint64_t endSample = 0;   // the reversal that turns it
};

class RainflowCounter {
public:
	template <typename Visit>
	void add(const TurningPoint &point, Visit &&visit)
	{
		stack_.push_back(point);
		while (stack_.size() >= 3) {
			const std::size_t n = stack_.size();
			const double x = std::abs(stack_[n - 1].value - stack_[n - 2].value);
			const double y = std::abs(stack_[n - 2].value - stack_[n - 3].value);
			if (x < y)
				return;
			if (n == 3) {
				visit(cycle(stack_[0], stack_[1], 0.5));
				stack_.erase(stack_.begin());
			} else {
				visit(cycle(stack_[n - 3], stack_[n - 2], 1.0));
				stack_.erase(stack_.end() - 3, stack_.end() - 1);
			}
		}
	}

	// The residue, as half cycles; the counter is then empty.
	template <typename Visit>
	void finish(Visit &&visit)
	{
		for (std::size_t i = 1; i < stack_.size(); ++i)
			visit(cycle(stack_[i - 1], stack_[i], 0.5));
		stack_.clear();
	}

	std::size_t held() const { return stack_.size(); }

private:
	static RainflowCycle cycle(const TurningPoint &a, const TurningPoint &b, double count)
	{
		return {std::abs(b.value - a.value), 0.5 * (a.value + b.value), count, a.sample,
				b.sample};
	}

	std::vector<TurningPoint> stack_;
};

} // namespace kelvra::analysis

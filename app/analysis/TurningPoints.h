#pragma once

// The reversals of a load history, as rainflow counting takes them: the
// first sample, each sample where the direction turns, and the last extreme.
// A flat top or bottom reverses at its first sample. With a gate, a
// reversal counts only once the history has come back from it by at least
// the gate, so smaller wiggles are dropped (hysteresis filtering); gate 0
// keeps every reversal.
//
// Hot path: one or two comparisons a sample, inline; the caller's visit runs
// once per reversal.

#include <cstdint>

namespace kelvra::analysis {

struct TurningPoint {
	double value = 0.0;
	uint64_t sample = 0;
};

class TurningPointFilter {
public:
	explicit TurningPointFilter(double gate = 0.0) : gate_(gate > 0.0 ? gate : 0.0) {}

	// The next sample of the history; visit(TurningPoint) for a reversal it confirms.
	template <typename Visit>
	void add(double value, uint64_t sample, Visit &&visit)
	{
		if (direction_ > 0) {
			if (value > extreme_.value)
				extreme_ = {value, sample};
			else if (value < extreme_.value && extreme_.value - value >= gate_)
				turn(-1, value, sample, visit);
		} else if (direction_ < 0) {
			if (value < extreme_.value)
				extreme_ = {value, sample};
			else if (value > extreme_.value && value - extreme_.value >= gate_)
				turn(+1, value, sample, visit);
		} else {
			leaveStart(value, sample, visit);
		}
	}

	// The end of the history: its last extreme is a reversal too.
	template <typename Visit>
	void finish(Visit &&visit)
	{
		if (direction_ != 0)
			visit(extreme_);
		direction_ = 0;
		started_ = false;
	}

private:
	template <typename Visit>
	void turn(int direction, double value, uint64_t sample, Visit &visit)
	{
		visit(extreme_);
		direction_ = direction;
		extreme_ = {value, sample};
	}

	// The history's start is a reversal; the first move of a gate away from
	// it sets the direction.
	template <typename Visit>
	void leaveStart(double value, uint64_t sample, Visit &visit)
	{
		if (!started_) {
			started_ = true;
			extreme_ = {value, sample};
			visit(extreme_);
			return;
		}
		const double move = value - extreme_.value;
		if (move != 0.0 && (move >= gate_ || -move >= gate_)) {
			direction_ = move > 0.0 ? +1 : -1;
			extreme_ = {value, sample};
		}
	}

	double gate_;
	TurningPoint extreme_; // the start until the direction is known, then the pending extreme
	int direction_ = 0;
	bool started_ = false;
};

} // namespace kelvra::analysis

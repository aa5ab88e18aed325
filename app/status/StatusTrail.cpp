#include "StatusTrail.h"

namespace kelvra {

void StatusTrail::open(int64_t stretch)
{
	if (newest_ != kNone && stretch < newest_)
		clear();
	newest_ = stretch;
	slots_[index(stretch)] = Slot{stretch, {}};
}

std::vector<StatusPoint> StatusTrail::points() const
{
	std::vector<StatusPoint> points;
	if (newest_ == kNone)
		return points;
	points.reserve(kPoints);
	// A slot left from more than ten minutes ago carries an older stretch.
	for (int64_t stretch = newest_ - kPoints + 1; stretch <= newest_; ++stretch) {
		const Slot &slot = slots_[index(stretch)];
		if (slot.stretch == stretch)
			points.push_back(slot.point);
	}
	return points;
}

void StatusTrail::clear()
{
	slots_.fill(Slot{});
	newest_ = kNone;
}

} // namespace kelvra

#include "StreamingFilter.h"

#include <cmath>

namespace kelvra::analysis {

StreamingFilter::StreamingFilter(const DesignedFilter &filter)
{
	if (filter.butterworth)
		iir_.emplace(filter.butterworth->coefficients);
	else
		window_.resize(filter.spec.length);
}

float StreamingFilter::step(float x)
{
	if (std::isnan(x)) {
		fresh_ = true;
		return x;
	}
	if (fresh_) {
		fresh_ = false;
		if (iir_)
			iir_->settle(x);
		next_ = held_ = 0;
		sum_ = 0.0;
	}
	return static_cast<float>(iir_ ? iir_->step(x) : average(x));
}

double StreamingFilter::average(double x)
{
	if (held_ == window_.size())
		sum_ -= window_[next_];
	else
		++held_;
	window_[next_] = x;
	sum_ += x;
	next_ = next_ + 1 == window_.size() ? 0 : next_ + 1;
	return sum_ / static_cast<double>(held_);
}

} // namespace kelvra::analysis

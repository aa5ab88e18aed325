#pragma once

// Long work (an analysis of a day) tells how far it is and can be stopped:
// the callback gets the fraction done, 0 to 1, now and then, and answers
// false to stop the work, which then ends with Refusal::Cancelled.

#include <cstdint>
#include <functional>

namespace kelvra::analysis {

using ProgressCallback = std::function<bool(double fraction)>;

// Reports `done` of `total` steps to a callback that may be empty.
class ProgressMeter {
public:
	ProgressMeter(const ProgressCallback &callback, uint64_t total)
		: callback_(callback), total_(total > 0 ? total : 1)
	{
	}

	// False once the callback has asked to stop.
	bool at(uint64_t done)
	{
		if (!stopped_ && callback_)
			stopped_ = !callback_(
					static_cast<double>(done) / static_cast<double>(total_));
		return !stopped_;
	}
	bool stopped() const { return stopped_; }

private:
	const ProgressCallback &callback_;
	uint64_t total_;
	bool stopped_ = false;
};

} // namespace kelvra::analysis

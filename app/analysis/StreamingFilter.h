#pragma once

// The causal filter of the live display: each sample filtered as it comes,
// from the samples before it only. A missing sample stays missing, and the
// next present one starts the filter afresh, settled at its value (no
// start-up transient), as a filtered stretch of a recording starts.

#include "FilterDesign.h"

#include <optional>
#include <vector>

namespace kelvra::analysis {

class StreamingFilter {
public:
	explicit StreamingFilter(const DesignedFilter &filter);

	float step(float x);
	void restart() { fresh_ = true; }

private:
	double average(double x);

	std::optional<IirFilter> iir_;
	std::vector<double> window_; // the moving average's last samples, a ring
	std::size_t next_ = 0;
	std::size_t held_ = 0;
	double sum_ = 0.0;
	bool fresh_ = true;
};

} // namespace kelvra::analysis

#pragma once

// A linear filter b(z)/a(z) run sample by sample in the transposed direct
// form II, as scipy.signal.lfilter runs it, in double precision.
//
// Hot path: step() is a multiply-add per coefficient, inline.

#include <array>
#include <cstddef>
#include <vector>

namespace kelvra::analysis {

struct TransferFunction {
	std::vector<double> b; // numerator, b[0] first
	std::vector<double> a; // denominator, a[0] = 1

	std::size_t taps() const { return b.size() > a.size() ? b.size() : a.size(); }
};

class IirFilter {
public:
	static constexpr std::size_t kMaxTaps = 9; // order 8

	// At most kMaxTaps coefficients each, a[0] = 1.
	explicit IirFilter(const TransferFunction &f);

	// The state a constant input `value` leaves the filter in, so that a
	// filter started on a stretch begins without a transient: lfilter_zi × value.
	void settle(double value);

	double step(double x)
	{
		const double y = b_[0] * x + z_[0];
		for (std::size_t k = 1; k < order_; ++k)
			z_[k - 1] = b_[k] * x - a_[k] * y + z_[k];
		z_[order_ - 1] = b_[order_] * x - a_[order_] * y;
		return y;
	}

	void run(const double *in, double *out, std::size_t n)
	{
		for (std::size_t i = 0; i < n; ++i)
			out[i] = step(in[i]);
	}

private:
	std::size_t order_; // taps − 1, at least 1
	std::array<double, kMaxTaps> b_{};
	std::array<double, kMaxTaps> a_{};
	std::array<double, kMaxTaps> z_{};
	std::array<double, kMaxTaps> settled_{}; // the state for a constant input of 1
};

} // namespace kelvra::analysis

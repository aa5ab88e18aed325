#include "IirFilter.h"

#include <algorithm>

namespace kelvra::analysis {

IirFilter::IirFilter(const TransferFunction &f)
	: order_(std::clamp<std::size_t>(f.taps(), 2, kMaxTaps) - 1)
{
	std::copy_n(f.b.begin(), std::min(f.b.size(), kMaxTaps), b_.begin());
	std::copy_n(f.a.begin(), std::min(f.a.size(), kMaxTaps), a_.begin());
	// The steady state of a unit step, as scipy.signal.lfilter_zi solves it:
	// z_0 = Σ(b_k − a_k b_0) / Σa_k, then z_k = z_(k−1) + a_k z_0 − (b_k − a_k b_0).
	double sumA = 0.0;
	double sumB = 0.0;
	for (std::size_t k = 0; k <= order_; ++k) {
		sumA += a_[k];
		sumB += k > 0 ? b_[k] - a_[k] * b_[0] : 0.0;
	}
	settled_[0] = sumB / sumA;
	for (std::size_t k = 1; k < order_; ++k)
		settled_[k] = settled_[k - 1] + a_[k] * settled_[0] - (b_[k] - a_[k] * b_[0]);
}

void IirFilter::settle(double value)
{
	for (std::size_t k = 0; k < order_; ++k)
		z_[k] = settled_[k] * value;
}

} // namespace kelvra::analysis

#include "ButterworthDesign.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace kelvra::analysis {

namespace {

using Complex = std::complex<double>;

// The coefficients of Π (1 − r z⁻¹), highest power of z first; real for
// roots in conjugate pairs.
std::vector<double> polynomialOf(const std::vector<Complex> &roots)
{
	std::vector<Complex> c{1.0};
	for (const Complex &r : roots) {
		c.push_back(0.0);
		for (std::size_t k = c.size() - 1; k > 0; --k)
			c[k] -= r * c[k - 1];
	}
	std::vector<double> real;
	for (const Complex &value : c)
		real.push_back(value.real());
	return real;
}

Complex product(const std::vector<Complex> &roots, Complex at)
{
	Complex p = 1.0;
	for (const Complex &r : roots)
		p *= at - r;
	return p;
}

} // namespace

Outcome<Butterworth> DesignButterworth(
		int order, double cutoffHz, double sampleRateHz, FilterBand band)
{
	if (order < 1 || order > kMaxButterworthOrder)
		return Refusal::OrderOutOfRange;
	if (!(cutoffHz > 0.0 && cutoffHz < sampleRateHz / 2.0))
		return Refusal::CutoffOutOfRange;
	// The analogue cut-off that the bilinear transform maps onto cutoffHz.
	const double twiceFs = 2.0 * sampleRateHz;
	const double warped = twiceFs * std::tan(std::numbers::pi * cutoffHz / sampleRateHz);
	const bool lowPass = band == FilterBand::LowPass;
	std::vector<Complex> poles;
	double radius = 0.0;
	for (int k = 0; k < order; ++k) {
		const Complex prototype = std::polar(
				1.0, std::numbers::pi * (2 * k + order + 1) / (2.0 * order));
		const Complex s = lowPass ? warped * prototype : warped / prototype;
		poles.push_back((twiceFs + s) / (twiceFs - s));
		radius = std::max(radius, std::abs(poles.back()));
	}
	// The analogue zeros at infinity (low-pass) or at 0 (high-pass) land on
	// z = −1 or z = 1, and the gain is 1 at the other end of the unit circle.
	const std::vector<Complex> zeros(order, lowPass ? -1.0 : 1.0);
	const Complex passband = lowPass ? 1.0 : -1.0;
	const double gain = std::abs(product(poles, passband) / product(zeros, passband));
	Butterworth out{{polynomialOf(zeros), polynomialOf(poles)}, radius};
	for (double &b : out.coefficients.b)
		b *= gain;
	return out;
}

} // namespace kelvra::analysis

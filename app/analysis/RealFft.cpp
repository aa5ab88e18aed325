#include "RealFft.h"

#include <fftw3.h>

#include <mutex>

namespace kelvra::analysis {

namespace {

// FFTW's planner keeps state of its own and must not run on two threads at
// once; its plans, once made, may.
std::mutex &plannerLock()
{
	static std::mutex lock;
	return lock;
}

} // namespace

RealFft::RealFft(std::size_t size)
	: size_(size), input_(fftw_alloc_real(size)), output_(fftw_alloc_complex(size / 2 + 1))
{
	const std::lock_guard<std::mutex> hold(plannerLock());
	plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(size), input_,
			static_cast<fftw_complex *>(output_), FFTW_ESTIMATE);
}

RealFft::~RealFft()
{
	const std::lock_guard<std::mutex> hold(plannerLock());
	fftw_destroy_plan(static_cast<fftw_plan>(plan_));
	fftw_free(output_);
	fftw_free(input_);
}

void RealFft::addPowers(double *sums)
{
	fftw_execute(static_cast<fftw_plan>(plan_));
	const auto *x = static_cast<const fftw_complex *>(output_);
	const std::size_t n = bins();
	for (std::size_t k = 0; k < n; ++k)
		sums[k] += x[k][0] * x[k][0] + x[k][1] * x[k][1];
}

} // namespace kelvra::analysis

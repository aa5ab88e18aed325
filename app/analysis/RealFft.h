#pragma once

// A real-to-complex DFT of one size, planned once (FFTW, double precision),
// with its own aligned buffers.

#include <cstddef>

namespace kelvra::analysis {

class RealFft {
public:
	explicit RealFft(std::size_t size);
	~RealFft();
	RealFft(const RealFft &) = delete;
	RealFft &operator=(const RealFft &) = delete;

	std::size_t size() const { return size_; }
	std::size_t bins() const { return size_ / 2 + 1; }
	// The size() values to transform.
	double *input() { return input_; }
	// Transforms input() and adds |X_k|² of bins k = 0..size/2 to sums.
	void addPowers(double *sums);

private:
	std::size_t size_;
	double *input_;
	void *output_; // fftw_complex[bins()]
	void *plan_;
};

} // namespace kelvra::analysis

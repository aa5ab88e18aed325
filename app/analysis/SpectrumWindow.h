#pragma once

// The windows a spectrum is taken through. Each is periodic (the form a
// DFT of its length wants), and its scale cancels: spectra divide by its sum.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace kelvra::analysis {

enum class SpectrumWindow {
	Hann,    // 0.5 − 0.5 cos(2πk/n), as scipy.signal.get_window('hann', n)
	Flattop, // HFT90D: a sine reads its amplitude within 0.05 % between bins
	Rect,
};

// "hann", "flattop" or "rect".
std::optional<SpectrumWindow> SpectrumWindowNamed(std::string_view name);

std::vector<double> WindowValues(SpectrumWindow window, std::size_t n);

} // namespace kelvra::analysis

#include "SpectrumPeaks.h"

#include <algorithm>

namespace kelvra::analysis {

std::vector<SpectrumPeak> LargestPeaks(const Spectrum &spectrum, std::size_t count)
{
	const std::vector<double> &v = spectrum.values;
	std::vector<SpectrumPeak> peaks;
	for (std::size_t k = 1; k < v.size(); ++k) {
		const bool aboveLeft = v[k] > v[k - 1];
		const bool notBelowRight = k + 1 == v.size() || v[k] >= v[k + 1];
		if (aboveLeft && notBelowRight)
			peaks.push_back({spectrum.frequencyHz(k), v[k]});
	}
	const std::size_t kept = std::min(count, peaks.size());
	std::partial_sort(peaks.begin(), peaks.begin() + static_cast<std::ptrdiff_t>(kept),
			peaks.end(), [](const SpectrumPeak &a, const SpectrumPeak &b) {
				return a.value > b.value;
			});
	peaks.resize(kept);
	return peaks;
}

} // namespace kelvra::analysis

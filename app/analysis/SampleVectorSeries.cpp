#include "SampleVectorSeries.h"

#include <algorithm>

namespace kelvra::analysis {

void SampleVectorSeries::read(uint64_t from, uint64_t to, float *out) const
{
	std::copy(values_.begin() + static_cast<std::ptrdiff_t>(from),
			values_.begin() + static_cast<std::ptrdiff_t>(to), out);
}

} // namespace kelvra::analysis

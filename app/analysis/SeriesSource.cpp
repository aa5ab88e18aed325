#include "SeriesSource.h"

#include <algorithm>
#include <cmath>

namespace kelvra::analysis {

namespace {

constexpr uint64_t kPiece = 65536;

// Calls visit(first, values, count) for pieces of at most kPiece samples.
template <typename Visit>
void forEachPiece(const SeriesSource &source, uint64_t from, uint64_t to, Visit visit)
{
	std::vector<float> values(std::min(kPiece, to > from ? to - from : 0));
	for (uint64_t at = from; at < to; at += kPiece) {
		const uint64_t count = std::min(kPiece, to - at);
		source.read(at, at + count, values.data());
		visit(at, values.data(), count);
	}
}

} // namespace

void RangeSummary::add(const RangeSummary &other)
{
	if (other.count == 0)
		return;
	min = count == 0 ? other.min : std::min(min, other.min);
	max = count == 0 ? other.max : std::max(max, other.max);
	count += other.count;
	sum += other.sum;
	sumSquares += other.sumSquares;
}

RangeSummary SeriesSource::summarize(uint64_t from, uint64_t to) const
{
	RangeSummary out;
	forEachPiece(*this, from, to, [&](uint64_t, const float *values, uint64_t count) {
		for (uint64_t i = 0; i < count; ++i) {
			if (!std::isnan(values[i]))
				out.add(values[i]);
		}
	});
	return out;
}

std::vector<SampleRange> SeriesSource::missing(uint64_t from, uint64_t to) const
{
	std::vector<SampleRange> out;
	forEachPiece(*this, from, to, [&](uint64_t first, const float *values, uint64_t count) {
		for (uint64_t i = 0; i < count; ++i) {
			if (!std::isnan(values[i]))
				continue;
			const uint64_t sample = first + i;
			if (!out.empty() && out.back().to == sample)
				out.back().to = sample + 1;
			else
				out.push_back({sample, sample + 1});
		}
	});
	return out;
}

} // namespace kelvra::analysis

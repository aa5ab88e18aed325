#include "GapFreeStretch.h"

#include <algorithm>

namespace kelvra::analysis {

SampleRange LongestGapFreeStretch(std::span<const SeriesSource *const> sources, SampleRange range)
{
	std::vector<SampleRange> gaps;
	for (const SeriesSource *source : sources) {
		const auto own = source->missing(range.from, range.to);
		gaps.insert(gaps.end(), own.begin(), own.end());
	}
	std::sort(gaps.begin(), gaps.end(),
			[](const SampleRange &a, const SampleRange &b) { return a.from < b.from; });
	// Between one gap's end and the next gap's start, the union of the gaps
	// taken in the order they begin.
	SampleRange longest{range.from, range.from};
	uint64_t start = range.from;
	auto consider = [&](uint64_t end) {
		if (end > start && end - start > longest.size())
			longest = {start, end};
	};
	for (const SampleRange &gap : gaps) {
		consider(gap.from);
		start = std::max(start, gap.to);
	}
	consider(range.to);
	return longest;
}

SampleRange LongestGapFreeStretch(const SeriesSource &source, SampleRange range)
{
	const SeriesSource *const one[] = {&source};
	return LongestGapFreeStretch(one, range);
}

} // namespace kelvra::analysis

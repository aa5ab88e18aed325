#include "RecordingSeries.h"

#include <algorithm>

namespace kelvra::cli {

analysis::RangeSummary RecordingSeries::summarize(uint64_t from, uint64_t to) const
{
	const SampleSummary s = reader_.summarize(unit_, from, to);
	return {s.count, s.count ? s.min : 0.0, s.count ? s.max : 0.0, s.sum, s.sumSquares};
}

std::vector<analysis::SampleRange> RecordingSeries::missing(uint64_t from, uint64_t to) const
{
	// Before the first part's first sample, the recorded gaps, and after the
	// unit's last sample while another unit went on.
	std::vector<analysis::SampleRange> all{{0, reader_.header().firstSample}};
	for (const RecordingGap &gap : reader_.gaps(unit_))
		all.push_back({gap.from, gap.from + gap.count});
	all.push_back({reader_.sampleEnd(unit_), reader_.sampleEnd()});
	std::vector<analysis::SampleRange> out;
	for (const analysis::SampleRange &gap : all) {
		const analysis::SampleRange cut{std::max(gap.from, from), std::min(gap.to, to)};
		if (!cut.empty())
			out.push_back(cut);
	}
	return out;
}

} // namespace kelvra::cli

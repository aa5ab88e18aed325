#pragma once

// One unit of a long recording as the analyses read it: its samples from
// the mapped files, its statistics from the block summaries (samples only
// at a span's ragged ends), its gaps from the records.

#include "analysis/SeriesSource.h"
#include "recording/RecordingReader.h"

namespace kelvra::cli {

class RecordingSeries final : public analysis::SeriesSource {
public:
	// `reader` must outlive the series.
	RecordingSeries(const RecordingReader &reader, int unit) : reader_(reader), unit_(unit) {}

	// Every unit of a recording on one time line: to the end of the longest.
	uint64_t sampleCount() const override { return reader_.sampleEnd(); }
	double intervalS() const override { return reader_.header().intervalS; }
	void read(uint64_t from, uint64_t to, float *out) const override
	{
		reader_.readSamples(unit_, from, to, out);
	}
	analysis::RangeSummary summarize(uint64_t from, uint64_t to) const override;
	std::vector<analysis::SampleRange> missing(uint64_t from, uint64_t to) const override;

private:
	const RecordingReader &reader_;
	int unit_;
};

} // namespace kelvra::cli

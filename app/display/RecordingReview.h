#pragma once

// The review tools over a long recording opened in the window: sample n lies
// at n intervals from the start. The graph is drawn from the summaries, and
// the statistics of whole summary blocks come from their sums.

#include "ColumnPoints.h"
#include "ReviewSource.h"
#include "recording/RecordingReader.h"

#include <vector>

namespace kelvra {

class RecordingReview : public ReviewSource {
public:
	explicit RecordingReview(const RecordingReader &reader) : reader_(reader) {}

	bool inUse(int unit) const override;
	std::optional<float> valueAt(int unit, double seconds) const override;
	SampleSummary summarize(int unit, double from, double to) const override;

	double seconds() const;
	// The smallest and largest value of every unit in use.
	std::pair<float, float> valueRange() const;
	// What the chart is handed of the unit over from..to seconds.
	std::vector<ChartPoint> points(int unit, double from, double to, int columns) const;

private:
	uint64_t sampleAtOrAfter(int unit, double seconds) const;

	const RecordingReader &reader_;
};

} // namespace kelvra

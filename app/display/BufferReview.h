#pragma once

// The review tools over the run's buffers, at the moments the graph draws
// their samples: from the start, or from the trigger sample.

#include "ColumnPoints.h"
#include "ReviewSource.h"
#include "core/ModuleData.h"

namespace kelvra {

class BufferReview : public ReviewSource {
public:
	explicit BufferReview(const ModuleData &md) : md_(md) {}

	bool inUse(int unit) const override;
	std::optional<float> valueAt(int unit, double seconds) const override;
	SampleSummary summarize(int unit, double from, double to) const override;

	// The moments of the first and the last sample held.
	std::pair<double, double> run() const;
	// Each column's extremes of the unit over from..to seconds (the overview).
	std::vector<ChartPoint> points(int unit, double from, double to, int columns) const;

private:
	// The sample number at the moment, not rounded.
	double samplePosition(double seconds) const;
	double secondsOf(int32_t p) const;

	const ModuleData &md_;
};

} // namespace kelvra

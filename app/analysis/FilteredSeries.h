#pragma once

// A series seen through a filter, itself a series: it can be shown,
// exported and analysed as the unit it comes from. Each stretch without a
// gap is filtered on its own (a missing sample stays missing). A read
// filters only the samples asked for and the filter's reach around them,
// so any sample of a day costs its neighbourhood, not the day; zero-phase,
// a stretch's true ends get filtfilt's padding, and the reach's edges are
// far enough that what they leave out is below 1e-12 of the signal.

#include "FilterDesign.h"
#include "SeriesSource.h"
#include "ZeroPhaseFilter.h"

namespace kelvra::analysis {

class FilteredSeries final : public SeriesSource {
public:
	// `input` must outlive the series.
	FilteredSeries(const SeriesSource &input, DesignedFilter filter, FilterMode mode);

	uint64_t sampleCount() const override { return input_.sampleCount(); }
	double intervalS() const override { return input_.intervalS(); }
	void read(uint64_t from, uint64_t to, float *out) const override;
	std::vector<SampleRange> missing(uint64_t from, uint64_t to) const override
	{
		return input_.missing(from, to);
	}

private:
	std::vector<double> filtered(std::span<const double> stretch, StretchEnds ends) const;

	const SeriesSource &input_;
	DesignedFilter filter_;
	FilterMode mode_;
	uint64_t before_;
	uint64_t after_;
};

} // namespace kelvra::analysis

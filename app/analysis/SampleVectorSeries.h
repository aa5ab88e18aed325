#pragma once

// A series held in memory: the rows of a data file or a CSV export, or the
// samples a test makes.

#include "SeriesSource.h"

#include <utility>

namespace kelvra::analysis {

class SampleVectorSeries final : public SeriesSource {
public:
	SampleVectorSeries(std::vector<float> values, double intervalS)
		: values_(std::move(values)), intervalS_(intervalS)
	{
	}

	uint64_t sampleCount() const override { return values_.size(); }
	double intervalS() const override { return intervalS_; }
	void read(uint64_t from, uint64_t to, float *out) const override;

	const std::vector<float> &values() const { return values_; }

private:
	std::vector<float> values_;
	double intervalS_;
};

} // namespace kelvra::analysis

#include "RecordingDerivation.h"

#include <algorithm>
#include <array>

namespace kelvra {

namespace {

// A stretch of the recording's readings, row by row.
class StretchReader {
public:
	explicit StretchReader(const SampleColumns &samples) : samples_(samples)
	{
		for (auto &column : columns_)
			column.resize(kDerivationStretch);
	}

	void read(uint64_t from, uint64_t to)
	{
		for (int unit = 0; unit < kDefinitionUnits; ++unit)
			samples_.read(unit, from, to, columns_[unit].data());
	}

	UnitReadings row(std::size_t i) const
	{
		UnitReadings readings;
		for (int unit = 0; unit < kDefinitionUnits; ++unit)
			readings[unit] = columns_[unit][i];
		return readings;
	}

private:
	const SampleColumns &samples_;
	std::array<std::vector<float>, kDefinitionUnits> columns_;
};

} // namespace

TareOffsets findTareOffsets(ChannelEvaluator &evaluator, const SampleColumns &samples)
{
	evaluator.restartTare();
	StretchReader reader(samples);
	const uint64_t rows = samples.rowCount();
	for (uint64_t from = 0; from < rows && !evaluator.tareKnown(); from += kDerivationStretch) {
		const uint64_t to = std::min(rows, from + kDerivationStretch);
		reader.read(from, to);
		for (std::size_t i = 0; i < to - from && !evaluator.tareKnown(); ++i)
			evaluator.evaluate(reader.row(i));
	}
	const TareOffsets offsets = evaluator.tareOffsets();
	evaluator.setTareOffsets(offsets);
	return offsets;
}

bool deriveRecording(ChannelEvaluator &evaluator, const SampleColumns &samples, uint64_t from,
		uint64_t to, const DerivedStretch &take)
{
	StretchReader reader(samples);
	std::vector<std::vector<double>> columns(evaluator.channels().size());
	for (uint64_t first = from; first < to; first += kDerivationStretch) {
		const uint64_t last = std::min(to, first + kDerivationStretch);
		const auto count = static_cast<std::size_t>(last - first);
		reader.read(first, last);
		for (auto &column : columns)
			column.resize(count);
		for (std::size_t i = 0; i < count; ++i) {
			const std::span<const double> values = evaluator.evaluate(reader.row(i));
			for (std::size_t c = 0; c < values.size(); ++c)
				columns[c][i] = values[c];
		}
		if (!take(first, columns))
			return false;
	}
	return true;
}

} // namespace kelvra

#include "RecordingReview.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

bool RecordingReview::inUse(int unit) const
{
	return reader_.header().inUse(unit);
}

double RecordingReview::seconds() const
{
	return reader_.sampleEnd() * reader_.header().intervalS;
}

uint64_t RecordingReview::sampleAtOrAfter(int unit, double seconds) const
{
	const double n = std::ceil(seconds / reader_.header().intervalS - 1e-9);
	return std::min(n > 0.0 ? static_cast<uint64_t>(n) : 0, reader_.sampleEnd(unit));
}

std::optional<float> RecordingReview::valueAt(int unit, double seconds) const
{
	const double n = std::round(seconds / reader_.header().intervalS);
	if (!inUse(unit) || n < 0.0 || n >= reader_.sampleEnd(unit))
		return std::nullopt;
	const auto at = static_cast<uint64_t>(n);
	const float value = reader_.samples(unit, at, at + 1).front();
	if (std::isnan(value))
		return std::nullopt;
	return value;
}

SampleSummary RecordingReview::summarize(int unit, double from, double to) const
{
	const uint64_t first = sampleAtOrAfter(unit, from);
	const uint64_t end = sampleAtOrAfter(unit, to + reader_.header().intervalS * 1e-6);
	// `to` itself is in the span when a sample lies there.
	const uint64_t last = std::min(end + (std::fmod(to, reader_.header().intervalS) == 0.0),
			reader_.sampleEnd(unit));
	return reader_.summarize(unit, first, std::max(first, last));
}

std::pair<float, float> RecordingReview::valueRange() const
{
	SampleSummary all;
	for (int u = 0; u < kUnitCount; ++u) {
		if (inUse(u))
			all.add(reader_.summarize(u, 0, reader_.sampleEnd(u)));
	}
	return {all.min, all.max};
}

std::vector<ChartPoint> RecordingReview::points(int unit, double from, double to, int columns) const
{
	std::vector<ChartPoint> points;
	if (!inUse(unit))
		return points;
	const double interval = reader_.header().intervalS;
	// One sample either side, so the line runs to the edges.
	const uint64_t first = sampleAtOrAfter(unit, from - interval);
	const uint64_t last = std::min(sampleAtOrAfter(unit, to) + 1, reader_.sampleEnd(unit));
	if (first >= last)
		return points;
	columns = std::max(columns, 1);
	if (last - first <= 2 * static_cast<uint64_t>(columns)) {
		const std::vector<float> values = reader_.samples(unit, first, last);
		for (uint64_t n = first; n < last; ++n)
			points.push_back({n * interval, values[n - first]});
		return points;
	}
	// Column edges on summary blocks where a column spans several, so a frame
	// reads summaries and no samples.
	const uint64_t perColumn = (last - first) / columns;
	uint64_t grid = 1;
	for (int level = kSummaryLevels - 1; level >= 0 && grid == 1; --level) {
		if (SummaryBlockSize(level) * 4 <= perColumn)
			grid = SummaryBlockSize(level);
	}
	const auto edge = [&](int c) {
		const uint64_t n = first + (last - first) * c / columns;
		return c == 0 || c == columns ? n : n / grid * grid;
	};
	// Columns narrower than a summary block: the samples, read in one go.
	const std::vector<float> values =
			grid == 1 ? reader_.samples(unit, first, last) : std::vector<float>{};
	const auto columnExtent = [&](uint64_t lo, uint64_t hi) -> EnvelopePyramid::Extent {
		if (grid == 1)
			return ExtentOfValues(std::span(values).subspan(lo - first, hi - lo));
		const SampleSummary b = reader_.summarize(unit, lo, hi);
		return {b.min, b.max, b.count < hi - lo, b.count == 0};
	};
	for (int c = 0; c < columns; ++c) {
		const uint64_t lo = edge(c);
		const double x = lo * interval;
		const EnvelopePyramid::Extent e = columnExtent(lo, edge(c + 1));
		if (e.empty) {
			points.push_back({x, kNaN});
			continue;
		}
		points.push_back({x, e.minimum});
		if (e.maximum != e.minimum)
			points.push_back({x, e.maximum});
	}
	return points;
}

} // namespace kelvra

#pragma once

// The figures of the "統計" panel for one unit over a span, from the sums
// that a recording's summaries and the buffers alike give.

#include "recording/RecordingFormat.h"

#include <cstdint>

namespace kelvra {

struct SpanStatistics {
	double minimum = 0.0;
	double maximum = 0.0;
	double mean = 0.0;
	double rms = 0.0;
	double standardDeviation = 0.0; // of the samples themselves, not an estimate
	double peakToPeak = 0.0;
	uint64_t count = 0;

	static SpanStatistics of(const SampleSummary &summary);
};

} // namespace kelvra

#pragma once

// --filter of kelvra-cli analyze and convert: lowpass:FC[:ORDER],
// highpass:FC[:ORDER] or moving:N, designed for the rate of the series it
// filters.

#include "analysis/FilterDesign.h"
#include "core/ModuleData.h"
#include "recording/RecordingExport.h"

#include <QString>

namespace kelvra::cli {

// Throws UsageError when the text is none of the three forms; its numbers are
// checked by DesignFilterOption.
analysis::FilterSpec ParseFilterOption(const QString &text);
// The filter for samples `intervalS` apart; throws UsageError with the reason
// when it cannot be made (a cut-off at or above half the sampling rate).
analysis::DesignedFilter DesignFilterOption(const analysis::FilterSpec &spec, double intervalS);

// The rows of a data file, each unit's column filtered zero-phase (kNoData
// stays missing).
void FilterRows(std::vector<std::array<double, kUnitCount>> &rows,
		const analysis::DesignedFilter &filter, double intervalS);

// The samples of a recording's units filtered zero-phase, for an export;
// `reader` must outlive it.
class FilteredReading {
public:
	FilteredReading(const RecordingReader &reader, const analysis::DesignedFilter &filter);
	~FilteredReading();
	SampleReading reading() const;

private:
	struct Unit;
	std::vector<std::unique_ptr<Unit>> units_;
};

} // namespace kelvra::cli

#pragma once

// A long recording, or a span of it, as an HDF5 file for analysis programs,
// laid out as netCDF-4 keeps its variables, so that netCDF and xarray read it
// as it is:
// - /time: float64 seconds from the start of the recording, one per sample
//   of the span, a dimension scale;
// - /ID0 … /ID3, one for each unit in use: float32 in the display unit on
//   the time dimension, NaN where a sample is missing, chunked and deflated;
// - the events of the span on a dimension "event" of their own, in the order
//   of time: /event_time (seconds from the start), /event_unit (-1 for the
//   whole recording), /event_kind and /event_text;
// - every variable with its `units` and `long_name`; the root with
//   interval_s, start_time (ISO 8601), unit (as the recording names it) and
//   memo (its five lines).
// Texts are netCDF's: a fixed-length UTF-8 string, the memo lines
// variable-length strings.

#include "RecordingExport.h"

namespace kelvra {

FileResult ExportHdf5(const RecordingReader &reader, SampleSpan span, const QString &fileName,
		const SampleReading &read = {});

} // namespace kelvra

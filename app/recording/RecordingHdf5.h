#pragma once

// A long recording, or a span of it, as an HDF5 file for analysis programs:
// one float32 dataset per unit in use (/ID0 … /ID3) in the display unit, NaN
// where a sample is missing, chunked and deflated; the root's attributes
// interval_s, start_time (ISO 8601), unit and memo; and /events with each
// event's time in seconds, unit, kind and text.

#include "RecordingExport.h"

namespace kelvra {

FileResult ExportHdf5(const RecordingReader &reader, SampleSpan span, const QString &fileName);

} // namespace kelvra

#pragma once

// "範囲保存": the span shown, from the buffers or from a long recording, as a
// data file, CSV or HDF5 (the type by the file's name).

#include "core/ModuleData.h"
#include "files/FileResult.h"
#include "recording/RecordingReader.h"

#include <QString>

namespace kelvra {

// The buffers' samples of the span, as a run of them alone would have left them.
FileResult SaveBufferSpan(const ModuleData &md, const QString &fileName, double from, double to);
FileResult SaveRecordingSpan(
		const RecordingReader &recording, const QString &fileName, double from, double to);

} // namespace kelvra

#pragma once

// A long recording, or a span of it, as the files other programs read: CSV
// in the data file's layout (in numbered files when a spreadsheet could not
// hold it), or a data file (.vn2) when it fits the run's buffers. HDF5 is in
// RecordingHdf5.h.

#include "RecordingReader.h"
#include "files/CsvFile.h"
#include "files/FileResult.h"

#include <functional>
#include <optional>

namespace kelvra {

// The rows a spreadsheet takes; one CSV file holds at most this many lines.
inline constexpr qsizetype kCsvMaxLines = 1048576;

// Sample numbers from..to-1.
struct SampleSpan {
	uint64_t from = 0;
	uint64_t to = 0;

	uint64_t size() const { return to - from; }
};

// Where an export takes a unit's samples numbered from..to-1 from: the
// recording's own when empty, or the same seen through a filter.
using SampleReading = std::function<void(int unit, uint64_t from, uint64_t to, float *out)>;

// The span between the seconds given (from the start), within what the
// recording holds.
SampleSpan SpanOfSeconds(const RecordingReader &reader, std::optional<double> fromS,
		std::optional<double> toS);

// The events of the span, in the order of time, then unit. A span from the
// recording's first sample, or to its last, takes every event before or
// after it too, so an export of the whole has every event of the recording.
std::vector<RecordingEvent> SpanEvents(const RecordingReader &reader, SampleSpan span);

// The start time of the span in the data file's form: the recording's start
// plus the span's first sample number times the interval.
QString SpanStartTimeStr(const RecordingHeader &header, SampleSpan span);

// The settings and memo lines of the recording, the span's start time, and
// the span's samples when it fits the buffers (a missing sample is kNoData)
// and its events, timed from the span's start as the data held are.
FileResult LoadRecordingSpan(const RecordingReader &reader, SampleSpan span, ModuleData &md,
		const SampleReading &read = {});

// The exports refuse an empty span, and write nothing under a final name
// unless every file of the export is whole: a failure gives the system's
// reason, naming the file when it is not fileName.

// Writes fileName, or when the span needs more lines than one file takes,
// fileName's stem with "-001", "-002", …, each starting at the time of its
// first row, and the span's events beside them in fileName's stem with
// "-events" (EventsFileName); `written` gets the names of the data files.
FileResult ExportCsv(const RecordingReader &reader, SampleSpan span, const QString &fileName,
		CsvEncoding encoding, QStringList *written = nullptr,
		const SampleReading &read = {});
FileResult ExportDataFile(const RecordingReader &reader, SampleSpan span, const QString &fileName,
		const SampleReading &read = {});

// The samples of the unit numbered from..to-1, through `read` when it is set.
std::vector<float> ReadSpanSamples(const RecordingReader &reader, const SampleReading &read,
		int unit, uint64_t from, uint64_t to);

// The companion of a CSV export: its stem with "-events.csv". One line per
// event, "time_s,unit,kind,text", the time in seconds from the span's first
// sample (the start time of the first file), the unit empty for one of the
// whole run.
QString EventsFileName(const QString &fileName);

// The reason an export refuses an empty span.
QString EmptySpanText();

// The name of numbered file `number` (from 1) beside fileName.
QString NumberedFileName(const QString &fileName, int number);

} // namespace kelvra

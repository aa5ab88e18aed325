#include "SpanFiles.h"

#include "files/CsvFile.h"
#include "files/DataFile.h"
#include "files/MeasurementFiles.h"
#include "recording/RecordingExport.h"
#include "recording/RecordingHdf5.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

// The texts are the window's, as they were when it saved the span itself.
namespace kelvra {

FileResult SaveBufferSpan(const ModuleData &md, const QString &fileName, double from, double to)
{
	const double seconds = md.settings.IntervalTM / 1000.0;
	const auto offset = static_cast<double>(md.DataOffset); // a long run's rolled buffers
	const auto first = static_cast<int32_t>(std::max(std::ceil(from / seconds - offset), 1.0));
	const auto last = std::min(
			static_cast<int32_t>(std::floor(to / seconds - offset)), md.DataCount);
	if (md.TrgMode != kFalse || last < first)
		return FileResult::failure(QCoreApplication::translate(
				"kelvra::FormMain", "範囲にデータがありません。"));
	if (IsHdf5File(fileName))
		return FileResult::failure(QCoreApplication::translate(
				"kelvra::FormMain", "HDF5 には連続記録の範囲を保存できます。"));
	ModuleData span = md;
	for (int u = 0; u < kUnitCount; ++u) {
		std::copy(md.Channels[u].Data.begin() + (first - 1),
				md.Channels[u].Data.begin() + last, span.Channels[u].Data.begin());
		span.Channels[u].DataNum = md.Channels[u].inUse() ? last - first + 1 : 0;
	}
	span.DataCount = last - first + 1;
	if (FileTypeOf(fileName) == FileType::Csv)
		return SaveCsvFile(span, fileName);
	return SaveDataFile(span, fileName);
}

FileResult SaveRecordingSpan(
		const RecordingReader &recording, const QString &fileName, double from, double to)
{
	const SampleSpan span = SpanOfSeconds(recording, std::max(from, 0.0), to);
	if (IsHdf5File(fileName))
		return ExportHdf5(recording, span, fileName);
	if (FileTypeOf(fileName) == FileType::Csv)
		return ExportCsv(recording, span, fileName, CsvEncoding::CodePage932);
	if (span.size() > static_cast<uint64_t>(kBufferLength))
		return FileResult::failure(QCoreApplication::translate("kelvra::FormMain",
				"専用ファイルには 88000 データまで保存できます。"));
	return ExportDataFile(recording, span, fileName);
}

} // namespace kelvra

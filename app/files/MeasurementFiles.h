#pragma once

// What the save and read buttons decide before and after their dialogs:
// whether there is anything to save, the file types, and a save that keeps
// the memo lines only when the file was written.

#include "CsvFile.h"
#include "FileResult.h"
#include "core/ModuleData.h"

#include <QString>

#include <array>
#include <optional>

namespace kelvra {

enum class SaveState {
	NoData,         // nothing measured: say so
	TriggerPending, // a trigger capture still waits for its trigger: nothing to save yet
	Recorded,       // the buffers hold only the newest samples of a long recording
	Ready,
};

SaveState CheckSaveAllowed(const ModuleData &md);

enum class FileType { Csv, Dedicated };

struct FileTypeInfo {
	QString filter;
	QString suffix;
};

FileTypeInfo fileTypeInfo(FileType type);

// The type a file name's extension names, in either case; none for another.
std::optional<FileType> FileTypeOf(const QString &fileName);
// A long recording (.kvr), and its HDF5 export (.h5).
bool IsRecordingFile(const QString &fileName);
bool IsHdf5File(const QString &fileName);

// Writes the measurement as a file of that type, a CSV file in `encoding`.
FileResult SaveFileOfType(const ModuleData &md, const QString &fileName, FileType type,
		CsvEncoding encoding = CsvEncoding::CodePage932);

// A name without any extension gets `suffix`; one with an extension is used as typed.
QString WithDefaultExtension(const QString &fileName, const QString &suffix);

// Writes the measurement with these memo lines. MemoStr takes them only when
// the file was written, so a failed save leaves everything as it was.
FileResult SaveMeasurement(ModuleData &md, const QString &fileName, FileType type,
		const std::array<QString, 5> &memo);

} // namespace kelvra

#pragma once

// The CSV file for spreadsheets: lines in code page 932 ended by CR LF, text
// items in double quotation marks, numbers bare with a period. For readers in
// other locales the same file can be written in UTF-8 with a byte-order mark.

#include "FileResult.h"
#include "core/ModuleData.h"

#include <QByteArray>

#include <array>

namespace kelvra {

enum class CsvEncoding { CodePage932, Utf8 };

QByteArray EncodeCsvFile(const ModuleData &md, CsvEncoding encoding = CsvEncoding::CodePage932);

// The lines before the rows, for a file of md.DataCount rows.
QByteArray EncodeCsvHead(const ModuleData &md, CsvEncoding encoding = CsvEncoding::CodePage932);
// One row of the four units' values at `out`, which has room for a row of
// kCsvRowBytes; a unit not in use and a missing sample (NaN) are empty cells.
inline constexpr int kCsvRowBytes = kUnitCount * 32 + 4;
char *WriteCsvRow(char *out, const float *values, const std::array<bool, kUnitCount> &used);

// Whether the bytes begin as a CSV file written here does, in either encoding.
bool IsCsvExport(const QByteArray &head);

// Never destroys an existing file on failure.
FileResult SaveCsvFile(const ModuleData &md, const QString &fileName,
		CsvEncoding encoding = CsvEncoding::CodePage932);

} // namespace kelvra

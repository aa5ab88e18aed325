#pragma once

// The CSV file for spreadsheets: lines in code page 932 ended by CR LF, text
// items in double quotation marks, numbers bare with a period. For readers in
// other locales the same file can be written in UTF-8 with a byte-order mark.

#include "FileResult.h"
#include "core/ModuleData.h"

#include <QByteArray>

namespace kelvra {

enum class CsvEncoding { CodePage932, Utf8 };

QByteArray EncodeCsvFile(const ModuleData &md, CsvEncoding encoding = CsvEncoding::CodePage932);

// Never destroys an existing file on failure.
FileResult SaveCsvFile(const ModuleData &md, const QString &fileName,
		CsvEncoding encoding = CsvEncoding::CodePage932);

} // namespace kelvra

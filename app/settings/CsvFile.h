#pragma once

// The CSV file for spreadsheets: lines in code page 932 ended by CR LF, text
// items in double quotation marks, numbers bare with a period.

#include "FileResult.h"
#include "core/ModuleData.h"

#include <QByteArray>

namespace kelvra {

QByteArray EncodeCsvFile(const ModuleData &md);

// Never destroys an existing file on failure.
FileResult SaveCsvFile(const ModuleData &md, const QString &fileName);

} // namespace kelvra

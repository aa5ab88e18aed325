#pragma once

// The dedicated data file (.vn2): little-endian, packed fields, strings as an
// Int16 byte count and code page 932 bytes. A header with the settings and
// memo lines, rows of four Doubles (units 0..3 of one instant), then the
// unit settings.

#include "FileResult.h"
#include "core/ModuleData.h"

#include <QByteArray>

#include <array>
#include <optional>
#include <vector>

namespace kelvra {

struct DataFileHeader {
	QString startTime;
	std::array<QString, 5> memo;
	int16_t timerType = 0;
	int32_t interval = 0;
	int16_t average = 0;
	int16_t upperTrigger = 0;
	float upperLevel = 0.0f;
	int16_t lowerTrigger = 0;
	float lowerLevel = 0.0f;
	int32_t before = 0;
	int32_t after = 0;
	int16_t triggerUnit = 0;
	int32_t rowCount = 0;
};

struct DataFileUnitInfo {
	int16_t sing = 0;
	std::array<float, kUnitCount> power{};
	std::array<int16_t, kUnitCount> powerSing{};
	std::array<float, kUnitCount> capacity{};
};

struct DataFileContent {
	DataFileHeader header;
	std::vector<std::array<double, kUnitCount>> rows;
	std::optional<DataFileUnitInfo> unitInfo; // absent when the file ends after the rows
};

QByteArray EncodeDataFile(const ModuleData &md);
// nullopt with the reason when the bytes are no data file, or a cut-off one.
std::optional<DataFileContent> ParseDataFile(const QByteArray &bytes, QString *error);
// Reads and parses a file; nullopt with the reason when it is no data file.
std::optional<DataFileContent> LoadDataFileContent(const QString &fileName, QString *error);

// Never destroys an existing file on failure.
FileResult SaveDataFile(const ModuleData &md, const QString &fileName);

// Replaces the measurement state by the file's content; a file that cannot be
// read leaves the state cleared.
FileResult ReadDataFile(ModuleData &md, const QString &fileName);
// The same from bytes in memory.
FileResult ReadDataFileBytes(ModuleData &md, const QByteArray &bytes);
// The same from a file's content, parsed before (and changed, when a filter
// has been through its rows).
void ApplyDataFileContent(const DataFileContent &content, ModuleData &md);

// Writes bytes to a temporary file beside the target and replaces the target
// only when everything was written.
FileResult WriteWholeFile(const QString &fileName, const QByteArray &bytes);
// Whether WriteWholeFile could create or replace the file now, tried without
// touching it; the reason when it could not.
FileResult CheckWholeFileWritable(const QString &fileName);

} // namespace kelvra

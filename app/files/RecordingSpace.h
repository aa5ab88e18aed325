#pragma once

// How long the free space of a disk lasts for a long recording of the
// state's units, and the texts that say so.

#include "core/ModuleData.h"

#include <QString>

#include <optional>

namespace kelvra {

// Bytes a sample takes on the disk, summaries and framing included.
inline constexpr double kRecordingBytesPerSample = 4.4;

// What a long recording of the state's units in use writes a second.
double RecordingBytesPerSecond(const ModuleData &md);
// How long `bytesFree` lasts for the state's units in use at its interval.
double SecondsOfSpace(const ModuleData &md, qint64 bytesFree);
// "3日 4時間", "2時間 15分", "12分": a span of recording time.
QString SpanText(double seconds);
// The space left on the disk of `folder`, or nullopt when it is not known.
std::optional<qint64> FreeSpace(const QString &folder);
// Why a long recording of the state's units does not start in `folder`: its
// free space holds less than a minute of them. Empty when it may start.
QString CheckRecordingSpace(const ModuleData &md, const QString &folder);

} // namespace kelvra

#pragma once

#include "files/CsvFile.h"

#include "analysis/FilterDesign.h"

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace kelvra::cli {

// Exit statuses of the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // a device or file error
inline constexpr int kExitUsage = 2;   // bad usage or settings
inline constexpr int kExitAlarm = 3;   // record --fail-on-alarm ended the run at an alarm

// Each takes the command's arguments after its name.
int recordCommand(const QStringList &arguments);
int convertCommand(const QStringList &arguments);
int infoCommand(const QStringList &arguments);
int recoverCommand(const QStringList &arguments);
int analyzeCommand(const QStringList &arguments);

// The value of --csv-encoding: "cp932" (the format's own) or "utf-8".
std::optional<CsvEncoding> parseCsvEncoding(const QString &name);

// A long recording's convert and info.
int convertRecording(const QCommandLineParser &parser, const QString &in, const QString &out,
		CsvEncoding encoding, const std::optional<analysis::FilterSpec> &filter);
int infoRecording(const QString &in);

// Sets up its own application on the offscreen platform, so it takes main's arguments.
int printCommand(int argc, char *argv[]);

} // namespace kelvra::cli

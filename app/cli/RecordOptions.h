#pragma once

// The options of kelvra-cli record: their table (which also writes the
// command's --help), their reading and checks, and how they change the stored
// measuring conditions and limits.

#include "CommandLine.h"

#include "core/ModuleData.h"
#include "files/CsvFile.h"
#include "files/MeasurementFiles.h"
#include "hooks/HookCommand.h"
#include "hooks/HookEvent.h"
#include "hooks/MinFree.h"
#include "limits/UnitLimits.h"
#include "status/StatusOptions.h"

#include <QCommandLineParser>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace kelvra::cli {

struct OptionTable;

struct SensorOption {
	int unit;
	QString value;
	bool microstrain;
};

struct LimitOption {
	int unit;
	LimitLevel level;
	LimitSide side;
	QString value;
};

struct RecordOptions {
	QString out;
	FileType type = FileType::Dedicated;
	std::optional<QString> emulate;
	std::optional<std::array<bool, kUnitCount>> units;
	std::optional<QString> intervalSteps;
	std::optional<QString> intervalSeconds;
	std::optional<bool> average;
	std::optional<QString> upper;
	std::optional<QString> lower;
	bool noTrigger = false;
	std::optional<QString> pre;
	std::optional<QString> post;
	std::optional<int> triggerUnit;
	std::optional<int16_t> displayUnit;
	std::vector<SensorOption> ratedOutputs;
	std::vector<SensorOption> capacities;
	bool zero = false;
	std::optional<int32_t> samples;
	QStringList memos;
	bool progress = false;
	std::vector<LimitOption> limits;
	std::vector<std::pair<int, QString>> hystereses;
	bool failOnAlarm = false;
	CsvEncoding csvEncoding = CsvEncoding::CodePage932;
	// A long recording.
	bool continuous = false;
	QString folder;
	SplitPeriod split = SplitPeriod::None;
	std::optional<double> durationS;
	bool repeatTrigger = false;
	// Unattended runs: the program run for the run's events, the kinds it
	// runs for, and the least free space of a long recording's disk.
	std::optional<HookCommand> onEvent;
	HookKinds onEventKinds = HookKinds::all();
	std::optional<MinFree> minFree;
	// The interrupted recording (a .kvr file or its folder) to go on with,
	// and the options of the settings it has of its own, given anyway.
	std::optional<QString> resume;
	QStringList settingsOptions;
	// The status page of --serve, with its token if any.
	std::optional<StatusServerOptions> serve;
};

extern const OptionTable kRecordOptions;

// Throws UsageError when the options do not go together.
RecordOptions ParseRecordOptions(QCommandLineParser &parser);
// The stored conditions with the options, checked as the two settings dialogs
// check them, in the order a user meets them; the error when they refuse.
QString ApplyRecordSettings(const RecordOptions &o, ModuleData &md);
// The stored limits with those given on the command line, checked as the
// dialog "リミット設定" checks them. Throws UsageError when they refuse.
LimitSettings ApplyRecordLimits(
		const RecordOptions &o, const ModuleData &md, const LimitSettings &stored);

} // namespace kelvra::cli

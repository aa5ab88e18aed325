// kelvra-cli record: one measurement with the program's own run control,
// written with the program's own writers.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"
#include "ConsoleRunView.h"

#include "acquisition/UnitEntries.h"
#include "acquisition/VarnelLibrary.h"
#include "limits/LimitEntries.h"
#include "limits/LimitWatch.h"
#include "run/RecorderChain.h"
#include "run/RunControl.h"
#include "run/RunJournal.h"
#include "settings/DataFile.h"
#include "settings/MeasurementFiles.h"
#include "settings/QSettingsStore.h"
#include "settings/SettingEntries.h"
#include "settings/StartUpState.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace kelvra::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
	interrupted = 1;
}

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
};

struct UsageError {
	QString text;
};

const OptionTable kRecordOptions{"record",
		"Usage: kelvra-cli record --out FILE [options]\n"
		"Runs one measurement and writes FILE as a data file (.vn2) or CSV (.csv).\n"
		"Settings not given are taken from the stored measuring conditions; with\n"
		"emulated units and none stored, every described unit is in use, unit-timed\n"
		"at 100 ms, as in the window.\n"
		"Ctrl+C stops the run as the stop button does; the file is still written.\n"
		"\n",
		{
				{{{"out", "FILE"}}, "file to write (.vn2 or .csv)"},
				{{{"emulate", "DESCRIPTION"}},
						"use emulated units (VARNELIO_EMULATOR), e.g. demo"},
				{{{"units", "0,2"}}, "units in use"},
				{{{"interval-ms", "N"}},
						"unit-timed blocks every N ms (a multiple of 10)"},
				{{{"interval-s", "N"}}, "PC-timed single samples every N s"},
				{{{"average"}, {"no-average"}},
						"average the readings of each interval"},
				{{{"trigger-upper", "V"}}, "arm the upper-limit trigger at V"},
				{{{"trigger-lower", "V"}}, "arm the lower-limit trigger at V"},
				{{{"no-trigger"}}, "record without trigger"},
				{{{"pre", "N"}, {"post", "N"}},
						"samples kept before / taken after the trigger"},
				{{{"trigger-unit", "U"}}, "unit watched for the trigger"},
				{{{"display-unit", "UNIT"}}, "ue, kgf, tf, N, kN or MN"},
				{{{"rated-output", "U:VALUE:mV/V or U:VALUE:ue"}},
						"rated output of unit U"},
				{{{"capacity", "U:VALUE"}},
						"rated capacity of unit U, in the display unit"},
				{{{"zero"}}, "take each used unit's zero reference first"},
				{{{"samples", "N"}},
						"without trigger: stop once N samples are held"},
				{{{"memo", "TEXT"}}, "a memo line of the file (up to five times)"},
				{{{"progress"}},
						"a progress line per tick on standard error, even when\nit is no terminal"},
				{{{"csv-encoding", "NAME"}},
						"text of a .csv file: cp932 (default) or utf-8,\n"
						"which is written with a byte-order mark"},
				{{{"limit", "U:upper|lower:warning|alarm:VALUE"}},
						"watch unit U against a level, in the display\n"
						"unit (repeatable); each crossing and return is\n"
						"a line on standard error"},
				{{{"hysteresis", "U:VALUE"}},
						"how far a value of unit U must come back inside a\nlevel"},
				{{{"fail-on-alarm"}},
						"at the first alarm, end the run, write FILE and exit 3"},
		},
		"The run is journaled; when the program is killed, 'kelvra-cli recover' writes\n"
		"what it measured up to a second before.\n"};

int parseUnit(const QString &text)
{
	bool ok = false;
	const int unit = text.toInt(&ok);
	if (!ok || unit < 0 || unit >= kUnitCount)
		throw UsageError{QStringLiteral("unit '%1' is not 0 to 3").arg(text)};
	return unit;
}

int32_t parsePositive(const QString &option, const QString &text)
{
	bool ok = false;
	const int32_t value = text.toInt(&ok);
	if (!ok || value < 1)
		throw UsageError{QStringLiteral("--%1 takes a positive whole number").arg(option)};
	return value;
}

SensorOption parseSensor(const QString &option, const QString &text, bool withUnit)
{
	const QStringList parts = text.split(QLatin1Char(':'));
	if (parts.size() != (withUnit ? 3 : 2))
		throw UsageError{
				QStringLiteral("--%1 '%2' is not %3")
						.arg(option, text,
								withUnit ? QStringLiteral("U:VALUE:mV/V or U:VALUE:ue")
									 : QStringLiteral("U:VALUE"))};
	SensorOption sensor{parseUnit(parts[0]), parts[1], false};
	if (withUnit) {
		if (parts[2] == QLatin1String("ue"))
			sensor.microstrain = true;
		else if (parts[2] != QLatin1String("mV/V"))
			throw UsageError{QStringLiteral("--%1 unit '%2' is not mV/V or ue")
							 .arg(option, parts[2])};
	}
	return sensor;
}

LimitOption parseLimit(const QString &text)
{
	const QStringList parts = text.split(QLatin1Char(':'));
	const bool sideOk = parts.size() == 4 &&
			(parts[1] == QLatin1String("upper") || parts[1] == QLatin1String("lower"));
	const bool levelOk = parts.size() == 4 &&
			(parts[2] == QLatin1String("warning") ||
					parts[2] == QLatin1String("alarm"));
	if (!sideOk || !levelOk)
		throw UsageError{QStringLiteral(
				"--limit '%1' is not U:upper|lower:warning|alarm:VALUE")
						 .arg(text)};
	return {parseUnit(parts[0]),
			parts[2] == QLatin1String("alarm") ? LimitLevel::Alarm
							   : LimitLevel::Warning,
			parts[1] == QLatin1String("upper") ? LimitSide::Upper : LimitSide::Lower,
			parts[3]};
}

int16_t parseDisplayUnit(const QString &text)
{
	static const QStringList names{QStringLiteral("ue"), QStringLiteral("kgf"),
			QStringLiteral("tf"), QStringLiteral("N"), QStringLiteral("kN"),
			QStringLiteral("MN")};
	const auto index = names.indexOf(text);
	if (index < 0)
		throw UsageError{QStringLiteral(
				"--display-unit '%1' is not ue, kgf, tf, N, kN or MN")
						 .arg(text)};
	return static_cast<int16_t>(index);
}

RecordOptions parseOptions(QCommandLineParser &parser)
{
	RecordOptions o;
	auto value = [&](const char *name) -> std::optional<QString> {
		const QString key = QString::fromLatin1(name);
		return parser.isSet(key) ? std::optional(parser.value(key)) : std::nullopt;
	};
	o.out = value("out").value_or(QString());
	if (o.out.isEmpty())
		throw UsageError{QStringLiteral("--out FILE is required")};
	const auto type = FileTypeOf(o.out);
	if (!type)
		throw UsageError{QStringLiteral("--out must name a .vn2 or .csv file")};
	o.type = *type;

	if (const auto name = value("csv-encoding")) {
		if (o.type != FileType::Csv)
			throw UsageError{QStringLiteral("--csv-encoding goes with a .csv file")};
		const auto encoding = parseCsvEncoding(*name);
		if (!encoding)
			throw UsageError{QStringLiteral("--csv-encoding takes cp932 or utf-8")};
		o.csvEncoding = *encoding;
	}
	o.emulate = value("emulate");
	if (const auto units = value("units")) {
		std::array<bool, kUnitCount> ticked{};
		for (const QString &unit : units->split(QLatin1Char(','), Qt::SkipEmptyParts))
			ticked[parseUnit(unit.trimmed())] = true;
		o.units = ticked;
	}
	if (const auto ms = value("interval-ms")) {
		const int32_t n = parsePositive(QStringLiteral("interval-ms"), *ms);
		if (n % 10 != 0)
			throw UsageError{QStringLiteral("--interval-ms takes a multiple of 10")};
		o.intervalSteps = QString::number(n / 10);
	}
	o.intervalSeconds = value("interval-s");
	if (o.intervalSteps && o.intervalSeconds)
		throw UsageError{QStringLiteral("give --interval-ms or --interval-s, not both")};
	if (parser.isSet(QStringLiteral("average")))
		o.average = true;
	if (parser.isSet(QStringLiteral("no-average")))
		o.average = false;
	o.upper = value("trigger-upper");
	o.lower = value("trigger-lower");
	o.noTrigger = parser.isSet(QStringLiteral("no-trigger"));
	if (o.noTrigger && (o.upper || o.lower))
		throw UsageError{QStringLiteral(
				"--no-trigger goes with neither --trigger-upper nor --trigger-lower")};
	o.pre = value("pre");
	o.post = value("post");
	if (const auto unit = value("trigger-unit"))
		o.triggerUnit = parseUnit(*unit);
	if (const auto unit = value("display-unit"))
		o.displayUnit = parseDisplayUnit(*unit);
	for (const QString &text : parser.values(QStringLiteral("rated-output")))
		o.ratedOutputs.push_back(parseSensor(QStringLiteral("rated-output"), text, true));
	for (const QString &text : parser.values(QStringLiteral("capacity")))
		o.capacities.push_back(parseSensor(QStringLiteral("capacity"), text, false));
	o.zero = parser.isSet(QStringLiteral("zero"));
	if (const auto samples = value("samples"))
		o.samples = parsePositive(QStringLiteral("samples"), *samples);
	o.memos = parser.values(QStringLiteral("memo"));
	o.progress = parser.isSet(QStringLiteral("progress"));
	for (const QString &text : parser.values(QStringLiteral("limit")))
		o.limits.push_back(parseLimit(text));
	for (const QString &text : parser.values(QStringLiteral("hysteresis"))) {
		const SensorOption h = parseSensor(QStringLiteral("hysteresis"), text, false);
		o.hystereses.emplace_back(h.unit, h.value);
	}
	o.failOnAlarm = parser.isSet(QStringLiteral("fail-on-alarm"));
	if (o.memos.size() > 5)
		throw UsageError{QStringLiteral("--memo may be given at most five times")};
	return o;
}

void applyOptions(const RecordOptions &o, SettingEntries &entries, UnitEntries &units)
{
	if (o.units)
		entries.unitTicked = *o.units;
	if (o.intervalSteps) {
		entries.milliseconds = true;
		entries.timeSteps = *o.intervalSteps;
	}
	if (o.intervalSeconds) {
		entries.milliseconds = false;
		entries.timeSeconds = *o.intervalSeconds;
	}
	if (o.average)
		entries.average = *o.average;
	if (o.noTrigger || o.upper || o.lower) {
		entries.triggerTicked = {o.upper.has_value(), o.lower.has_value()};
		entries.triggerLevel = {o.upper.value_or(entries.triggerLevel[0]),
				o.lower.value_or(entries.triggerLevel[1])};
	}
	entries.triggerCount = {o.pre.value_or(entries.triggerCount[0]),
			o.post.value_or(entries.triggerCount[1])};
	if (o.triggerUnit)
		entries.triggerUnit = *o.triggerUnit;

	if (o.displayUnit)
		units.sing = *o.displayUnit;
	for (const SensorOption &rated : o.ratedOutputs) {
		units.power[rated.unit] = rated.value;
		units.powerInMicrostrain[rated.unit] = rated.microstrain;
	}
	for (const SensorOption &capacity : o.capacities)
		units.capacity[capacity.unit] = capacity.value;
}

// The checks of the two settings dialogs, in the order a user meets them.
QString applySettings(const RecordOptions &o, ModuleData &md)
{
	SettingEntries entries = LoadSettingEntries(md);
	UnitEntries units = LoadUnitData(md);
	applyOptions(o, entries, units);

	QString error = CheckUnits(entries);
	if (!error.isEmpty())
		return error;
	for (int i = 0; i < kUnitCount; ++i)
		md.Channels[i].Mflag = toFlag(entries.unitTicked[i]);
	error = CheckUnitData(units, md);
	if (!error.isEmpty())
		return error;
	SaveUnitData(units, md);
	md.SetRange();
	error = CheckSettings(entries, md);
	if (!error.isEmpty())
		return error;
	ApplySettings(entries, md);
	md.ClearMeasData();
	return {};
}

// The stored limits with those given on the command line, checked as the
// dialog "リミット設定" checks them.
LimitSettings applyLimits(const RecordOptions &o, const ModuleData &md, const LimitSettings &stored)
{
	LimitEntries entries = EntriesOf(stored);
	for (const LimitOption &limit : o.limits)
		entries[limit.unit].levels[static_cast<int>(limit.level)]
					  [static_cast<int>(limit.side)] = {true, limit.value};
	for (const auto &[unit, value] : o.hystereses)
		entries[unit].hysteresis = value;
	for (const LimitOption &limit : o.limits) {
		if (!md.Channels[limit.unit].inUse())
			throw UsageError{
					QStringLiteral("--limit names unit %1, which is not in use")
							.arg(limit.unit)};
	}
	const LimitCheck check = CheckLimits(entries, md, stored);
	if (!check.limits)
		throw UsageError{check.message};
	return *check.limits;
}

class Progress {
public:
	Progress(const ModuleData &md, bool forced)
		: md_(md), terminal_(isatty(STDERR_FILENO)), shown_(terminal_ || forced)
	{
		clock_.start();
	}

	void update()
	{
		if (!shown_)
			return;
		const char *phase = md_.TrgMode != kTrue ? "measuring"
				: md_.TrgOn == kTrue     ? "capturing"
							 : "waiting for trigger";
		std::fprintf(stderr, "%ssamples %d  elapsed %.1f s  %s   %s", terminal_ ? "\r" : "",
				md_.DataCount, clock_.elapsed() / 1000.0, phase,
				terminal_ ? "" : "\n");
		std::fflush(stderr);
	}

	void finish()
	{
		if (terminal_)
			std::fputc('\n', stderr);
	}

private:
	const ModuleData &md_;
	bool terminal_;
	bool shown_;
	QElapsedTimer clock_;
};

// Keeps exactly the first `samples` samples of a run without trigger.
void keepFirst(ModuleData &md, int32_t samples)
{
	if (md.DataCount <= samples)
		return;
	md.DataCount = samples;
	for (auto &channel : md.Channels)
		channel.DataNum = std::min(channel.DataNum, samples);
}

// A description of emulated units the device library would refuse.
QString emulatorError(const RecordOptions &o, VarnelLibrary &library)
{
	if (!o.emulate)
		return {};
	if (const QString reason = library.checkEmulator(*o.emulate); !reason.isEmpty())
		return QStringLiteral("--emulate: %1").arg(reason);
	return {};
}

int record(const RecordOptions &o)
{
	VarnelLibrary library;
	if (const QString error = emulatorError(o, library); !error.isEmpty()) {
		printError(error);
		return kExitUsage;
	}
	if (o.emulate)
		qputenv("VARNELIO_EMULATOR", o.emulate->toLocal8Bit());

	ModuleData md;
	const QStringList reset = LoadStartUpState(
			md, QSettingsStore(), qEnvironmentVariable("VARNELIO_EMULATOR"));
	if (!reset.isEmpty())
		printError(QStringLiteral(
				"stored measuring conditions no settings dialog would take are back at their defaults: %1")
						.arg(reset.join(QStringLiteral(", "))));
	if (const QString error = applySettings(o, md); !error.isEmpty()) {
		printError(error);
		return kExitUsage;
	}
	if (o.samples && md.TrgMode == kTrue) {
		printError(QStringLiteral("--samples goes with a run without trigger"));
		return kExitUsage;
	}
	LimitWatch limits;
	limits.monitor().setLimits(applyLimits(o, md, LoadLimits(QSettingsStore())));
	// Found out now, not once the measurement is over.
	if (const FileResult writable = CheckWholeFileWritable(o.out); !writable.ok) {
		printError(QStringLiteral("cannot write %1: %2").arg(o.out, writable.error));
		return kExitFailure;
	}

	ConsolePrompt prompt;
	DeviceControl devices(md, library, prompt);
	if (o.zero) {
		for (int u = 0; u < kUnitCount; ++u) {
			if (md.Channels[u].inUse() && !devices.TakeZeroReference(u, true))
				return kExitFailure;
		}
	}

	ConsoleRunView view;
	RunControl run(md, devices, prompt, view);
	RunJournal journal(prompt);
	journal.setEchoToStandardError(false); // the console prompt prints on standard error
	journal.setMemoLines(o.memos);
	journal.setSampleLimit(o.samples.value_or(0));
	RecorderChain recorders;
	recorders.add(&limits);
	recorders.add(&journal);
	run.setRecorder(&recorders);
	limits.onEvents = [&](const std::vector<LimitEvent> &events) {
		for (const LimitEvent &event : events) {
			const bool kept = !o.samples || event.sample <= *o.samples; // by the file
			if (kept)
				run.addEvent(RunEventOf(md, event));
		}
	};
	bool alarmed = false;
	QObject::connect(&run, &RunControl::eventAdded, [&](const RunEvent &event) {
		printError(QStringLiteral("event: ") + EventLine(event));
		alarmed = alarmed || event.kind == EventKind::Alarm;
	});
	Progress progress(md, o.progress);
	QEventLoop loop;
	QObject::connect(&run, &RunControl::runEnded, &loop, &QEventLoop::quit,
			Qt::QueuedConnection);
	QObject::connect(&run, &RunControl::tickDone, &loop, [&] {
		progress.update();
		if ((o.samples && md.DataCount >= *o.samples) || (alarmed && o.failOnAlarm))
			run.cmdStop_Click();
	});
	QTimer interruptPoll;
	QObject::connect(&interruptPoll, &QTimer::timeout, &loop, [&] {
		if (interrupted)
			run.cmdStop_Click();
	});
	std::signal(SIGINT, onInterrupt);
	interruptPoll.start(100);

	run.cmdStart_Click();
	if (md.MeasFlag != kTrue)
		return kExitFailure; // the reason has been printed
	for (int u = 0; u < kUnitCount; ++u) {
		if (o.zero && md.Channels[u].inUse())
			run.addEvent({0.0, u, EventKind::Zero, {}});
	}
	loop.exec();
	progress.finish();

	if (o.samples)
		keepFirst(md, *o.samples);
	for (int i = 0; i < o.memos.size(); ++i)
		md.MemoStr[i] = o.memos[i];
	const FileResult written = SaveFileOfType(md, o.out, o.type, o.csvEncoding);
	if (!written.ok) {
		printError(QStringLiteral("cannot write %1: %2").arg(o.out, written.error));
		if (journal.Flush())
			printError(QStringLiteral(
					"the run is kept in %1; 'kelvra-cli recover --out FILE' writes it")
							.arg(journal.fileName()));
		else if (!journal.fileName().isEmpty())
			printError(QStringLiteral("the run journal %1 is not whole either: %2")
							.arg(journal.fileName(),
									journal.failure()));
		return kExitFailure;
	}
	journal.Discard(); // the data are safe in the file
	if (interrupted)
		printError(QStringLiteral("stopped by Ctrl+C; %1 holds %2 samples")
						.arg(o.out)
						.arg(md.DataCount));
	if (alarmed && o.failOnAlarm) {
		printError(QStringLiteral("stopped at an alarm; %1 holds %2 samples")
						.arg(o.out)
						.arg(md.DataCount));
		return kExitAlarm;
	}
	if (run.lastEnd() == RunControl::RunEnd::DeviceError) {
		printError(QStringLiteral(
				"the run ended on a device error; %1 holds the %2 samples taken before it")
						.arg(o.out)
						.arg(md.DataCount));
		return kExitFailure;
	}
	return kExitOk;
}

} // namespace

int recordCommand(const QStringList &arguments)
{
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kRecordOptions, arguments, parser))
		return *answered;
	if (!parser.positionalArguments().isEmpty()) {
		printError(QStringLiteral("unexpected argument '%1'")
						.arg(parser.positionalArguments().first()));
		return kExitUsage;
	}
	try {
		return record(parseOptions(parser));
	} catch (const UsageError &error) {
		printError(error.text);
		return kExitUsage;
	}
}

} // namespace kelvra::cli

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
#include "recording/LongRecording.h"
#include "recording/RepeatedCapture.h"
#include "run/RecorderChain.h"
#include "run/RunControl.h"
#include "run/RunJournal.h"
#include "settings/DataFile.h"
#include "settings/MeasurementFiles.h"
#include "settings/QSettingsStore.h"
#include "settings/SettingEntries.h"
#include "settings/StartUpState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <functional>
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
	// A long recording.
	bool continuous = false;
	QString folder;
	SplitPeriod split = SplitPeriod::None;
	std::optional<double> durationS;
	bool repeatTrigger = false;
};

struct UsageError {
	QString text;
};

const OptionTable kRecordOptions{"record",
		"Usage: kelvra-cli record --out FILE [options]\n"
		"       kelvra-cli record --continuous --out FILE.kvr|--folder DIR [options]\n"
		"Runs one measurement and writes FILE as a data file (.vn2) or CSV (.csv);\n"
		"with --continuous, records straight to a .kvr file until stopped.\n"
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
				{{{"continuous"}},
						"a long recording: every sample goes to a .kvr file\n"
						"as it is measured, the run ends on Ctrl+C, --duration\n"
						"or --samples"},
				{{{"folder", "DIR"}},
						"with --continuous: record into DIR, the file named\n"
						"by the start time (kelvra-YYYYMMDD-HHMMSS.kvr)"},
				{{{"split", "none|1h|1d"}},
						"with --continuous: a new part every hour or day of\n"
						"measurement time"},
				{{{"duration", "90s|30m|12h|2d"}},
						"with --continuous: the measurement time to record"},
				{{{"repeat-trigger"}},
						"with --continuous and a trigger: save each capture\n"
						"as a numbered .vn2 file beside the recording and\n"
						"arm the trigger again"},
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

SplitPeriod parseSplit(const QString &text)
{
	if (text == QLatin1String("none"))
		return SplitPeriod::None;
	if (text == QLatin1String("1h"))
		return SplitPeriod::Hour;
	if (text == QLatin1String("1d"))
		return SplitPeriod::Day;
	throw UsageError{QStringLiteral("--split '%1' is not none, 1h or 1d").arg(text)};
}

double parseDuration(const QString &text)
{
	static const std::pair<QChar, double> units[] = {{QLatin1Char('s'), 1.0},
			{QLatin1Char('m'), 60.0}, {QLatin1Char('h'), 3600.0},
			{QLatin1Char('d'), 86400.0}};
	for (const auto &[suffix, seconds] : units) {
		bool ok = false;
		const double n = text.endsWith(suffix) ? text.chopped(1).toDouble(&ok) : 0.0;
		if (ok && n > 0.0 && std::isfinite(n))
			return n * seconds;
	}
	throw UsageError{QStringLiteral("--duration '%1' is not a time such as 90s, 30m, 12h or 2d")
					 .arg(text)};
}

// The options of a long recording, checked together.
void parseContinuous(QCommandLineParser &parser, RecordOptions &o)
{
	o.continuous = parser.isSet(QStringLiteral("continuous"));
	o.folder = parser.value(QStringLiteral("folder"));
	o.repeatTrigger = parser.isSet(QStringLiteral("repeat-trigger"));
	const bool longOnly = !o.folder.isEmpty() || parser.isSet(QStringLiteral("split")) ||
			parser.isSet(QStringLiteral("duration")) || o.repeatTrigger;
	if (!o.continuous) {
		if (longOnly)
			throw UsageError{
					QStringLiteral("--folder, --split, --duration and "
						       "--repeat-trigger go with --continuous")};
		return;
	}
	if (o.out.isEmpty() == o.folder.isEmpty())
		throw UsageError{QStringLiteral(
				"--continuous takes --out FILE.kvr or --folder DIR")};
	if (!o.out.isEmpty() && !IsRecordingFile(o.out))
		throw UsageError{QStringLiteral("--out of a long recording must name a .kvr file")};
	if (parser.isSet(QStringLiteral("split")))
		o.split = parseSplit(parser.value(QStringLiteral("split")));
	if (parser.isSet(QStringLiteral("duration")))
		o.durationS = parseDuration(parser.value(QStringLiteral("duration")));
	if (o.durationS && parser.isSet(QStringLiteral("samples")))
		throw UsageError{QStringLiteral("give --duration or --samples, not both")};
}

RecordOptions parseOptions(QCommandLineParser &parser)
{
	RecordOptions o;
	auto value = [&](const char *name) -> std::optional<QString> {
		const QString key = QString::fromLatin1(name);
		return parser.isSet(key) ? std::optional(parser.value(key)) : std::nullopt;
	};
	o.out = value("out").value_or(QString());
	parseContinuous(parser, o);
	if (o.out.isEmpty() && !o.continuous)
		throw UsageError{QStringLiteral("--out FILE is required")};
	if (!o.continuous) {
		const auto type = FileTypeOf(o.out);
		if (!type)
			throw UsageError{QStringLiteral("--out must name a .vn2 or .csv file")};
		o.type = *type;
	}

	if (const auto name = value("csv-encoding")) {
		if (o.continuous || o.type != FileType::Csv)
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
		std::fprintf(stderr, "%ssamples %lld  elapsed %.1f s  %s   %s",
				terminal_ ? "\r" : "",
				static_cast<long long>(md_.DataOffset + md_.DataCount),
				clock_.elapsed() / 1000.0, phase, terminal_ ? "" : "\n");
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

// Runs the measurement until it ends: a stop once `stopNow` says so after a
// tick, or on Ctrl+C. False when it did not start (the reason was printed).
bool runToEnd(RunControl &run, const ModuleData &md, Progress &progress,
		const std::function<bool()> &stopNow)
{
	QEventLoop loop;
	QObject::connect(&run, &RunControl::runEnded, &loop, &QEventLoop::quit,
			Qt::QueuedConnection);
	QObject::connect(&run, &RunControl::tickDone, &loop, [&] {
		progress.update();
		if (stopNow())
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
		return false;
	loop.exec();
	progress.finish();
	return true;
}

// Prints the limit events of each tick, up to `lastSample`; `alarmed` is set
// at the first alarm.
void printLimitEvents(LimitWatch &limits, const ModuleData &md, int64_t lastSample, bool &alarmed)
{
	limits.onEvents = [&md, lastSample, &alarmed](const std::vector<LimitEvent> &events) {
		for (const LimitEvent &event : events) {
			if (lastSample > 0 && event.sample > lastSample)
				continue; // beyond what the file keeps
			printError(QStringLiteral("event: ") + LimitEventLine(md, event));
			alarmed = alarmed || event.kind == LimitEvent::Kind::Alarm;
		}
	};
}

QString spanInEnglish(double seconds)
{
	const auto minutes = static_cast<qint64>(seconds / 60.0);
	if (minutes >= 24 * 60)
		return QStringLiteral("%1 d %2 h").arg(minutes / (24 * 60)).arg(minutes / 60 % 24);
	if (minutes >= 60)
		return QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
	return QStringLiteral("%1 min").arg(minutes);
}

// The folder or file of a long recording can be written; says how long
// its free space lasts.
QString checkRecordingTarget(const RecordOptions &o, const ModuleData &md)
{
	const QString folder = o.folder.isEmpty() ? QFileInfo(o.out).absolutePath() : o.folder;
	if (o.folder.isEmpty()) {
		if (const FileResult writable = CheckWholeFileWritable(o.out); !writable.ok)
			return QStringLiteral("cannot write %1: %2").arg(o.out, writable.error);
	} else {
		if (!QFileInfo(folder).isDir())
			return QStringLiteral("cannot record into %1: no such folder").arg(folder);
		QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kelvra-XXXXXX")));
		if (!probe.open())
			return QStringLiteral("cannot record into %1: %2")
					.arg(folder, probe.errorString());
	}
	if (const auto free = FreeSpace(folder))
		printError(QStringLiteral("the free space in %1 lasts about %2 at this interval")
						.arg(folder,
								spanInEnglish(SecondsOfSpace(
										md, *free))));
	return {};
}

int recordLong(const RecordOptions &o, ModuleData &md, RunControl &run, LimitWatch &limits)
{
	if (const QString error = checkRecordingTarget(o, md); !error.isEmpty()) {
		printError(error);
		return kExitFailure;
	}
	const bool triggerSet = md.TrgMaxFlag == kTrue || md.TrgMinFlag == kTrue;
	if (o.repeatTrigger && !triggerSet) {
		printError(QStringLiteral(
				"--repeat-trigger needs --trigger-upper or --trigger-lower"));
		return kExitUsage;
	}
	if (triggerSet && !o.repeatTrigger)
		printError(QStringLiteral(
				"the trigger is not used: a long recording takes it with "
				"--repeat-trigger"));
	LongRecording recording(
			o.folder.isEmpty() ? o.out : o.folder, !o.folder.isEmpty(), o.split);
	RepeatedCapture captures(o.folder.isEmpty() ? QFileInfo(o.out).absolutePath() : o.folder);
	captures.onSaved = [](const QString &file) {
		printError(QStringLiteral("trigger capture saved: %1")
						.arg(QDir::toNativeSeparators(file)));
	};
	bool captureFailed = false;
	captures.onFailed = [&](const QString &text) {
		printError(QStringLiteral("cannot save a trigger capture: %1").arg(text));
		captureFailed = true;
	};
	recording.setMemoLines(o.memos);
	const double interval = md.IntervalTM / 1000.0;
	const auto limit = static_cast<uint64_t>(o.samples ? *o.samples
					: o.durationS      ? std::llround(*o.durationS / interval)
							   : 0);
	recording.setSampleLimit(limit);
	recording.onNotice = [](const QString &text) { printError(text); };
	RecorderChain recorders;
	recorders.add(&recording);
	if (o.repeatTrigger)
		recorders.add(&captures);
	recorders.add(&limits);
	run.setRecorder(&recorders);
	run.setLongRun(true);
	bool alarmed = false;
	printLimitEvents(limits, md, static_cast<int64_t>(limit), alarmed);
	bool unitLost = false;
	QObject::connect(&run, &RunControl::eventAdded, [&](const RunEvent &event) {
		printError(QStringLiteral("event: ") + RunEventLine(event));
		unitLost = unitLost || event.kind == EventKind::Dropout;
	});

	Progress progress(md, o.progress);
	if (!runToEnd(run, md, progress, [&] {
		    return recording.limitReached(md) || (alarmed && o.failOnAlarm);
	    }))
		return kExitFailure;
	const QString file = QDir::toNativeSeparators(recording.currentFile());
	const qint64 samples = md.DataOffset + md.DataCount;
	if (interrupted)
		printError(QStringLiteral("stopped by Ctrl+C; %1 holds %2 samples per unit")
						.arg(file)
						.arg(samples));
	if (alarmed && o.failOnAlarm) {
		printError(QStringLiteral("stopped at an alarm; %1 is written").arg(file));
		return kExitAlarm;
	}
	if (recording.lostToDisk()) {
		printError(QStringLiteral(
				"samples were lost to the disk (%1); %2 holds all the others")
						.arg(recording.diskError(), file));
		return kExitFailure;
	}
	if (captureFailed)
		return kExitFailure;
	if (unitLost) {
		printError(QStringLiteral(
				"a unit was lost during the recording; %1 holds the gap as missing samples")
						.arg(file));
		return kExitFailure;
	}
	return kExitOk;
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
	if (o.samples && md.TrgMode == kTrue && !o.continuous) {
		printError(QStringLiteral("--samples goes with a run without trigger"));
		return kExitUsage;
	}
	LimitWatch limits;
	limits.monitor().setLimits(applyLimits(o, md, LoadLimits(QSettingsStore())));
	// Found out now, not once the measurement is over.
	if (!o.continuous) {
		if (const FileResult writable = CheckWholeFileWritable(o.out); !writable.ok) {
			printError(QStringLiteral("cannot write %1: %2")
							.arg(o.out, writable.error));
			return kExitFailure;
		}
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
	if (o.continuous)
		return recordLong(o, md, run, limits);
	RunJournal journal(prompt);
	journal.setEchoToStandardError(false); // the console prompt prints on standard error
	journal.setMemoLines(o.memos);
	journal.setSampleLimit(o.samples.value_or(0));
	RecorderChain recorders;
	recorders.add(&journal);
	recorders.add(&limits);
	run.setRecorder(&recorders);
	bool alarmed = false;
	printLimitEvents(limits, md, o.samples.value_or(0), alarmed);
	Progress progress(md, o.progress);
	if (!runToEnd(run, md, progress, [&] {
		    return (o.samples && md.DataCount >= *o.samples) || (alarmed && o.failOnAlarm);
	    }))
		return kExitFailure;

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

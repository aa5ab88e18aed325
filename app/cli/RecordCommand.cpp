// kelvra-cli record: one measurement with the program's own run control,
// written with the program's own writers.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"
#include "ConsoleRunView.h"

#include "acquisition/UnitEntries.h"
#include "acquisition/VarnelLibrary.h"
#include "files/DataFile.h"
#include "files/MeasurementFiles.h"
#include "limits/LimitEntries.h"
#include "limits/LimitWatch.h"
#include "recording/LongRecording.h"
#include "recording/RepeatedCapture.h"
#include "run/EventText.h"
#include "run/RecorderChain.h"
#include "run/RunControl.h"
#include "run/RunJournal.h"
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

// The signal that stopped the run: SIGINT (Ctrl+C), SIGTERM or SIGHUP; 0 while none did.
volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int signal)
{
	stopSignal = signal;
}

// "Ctrl+C", "SIGTERM" or "SIGHUP": what stopped the run, as the user gave it.
QString stopSignalName()
{
	return stopSignal == SIGINT             ? QStringLiteral("Ctrl+C")
			: stopSignal == SIGTERM ? QStringLiteral("SIGTERM")
						: QStringLiteral("SIGHUP");
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
		QT_TRANSLATE_NOOP("CliText",
				"使い方: kelvra-cli record --out FILE [options]\n"
				"        kelvra-cli record --continuous --out FILE.kvr|--folder DIR [options]\n"
				"測定を一回行い、FILE をデータファイル (.vn2) か CSV (.csv) として書き出します。\n"
				"--continuous では止めるまで .kvr ファイルに直接記録します。\n"
				"指定のない設定は保存された測定条件から取ります。エミュレータのユニットで\n"
				"保存された条件がなければ、ウィンドウと同じく記述した全ユニットを使用し、\n"
				"ユニット計時の 100 ms で測定します。\n"
				"Ctrl+C (SIGTERM、SIGHUP も) は停止ボタンと同じく測定を止め、\n"
				"ファイルはそれでも書き出します。\n"
				"\n"),
		{
				{{{"out", "FILE"}},
						QT_TRANSLATE_NOOP("CliText",
								"書き出すファイル (.vn2 か .csv)")},
				{{{"emulate", "DESCRIPTION"}},
						QT_TRANSLATE_NOOP("CliText",
								"エミュレータのユニットを使う (VARNELIO_EMULATOR)。例: demo")},
				{{{"units", "0,2"}}, QT_TRANSLATE_NOOP("CliText", "使用ユニット")},
				{{{"interval-ms", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット計時で N ms ごと (10の倍数)")},
				{{{"interval-s", "N"}},
						QT_TRANSLATE_NOOP("CliText", "PC計時で N 秒ごと")},
				{{{"average"}, {"no-average"}},
						QT_TRANSLATE_NOOP("CliText",
								"各測定間隔の値を平均化する")},
				{{{"trigger-upper", "V"}},
						QT_TRANSLATE_NOOP("CliText",
								"上限トリガを V に設定する")},
				{{{"trigger-lower", "V"}},
						QT_TRANSLATE_NOOP("CliText",
								"下限トリガを V に設定する")},
				{{{"no-trigger"}},
						QT_TRANSLATE_NOOP(
								"CliText", "トリガなしで測定する")},
				{{{"pre", "N"}, {"post", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"トリガ前に残す / トリガ後に取るデータ数")},
				{{{"trigger-unit", "U"}},
						QT_TRANSLATE_NOOP(
								"CliText", "トリガを見るユニット")},
				{{{"display-unit", "UNIT"}},
						QT_TRANSLATE_NOOP("CliText",
								"ue、kgf、tf、N、kN、MN のいずれか")},
				{{{"rated-output", "U:VALUE:mV/V or U:VALUE:ue"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U の定格出力")},
				{{{"capacity", "U:VALUE"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U の定格容量 (表示単位で)")},
				{{{"zero"}},
						QT_TRANSLATE_NOOP("CliText",
								"先に各使用ユニットのゼロ点を取る")},
				{{{"samples", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"トリガなしのとき: データが N 個になったら止める")},
				{{{"memo", "TEXT"}},
						QT_TRANSLATE_NOOP("CliText",
								"ファイルのメモ行 (五回まで)")},
				{{{"progress"}},
						QT_TRANSLATE_NOOP("CliText",
								"標準エラーに一回の読み取りごとに進行状況を一行、\n"
								"端末でなくても出す")},
				{{{"csv-encoding", "NAME"}},
						QT_TRANSLATE_NOOP("CliText",
								".csv ファイルの文字コード: cp932 (既定) か utf-8\n"
								"(utf-8 はバイトオーダーマーク付き)")},
				{{{"limit", "U:upper|lower:warning|alarm:VALUE"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U をレベルで監視する (表示単位、\n"
								"繰り返し可)。超えたときと戻ったときに\n"
								"標準エラーに一行ずつ出す")},
				{{{"hysteresis", "U:VALUE"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U の値がレベルの内側へどれだけ\n"
								"戻る必要があるか")},
				{{{"fail-on-alarm"}},
						QT_TRANSLATE_NOOP("CliText",
								"最初の異常でそのティックのうちに測定を終え、\n"
								"その異常のデータまでを FILE に書き出して\n"
								"3 で終了する")},
				{{{"continuous"}},
						QT_TRANSLATE_NOOP("CliText",
								"長時間記録: 測定したデータを次々に .kvr ファイルへ\n"
								"書き込み、Ctrl+C、--duration か --samples で\n"
								"測定を終える")},
				{{{"folder", "DIR"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous のとき: DIR に記録し、ファイル名は\n"
								"開始時刻 (kelvra-YYYYMMDD-HHMMSS.kvr)")},
				{{{"split", "none|1h|1d"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous のとき: 測定時間の一時間か一日ごとに\n"
								"新しい部分にする")},
				{{{"duration", "90s|30m|12h|2d"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous のとき: 記録する測定時間")},
				{{{"repeat-trigger"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous とトリガのとき: 取込みごとに記録の\n"
								"隣に番号付きの .vn2 ファイルを保存し、\n"
								"トリガを再び掛ける")},
		},
		QT_TRANSLATE_NOOP("CliText",
				"測定は控えに記録します。プログラムが強制終了されても、'kelvra-cli recover' で\n"
				"その一秒前までに測定したデータを書き出せます。\n")};

int parseUnit(const QString &text)
{
	bool ok = false;
	const int unit = text.toInt(&ok);
	if (!ok || unit < 0 || unit >= kUnitCount)
		throw UsageError{CliText::tr("ユニット '%1' が0〜3ではありません").arg(text)};
	return unit;
}

int32_t parsePositive(const QString &option, const QString &text)
{
	bool ok = false;
	const int32_t value = text.toInt(&ok);
	if (!ok || value < 1)
		throw UsageError{CliText::tr("--%1 には正の整数を指定します").arg(option)};
	return value;
}

SensorOption parseSensor(const QString &option, const QString &text, bool withUnit)
{
	const QStringList parts = text.split(QLatin1Char(':'));
	if (parts.size() != (withUnit ? 3 : 2))
		throw UsageError{
				CliText::tr("--%1 '%2' が %3 の形ではありません")
						.arg(option, text,
								withUnit ? QStringLiteral("U:VALUE:mV/V or U:VALUE:ue")
									 : QStringLiteral("U:VALUE"))};
	SensorOption sensor{parseUnit(parts[0]), parts[1], false};
	if (withUnit) {
		if (parts[2] == QLatin1String("ue"))
			sensor.microstrain = true;
		else if (parts[2] != QLatin1String("mV/V"))
			throw UsageError{CliText::tr(
					"--%1 の単位 '%2' が mV/V でも ue でもありません")
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
		throw UsageError{CliText::tr(
				"--limit '%1' が U:upper|lower:warning|alarm:VALUE の形ではありません")
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
		throw UsageError{CliText::tr(
				"--display-unit '%1' が ue、kgf、tf、N、kN、MN のいずれでもありません")
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
	throw UsageError{CliText::tr("--split '%1' が none、1h、1d のいずれでもありません")
					 .arg(text)};
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
	throw UsageError{CliText::tr(
			"--duration '%1' が 90s、30m、12h、2d のような時間ではありません")
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
			throw UsageError{CliText::tr(
					"--folder、--split、--duration、--repeat-trigger は "
					"--continuous と一緒に指定します")};
		return;
	}
	if (o.out.isEmpty() == o.folder.isEmpty())
		throw UsageError{CliText::tr(
				"--continuous には --out FILE.kvr か --folder DIR を指定します")};
	if (!o.out.isEmpty() && !IsRecordingFile(o.out))
		throw UsageError{CliText::tr("長時間記録の --out には .kvr ファイルを指定します")};
	if (parser.isSet(QStringLiteral("split")))
		o.split = parseSplit(parser.value(QStringLiteral("split")));
	if (parser.isSet(QStringLiteral("duration")))
		o.durationS = parseDuration(parser.value(QStringLiteral("duration")));
	if (o.durationS && parser.isSet(QStringLiteral("samples")))
		throw UsageError{CliText::tr(
				"--duration と --samples はどちらか一方だけを指定します")};
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
		throw UsageError{CliText::tr("--out FILE を指定して下さい")};
	if (!o.continuous) {
		const auto type = FileTypeOf(o.out);
		if (!type)
			throw UsageError{CliText::tr(
					"--out には .vn2 か .csv ファイルを指定します")};
		o.type = *type;
	}

	if (const auto name = value("csv-encoding")) {
		if (o.continuous || o.type != FileType::Csv)
			throw UsageError{CliText::tr(
					"--csv-encoding は .csv ファイルにだけ指定できます")};
		const auto encoding = parseCsvEncoding(*name);
		if (!encoding)
			throw UsageError{CliText::tr(
					"--csv-encoding には cp932 か utf-8 を指定します")};
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
			throw UsageError{CliText::tr("--interval-ms には10の倍数を指定します")};
		o.intervalSteps = QString::number(n / 10);
	}
	o.intervalSeconds = value("interval-s");
	if (o.intervalSteps && o.intervalSeconds)
		throw UsageError{CliText::tr(
				"--interval-ms と --interval-s はどちらか一方だけを指定します")};
	if (parser.isSet(QStringLiteral("average")))
		o.average = true;
	if (parser.isSet(QStringLiteral("no-average")))
		o.average = false;
	o.upper = value("trigger-upper");
	o.lower = value("trigger-lower");
	o.noTrigger = parser.isSet(QStringLiteral("no-trigger"));
	if (o.noTrigger && (o.upper || o.lower))
		throw UsageError{CliText::tr(
				"--no-trigger は --trigger-upper とも --trigger-lower とも一緒に指定できません")};
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
		throw UsageError{CliText::tr("--memo は五回までしか指定できません")};
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
			throw UsageError{CliText::tr(
					"--limit のユニット %1 は使用ユニットではありません")
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
		const QString phase = md_.TrgMode != kTrue ? CliText::tr("測定中")
				: md_.TrgOn == kTrue       ? CliText::tr("取込み中")
							   : CliText::tr("トリガ待ち");
		const QString line = CliText::tr("データ数 %1  経過 %2 s  %3")
						     .arg(md_.DataOffset + md_.DataCount)
						     .arg(clock_.elapsed() / 1000.0, 0, 'f', 1)
						     .arg(phase);
		std::fprintf(stderr, "%s%s   %s", terminal_ ? "\r" : "",
				line.toLocal8Bit().constData(), terminal_ ? "" : "\n");
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

// Keeps the samples of the run up to its sample `last` (from 1; 0: all): the
// first ones without trigger, those of the captured window up to it with one.
void keepUpTo(ModuleData &md, const ModuleTrgData &trigger, int64_t last)
{
	if (last < 1 || (md.TrgMode == kTrue && md.TrgOn != kTrue))
		return;
	const int64_t first = md.TrgMode == kTrue
			? trigger.triggerSample() - std::max(md.TrgDnum1, 0)
			: 1; // the run's sample held first
	keepFirst(md, static_cast<int32_t>(std::clamp<int64_t>(last - first + 1, 0, md.DataCount)));
}

// A description of emulated units the device library would refuse.
QString emulatorError(const RecordOptions &o, VarnelLibrary &library)
{
	if (!o.emulate)
		return {};
	if (const QString reason = library.checkEmulator(*o.emulate); !reason.isEmpty())
		return CliText::tr("--emulate: %1").arg(reason);
	return {};
}

// Runs the measurement until it ends: a stop once `stopNow` says so after a
// tick, or on Ctrl+C, SIGTERM or SIGHUP. False when it did not start (the
// reason was printed).
bool runToEnd(RunControl &run, const ModuleData &md, Progress &progress,
		const std::function<bool()> &stopNow)
{
	QEventLoop loop;
	QObject::connect(&run, &RunControl::runEnded, &loop, &QEventLoop::quit,
			Qt::QueuedConnection);
	QObject::connect(&run, &RunControl::tickDone, &loop, [&] {
		progress.update();
		if (stopNow())
			run.stopRun();
	});
	QTimer interruptPoll;
	QObject::connect(&interruptPoll, &QTimer::timeout, &loop, [&] {
		if (stopSignal)
			run.stopRun();
	});
	for (const int signal : {SIGINT, SIGTERM, SIGHUP})
		std::signal(signal, onStopSignal);
	interruptPoll.start(100);

	run.startRun();
	if (md.MeasFlag != kTrue)
		return false;
	loop.exec();
	progress.finish();
	return true;
}

struct EventsSeen {
	bool alarm = false;
	int dropouts = 0;
};

// The samples per unit that the run's file keeps: all (0), those of --samples
// or --duration, and with --fail-on-alarm none after the first alarm's.
struct KeptSamples {
	int64_t last = 0;
	bool upToAlarm = false;

	bool keeps(int64_t sample) const { return last < 1 || sample <= last; }
};

// The sample of the tick's first alarm, in time: the events of a tick come unit by unit.
int64_t firstAlarm(const std::vector<LimitEvent> &events)
{
	int64_t first = 0;
	for (const LimitEvent &event : events) {
		if (event.kind == LimitEvent::Kind::Alarm && (first == 0 || event.sample < first))
			first = event.sample;
	}
	return first;
}

// Hands the limit events of each tick that the file keeps to the run, cutting
// the file at the first alarm when `kept` says so (and telling `onCut`);
// prints every event of the run as it happens and notes whether there was an
// alarm or a lost unit.
void followEvents(RunControl &run, LimitWatch &limits, const ModuleData &md, KeptSamples &kept,
		EventsSeen &seen, const std::function<void()> &onCut = {})
{
	limits.onEvents = [&run, &md, &kept, onCut](const std::vector<LimitEvent> &events) {
		const int64_t alarm = firstAlarm(events);
		if (kept.upToAlarm && alarm > 0 && kept.keeps(alarm)) {
			kept.last = alarm;
			if (onCut)
				onCut();
		}
		for (const LimitEvent &event : events) {
			if (kept.keeps(event.sample))
				run.addEvent(RunEventOf(md, event));
		}
	};
	QObject::connect(&run, &RunControl::eventAdded, [&seen](const RunEvent &event) {
		printError(CliText::tr("イベント: %1").arg(EventLine(event)));
		seen.alarm = seen.alarm || event.kind == EventKind::Alarm;
		seen.dropouts += event.kind == EventKind::Dropout;
	});
}

QString recordingFolder(const RecordOptions &o)
{
	return o.folder.isEmpty() ? QFileInfo(o.out).absolutePath() : o.folder;
}

// Why the folder or file of a long recording cannot be written; empty when it can.
QString checkRecordingTarget(const RecordOptions &o)
{
	const QString folder = recordingFolder(o);
	if (o.folder.isEmpty()) {
		if (const FileResult writable = CheckWholeFileWritable(o.out); !writable.ok)
			return CliText::tr("%1 に書き込めません: %2").arg(o.out, writable.error);
	} else {
		if (!QFileInfo(folder).isDir())
			return CliText::tr("%1 に記録できません: フォルダがありません").arg(folder);
		QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kelvra-XXXXXX")));
		if (!probe.open())
			return CliText::tr("%1 に記録できません: %2")
					.arg(folder, probe.errorString());
	}
	return {};
}

// The closing lines of a long recording: how it ended, the file that opens
// it with its samples, and every part on the disk.
void tellRecorded(const LongRecording::OnDisk &recorded, bool atAlarm)
{
	const QString first = QDir::toNativeSeparators(recorded.first);
	const auto samples = static_cast<qint64>(recorded.samples);
	if (first.isEmpty())
		printError(CliText::tr("記録されたデータはありません"));
	else if (atAlarm)
		printError(CliText::tr(
				"異常で停止しました。%1 にユニットごとにその異常までの %2 個のデータがあります")
						.arg(first)
						.arg(samples));
	else if (stopSignal)
		printError(CliText::tr(
				"%1 で停止しました。%2 にユニットごとに %3 個のデータがあります")
						.arg(stopSignalName(), first)
						.arg(samples));
	else
		printError(CliText::tr(
				"記録を終えました。%1 にユニットごとに %2 個のデータがあります")
						.arg(first)
						.arg(samples));
	if (recorded.files.size() < 2)
		return;
	QStringList names;
	for (const QString &file : recorded.files)
		names << QFileInfo(file).fileName();
	printError(CliText::tr("記録の部分 (%1 個): %2")
					.arg(recorded.files.size())
					.arg(names.join(QStringLiteral(", "))));
}

void tellOverflow(uint64_t lost, const QString &file)
{
	printError(
			CliText::tr("ユニットのバッファがあふれ、%1 個のデータが失われました。"
				    "%2 にはそれが欠落データとして入っています")
					.arg(lost)
					.arg(file));
}

int recordLong(const RecordOptions &o, ModuleData &md, RunControl &run, LimitWatch &limits)
{
	if (const QString error = checkRecordingTarget(o); !error.isEmpty()) {
		printError(error);
		return kExitFailure;
	}
	const QString folder = recordingFolder(o);
	if (const QString tooLittle = CheckRecordingSpace(md, folder); !tooLittle.isEmpty()) {
		printError(tooLittle);
		return kExitUsage;
	}
	if (const auto free = FreeSpace(folder))
		printError(CliText::tr("%1 の空き容量はこの測定間隔でおよそ %2 もちます")
						.arg(folder, SpanText(SecondsOfSpace(md, *free))));
	const bool triggerSet = md.TrgMaxFlag == kTrue || md.TrgMinFlag == kTrue;
	if (o.repeatTrigger && !triggerSet) {
		printError(CliText::tr(
				"--repeat-trigger には --trigger-upper か --trigger-lower が必要です"));
		return kExitUsage;
	}
	if (triggerSet && !o.repeatTrigger)
		printError(CliText::tr(
				"トリガは使いません: 長時間記録では --repeat-trigger で使います"));
	LongRecording recording(
			o.folder.isEmpty() ? o.out : o.folder, !o.folder.isEmpty(), o.split);
	RepeatedCapture captures(folder);
	captures.onSaved = [](const QString &file) {
		printError(CliText::tr("トリガの取込データを保存しました: %1")
						.arg(QDir::toNativeSeparators(file)));
	};
	bool captureFailed = false;
	captures.onFailed = [&](const QString &text) {
		printError(CliText::tr("トリガの取込データを保存できません: %1").arg(text));
		captureFailed = true;
	};
	captures.onTrigger = [&run](const RunEvent &event) { run.addEvent(event); };
	recording.setMemoLines(o.memos);
	const double interval = md.IntervalTM / 1000.0;
	const auto limit = static_cast<uint64_t>(o.samples ? *o.samples
					: o.durationS      ? std::llround(*o.durationS / interval)
							   : 0);
	recording.setSampleLimit(limit);
	captures.setSampleLimit(limit);
	recording.onNotice = [](const QString &text) { printError(text); };
	RecorderChain recorders;
	recorders.add(&limits);
	recorders.add(&recording);
	if (o.repeatTrigger)
		recorders.add(&captures);
	run.setRecorder(&recorders);
	run.setLongRun(true);
	EventsSeen seen;
	KeptSamples kept{static_cast<int64_t>(limit), o.failOnAlarm};
	followEvents(run, limits, md, kept, seen, [&] {
		recording.setSampleLimit(static_cast<uint64_t>(kept.last));
		captures.setSampleLimit(static_cast<uint64_t>(kept.last));
	});

	Progress progress(md, o.progress);
	if (!runToEnd(run, md, progress, [&] {
		    return recording.limitReached(md) || (seen.alarm && o.failOnAlarm);
	    }))
		return kExitFailure;
	const LongRecording::OnDisk recorded = recording.onDisk();
	tellRecorded(recorded, seen.alarm && o.failOnAlarm);
	if (seen.alarm && o.failOnAlarm)
		return kExitAlarm;
	const QString file = QDir::toNativeSeparators(recorded.first);
	if (recording.lostToDisk()) {
		printError(file.isEmpty() ? CliText::tr("ディスクのためにデータが失われました (%1)")
								.arg(recording.diskError())
					  : CliText::tr("ディスクのためにデータが失われました (%1)。"
							"それ以外のデータはすべて %2 にあります")
								.arg(recording.diskError(), file));
		return kExitFailure;
	}
	if (captureFailed)
		return kExitFailure;
	const LongRunReader &units = run.longReader();
	const bool overflowed = units.lostToOverflow() > 0;
	const bool unitLost = seen.dropouts > units.overflowEvents(); // not by an overflow
	if (overflowed)
		tellOverflow(units.lostToOverflow(), file);
	if (unitLost)
		printError(CliText::tr(
				"記録中にユニットが失われました。%1 にはその間が欠落データとして入っています")
						.arg(file));
	return overflowed || unitLost ? kExitFailure : kExitOk;
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
		printError(CliText::tr(
				"保存された測定条件のうち次の項目は設定できない値のため、初期値に戻しました: %1")
						.arg(reset.join(QStringLiteral(", "))));
	if (const QString error = applySettings(o, md); !error.isEmpty()) {
		printError(error);
		return kExitUsage;
	}
	if (o.samples && md.TrgMode == kTrue && !o.continuous) {
		printError(CliText::tr("--samples はトリガなしの測定にだけ指定できます"));
		return kExitUsage;
	}
	LimitWatch limits;
	limits.monitor().setLimits(applyLimits(o, md, LoadLimits(QSettingsStore())));
	// Found out now, not once the measurement is over.
	if (!o.continuous) {
		if (const FileResult writable = CheckWholeFileWritable(o.out); !writable.ok) {
			printError(CliText::tr("%1 に書き込めません: %2")
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
	// The references taken for this run are its first events.
	QObject::connect(&run, &RunControl::runStarted, [&] {
		for (int u = 0; u < kUnitCount; ++u) {
			if (o.zero && md.Channels[u].inUse())
				run.addEvent({0.0, u, EventKind::Zero, {}});
		}
	});
	if (o.continuous)
		return recordLong(o, md, run, limits);
	RunJournal journal(prompt);
	journal.setEchoToStandardError(false); // the console prompt prints on standard error
	journal.setMemoLines(o.memos);
	journal.setSampleLimit(o.samples.value_or(0));
	RecorderChain recorders;
	recorders.add(&limits);
	recorders.add(&journal);
	run.setRecorder(&recorders);
	EventsSeen seen;
	KeptSamples kept{o.samples.value_or(0), o.failOnAlarm};
	followEvents(run, limits, md, kept, seen);
	Progress progress(md, o.progress);
	if (!runToEnd(run, md, progress, [&] {
		    return (o.samples && md.DataCount >= *o.samples) ||
				    (seen.alarm && o.failOnAlarm);
	    }))
		return kExitFailure;

	keepUpTo(md, run.trigger(), kept.last);
	for (int i = 0; i < o.memos.size(); ++i)
		md.MemoStr[i] = o.memos[i];
	const FileResult written = SaveFileOfType(md, o.out, o.type, o.csvEncoding);
	if (!written.ok) {
		printError(CliText::tr("%1 に書き込めません: %2").arg(o.out, written.error));
		if (journal.Flush())
			printError(CliText::tr(
					"測定は %1 に残してあります。'kelvra-cli recover --out FILE' で書き出せます")
							.arg(journal.fileName()));
		else if (!journal.fileName().isEmpty())
			printError(CliText::tr("測定データの控え %1 も完全ではありません: %2")
							.arg(journal.fileName(),
									journal.failure()));
		return kExitFailure;
	}
	journal.Discard(); // the data are safe in the file
	if (stopSignal)
		printError(CliText::tr("%1 で停止しました。%2 に %3 個のデータがあります")
						.arg(stopSignalName(), o.out)
						.arg(md.DataCount));
	if (seen.alarm && o.failOnAlarm) {
		printError(CliText::tr("異常で停止しました。%1 に %2 個のデータがあります")
						.arg(o.out)
						.arg(md.DataCount));
		return kExitAlarm;
	}
	if (run.lastEnd() == RunControl::RunEnd::DeviceError) {
		printError(CliText::tr(
				"デバイスエラーで測定が終わりました。%1 にそれまでの %2 個のデータがあります")
						.arg(o.out)
						.arg(md.DataCount));
		return kExitFailure;
	}
	if (!stopSignal)
		printError(CliText::tr("測定が終わりました。%1 に %2 個のデータがあります")
						.arg(o.out)
						.arg(md.DataCount));
	if (run.lostToOverflow() > 0) {
		tellOverflow(run.lostToOverflow(), o.out);
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
		printError(CliText::tr("余分な引数 '%1' があります")
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

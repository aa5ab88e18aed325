// kelvra-cli record: one measurement with the program's own run control,
// written with the program's own writers.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"
#include "ConsoleRunView.h"

#include "RecordOptions.h"
#include "RecordProgress.h"
#include "RecordResume.h"
#include "StopSignals.h"

#include "acquisition/VarnelLibrary.h"
#include "files/DataFile.h"
#include "files/MeasurementFiles.h"
#include "files/RecordingSpace.h"
#include "limits/LimitEntries.h"
#include "run/EventText.h"
#include "session/RecordingTarget.h"
#include "session/RunAssembly.h"
#include "session/RunHooks.h"
#include "session/RunStatusPage.h"
#include "settings/QSettingsStore.h"
#include "settings/StartUpState.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace kelvra::cli {

namespace {

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
			? trigger.triggerSample() - std::max(md.settings.TrgDnum1, 0)
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
bool runToEnd(RunControl &run, const ModuleData &md, RecordProgress &progress,
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
		if (StopSignalCaught())
			run.stopRun();
	});
	CatchStopSignals();
	interruptPoll.start(100);

	run.startRun();
	if (md.MeasFlag != kTrue)
		return false;
	loop.exec();
	progress.finish();
	return true;
}

// Prints every event of the run as it happens, at the time of its recording
// when that has one of its own (a resumed one).
void printEvents(RunControl &run, const LongRecording *recording = nullptr)
{
	QObject::connect(&run, &RunControl::eventAdded, [recording](const RunEvent &event) {
		RunEvent shown = event;
		shown.timeS += recording ? recording->timeShiftS() : 0.0;
		printError(CliText::tr("イベント: %1").arg(EventLine(shown)));
	});
}

// The run the options ask for; a long recording's limit of samples from
// --samples or --duration at the state's interval, of the whole recording
// when it is resumed.
RunPlan planOf(const RecordOptions &o, const ModuleData &md,
		const std::optional<ResumePoint> &resume = std::nullopt)
{
	RunPlan plan;
	plan.longRecording = o.continuous;
	plan.target = o.folder.isEmpty() ? o.out : o.folder;
	plan.targetIsFolder = !o.folder.isEmpty();
	plan.split = o.split;
	plan.repeatTrigger = o.repeatTrigger;
	plan.memoLines = o.memos;
	plan.stopAtAlarm = o.failOnAlarm;
	const double interval = md.settings.IntervalTM / 1000.0;
	plan.sampleLimit = static_cast<uint64_t>(o.samples ? *o.samples
					: o.durationS      ? std::llround(*o.durationS / interval)
							   : 0);
	plan.resumePoint = resume;
	if (resume)
		plan.sampleLimit = ResumedSampleLimit(*resume, plan.sampleLimit).value_or(0);
	return plan;
}

// Tells why the long recording cannot start; returns the exit status.
int tellTargetProblem(const TargetProblem &problem, const RunPlan &plan)
{
	switch (problem.kind) {
	case TargetProblem::Kind::FileNotWritable:
		printError(CliText::tr("%1 に書き込めません: %2").arg(plan.target, problem.detail));
		break;
	case TargetProblem::Kind::NoFolder:
		printError(CliText::tr("%1 に記録できません: フォルダがありません")
						.arg(plan.target));
		break;
	case TargetProblem::Kind::FolderNotWritable:
		printError(CliText::tr("%1 に記録できません: %2").arg(plan.target, problem.detail));
		break;
	case TargetProblem::Kind::TooLittleSpace:
		printError(problem.detail);
		return kExitUsage;
	case TargetProblem::Kind::None:
		return kExitOk;
	}
	return kExitFailure;
}

// How long the folder's space lasts, and whether the trigger goes with the recording.
bool checkLongTrigger(const RecordOptions &o, const ModuleData &md, const QString &folder)
{
	if (const auto free = FreeSpace(folder))
		printError(CliText::tr("%1 の空き容量はこの測定間隔でおよそ %2 もちます")
						.arg(folder, SpanText(SecondsOfSpace(md, *free))));
	const bool triggerSet = md.settings.TrgMaxFlag == kTrue || md.settings.TrgMinFlag == kTrue;
	if (o.repeatTrigger && !triggerSet) {
		printError(CliText::tr(
				"--repeat-trigger には --trigger-upper か --trigger-lower が必要です"));
		return false;
	}
	if (triggerSet && !o.repeatTrigger)
		printError(CliText::tr(
				"トリガは使いません: 長時間記録では --repeat-trigger で使います"));
	return true;
}

// The closing words of a long recording, after tellRecorded; the exit status.
int tellLongOutcome(const RunOutcome &outcome, const LongRecording &recording)
{
	const QString file = QDir::toNativeSeparators(recording.onDisk().first);
	if (outcome.lostToDisk) {
		printError(file.isEmpty() ? CliText::tr("ディスクのためにデータが失われました (%1)")
								.arg(recording.diskError())
					  : CliText::tr("ディスクのためにデータが失われました (%1)。"
							"それ以外のデータはすべて %2 にあります")
								.arg(recording.diskError(), file));
		return kExitFailure;
	}
	if (outcome.captureFailed)
		return kExitFailure;
	if (outcome.lostToOverflow > 0)
		TellOverflow(outcome.lostToOverflow, file);
	if (outcome.unitLost)
		printError(CliText::tr(
				"記録中にユニットが失われました。%1 にはその間が欠落データとして入っています")
						.arg(file));
	return outcome.lostToOverflow > 0 || outcome.unitLost ? kExitFailure : kExitOk;
}

int recordLong(const RecordOptions &o, ModuleData &md, RunControl &run, RunAssembly &assembly,
		const std::optional<ResumePoint> &resume)
{
	if (resume && !ResumedSampleLimit(*resume, planOf(o, md).sampleLimit)) {
		printError(CliText::tr("%1 はもう記録する長さを記録しました")
						.arg(resume->firstFile));
		return kExitUsage;
	}
	const RunPlan plan = planOf(o, md, resume);
	if (const TargetProblem problem = CheckRecordingTarget(plan, md))
		return tellTargetProblem(problem, plan);
	if (!checkLongTrigger(o, md, RecordingFolder(plan)))
		return kExitUsage;
	assembly.onRecordingNotice = [](const QString &text) { printError(text); };
	assembly.onCaptureSaved = [](const QString &file) {
		printError(CliText::tr("トリガの取込データを保存しました: %1")
						.arg(QDir::toNativeSeparators(file)));
	};
	assembly.onCaptureFailed = [](const QString &text) {
		printError(CliText::tr("トリガの取込データを保存できません: %1").arg(text));
	};
	assembly.assemble(plan);
	printEvents(run, assembly.recording());
	TellResumed(run, *assembly.recording());
	RecordProgress progress(md, o.progress);
	if (!runToEnd(run, md, progress, [&] { return assembly.endReached(); }))
		return kExitFailure;
	const RunOutcome outcome = assembly.outcome();
	TellRecorded(assembly.recording()->onDisk(), outcome.stoppedAtAlarm);
	if (outcome.stoppedAtAlarm)
		return kExitAlarm;
	return tellLongOutcome(outcome, *assembly.recording());
}

// The stored conditions with the options, or a resumed recording's own
// settings; the exit status when they refuse.
std::optional<int> prepareState(const RecordOptions &o, VarnelLibrary &library, ModuleData &md,
		const std::optional<ResumePoint> &resume)
{
	if (const QString error = emulatorError(o, library); !error.isEmpty()) {
		printError(error);
		return kExitUsage;
	}
	if (o.emulate)
		qputenv("VARNELIO_EMULATOR", o.emulate->toLocal8Bit());
	const QStringList reset = LoadStartUpState(
			md, QSettingsStore(), qEnvironmentVariable("VARNELIO_EMULATOR"));
	if (!reset.isEmpty())
		printError(CliText::tr(
				"保存された測定条件のうち次の項目は設定できない値のため、初期値に戻しました: %1")
						.arg(reset.join(QStringLiteral(", "))));
	if (resume)
		ApplyResumedSettings(*resume, md);
	else if (const QString error = ApplyRecordSettings(o, md); !error.isEmpty()) {
		printError(error);
		return kExitUsage;
	}
	if (o.samples && md.TrgMode == kTrue && !o.continuous) {
		printError(CliText::tr("--samples はトリガなしの測定にだけ指定できます"));
		return kExitUsage;
	}
	return std::nullopt;
}

// The run's data in FILE; when they cannot be written, where the journal keeps them.
bool writeFile(const RecordOptions &o, const ModuleData &md, RunJournal &journal)
{
	const FileResult written = SaveFileOfType(md, o.out, o.type, o.csvEncoding);
	if (written.ok) {
		journal.Discard(); // the data are safe in the file
		return true;
	}
	printError(CliText::tr("%1 に書き込めません: %2").arg(o.out, written.error));
	if (journal.Flush())
		printError(CliText::tr(
				"測定は %1 に残してあります。'kelvra-cli recover --out FILE' で書き出せます")
						.arg(journal.fileName()));
	else if (!journal.fileName().isEmpty())
		printError(CliText::tr("測定データの控え %1 も完全ではありません: %2")
						.arg(journal.fileName(), journal.failure()));
	return false;
}

// The closing lines of a run written to FILE; the exit status.
int tellOutcome(const RecordOptions &o, const ModuleData &md, const RunOutcome &outcome)
{
	if (StopSignalCaught())
		printError(CliText::tr("%1 で停止しました。%2 に %3 個のデータがあります")
						.arg(StopSignalName(), o.out)
						.arg(md.DataCount));
	if (outcome.stoppedAtAlarm) {
		printError(CliText::tr("異常で停止しました。%1 に %2 個のデータがあります")
						.arg(o.out)
						.arg(md.DataCount));
		return kExitAlarm;
	}
	if (outcome.end == RunControl::RunEnd::DeviceError) {
		printError(CliText::tr(
				"デバイスエラーで測定が終わりました。%1 にそれまでの %2 個のデータがあります")
						.arg(o.out)
						.arg(md.DataCount));
		return kExitFailure;
	}
	if (!StopSignalCaught())
		printError(CliText::tr("測定が終わりました。%1 に %2 個のデータがあります")
						.arg(o.out)
						.arg(md.DataCount));
	if (outcome.lostToOverflow > 0) {
		TellOverflow(outcome.lostToOverflow, o.out);
		return kExitFailure;
	}
	return kExitOk;
}

// A run kept in the journal, then written to FILE.
int recordToFile(const RecordOptions &o, ModuleData &md, RunControl &run, RunAssembly &assembly,
		ConsolePrompt &prompt)
{
	RunJournal journal(prompt);
	journal.setEchoToStandardError(false); // the console prompt prints on standard error
	journal.setMemoLines(o.memos);
	journal.setSampleLimit(o.samples.value_or(0));
	assembly.setJournal(&journal);
	assembly.assemble(planOf(o, md));
	printEvents(run);
	RecordProgress progress(md, o.progress);
	if (!runToEnd(run, md, progress, [&] { return assembly.endReached(); }))
		return kExitFailure;
	keepUpTo(md, run.trigger(), assembly.keptSamples());
	for (int i = 0; i < o.memos.size(); ++i)
		md.MemoStr[i] = o.memos[i];
	if (!writeFile(o, md, journal))
		return kExitFailure;
	return tellOutcome(o, md, assembly.outcome());
}

int record(RecordOptions o)
{
	std::optional<ResumePoint> resume;
	if (o.resume) {
		ResumeStart start = LookUpResume(o);
		if (start.refused)
			return *start.refused;
		resume = std::move(start.point);
	}
	VarnelLibrary library;
	ModuleData md;
	if (const std::optional<int> refused = prepareState(o, library, md, resume))
		return *refused;
	const LimitSettings limits = ApplyRecordLimits(o, md, LoadLimits(QSettingsStore()));
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
	if (o.zero && !resume) {
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
			if (o.zero && !resume && md.Channels[u].inUse())
				run.addEvent({0.0, u, EventKind::Zero, {}});
		}
	});
	RunAssembly assembly(md, run);
	assembly.limits().monitor().setLimits(limits);
	const QString out = QFileInfo(o.out).absoluteFilePath();
	const auto recordingFile = [&assembly, out] {
		return assembly.recording()
				? QFileInfo(assembly.recording()->currentFile()).absoluteFilePath()
				: out;
	};
	const QString folder = RecordingFolder(planOf(o, md));
	const auto recordingShift = [&assembly] {
		return assembly.recording() ? assembly.recording()->timeShiftS() : 0.0;
	};
	std::unique_ptr<RunHooks> hooks;
	if (o.onEvent || o.minFree) {
		hooks = std::make_unique<RunHooks>(
				RunHookOptions{o.onEvent, o.onEventKinds, o.minFree}, run,
				recordingFile);
		hooks->onTold = [](const QString &text) { printError(text); };
		hooks->timeShiftS = recordingShift;
		hooks->watchSpace(folder, RecordingBytesPerSecond(md));
		assembly.addGuest(hooks.get());
	}
	std::unique_ptr<RunStatusPage> statusPage;
	if (o.serve) {
		statusPage = std::make_unique<RunStatusPage>(
				*o.serve, assembly.limits().monitor(), recordingFile, folder);
		statusPage->timeShiftS = recordingShift;
		if (QString error; !statusPage->start(error)) {
			printError(error);
			return kExitUsage;
		}
		printError(CliText::tr("状態ページ: %1").arg(statusPage->url()));
		assembly.addGuest(statusPage.get());
	}
	const int status = o.continuous ? recordLong(o, md, run, assembly, resume)
					: recordToFile(o, md, run, assembly, prompt);
	if (hooks)
		hooks->waitForHooks();
	return status;
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
		return record(ParseRecordOptions(parser));
	} catch (const UsageError &error) {
		printError(error.text);
		return kExitUsage;
	}
}

} // namespace kelvra::cli

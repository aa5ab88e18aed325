// What journaling adds to a block tick: 4 units x 128 samples read and
// stored, with and without the run's journal, at several fill levels of the
// buffers (the cost must not grow with the samples held). And what a journal
// of a trigger that waited eight hours costs on the disk and in memory.

#include "acquisition/SampleReader.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"
#include "fakes/RecordingRunView.h"
#include "fakes/RunRig.h"
#include "run/JournalRebuild.h"
#include "run/JournalRecovery.h"
#include "run/RunControl.h"
#include "run/RunJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

struct BlockTicks {
	explicit BlockTicks(int32_t held) : held_(held)
	{
		md.InitDataArray();
		md.SetRange();
		for (auto &channel : md.Channels)
			channel.Mflag = kTrue;
		refill();
	}

	// Buffers holding `held` samples, with room for the ticks that follow.
	void refill()
	{
		md.ClearMeasData();
		for (auto &channel : md.Channels)
			channel.DataNum = held_;
		md.DataCount = held_;
	}

	bool full() const { return md.DataCount > kBufferLength - 128; }

	ModuleData md;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	DeviceControl devices{md, api, prompt};
	SampleReader reader{md, devices};
	int32_t held_;
};

void tick(benchmark::State &state, BlockTicks &ticks, RunJournal *journal)
{
	for (auto _ : state) {
		if (ticks.full()) {
			state.PauseTiming();
			ticks.refill();
			state.ResumeTiming();
		}
		benchmark::DoNotOptimize(ticks.reader.ReadBlockData());
		if (journal)
			journal->tickDone(ticks.md);
	}
	state.SetItemsProcessed(state.iterations() * 4 * 128);
}

} // namespace

static void BM_BlockTick(benchmark::State &state)
{
	BlockTicks ticks(static_cast<int32_t>(state.range(0)));
	tick(state, ticks, nullptr);
}
BENCHMARK(BM_BlockTick)->Arg(0)->Arg(40000)->Arg(80000)->Unit(benchmark::kMicrosecond);

static void BM_BlockTickJournaled(benchmark::State &state)
{
	QTemporaryDir dir;
	BlockTicks ticks(static_cast<int32_t>(state.range(0)));
	RunJournal journal(ticks.prompt, dir.path());
	ticks.reader.setSink(&journal);
	journal.runStarted(ticks.md);
	tick(state, ticks, &journal);
	journal.Discard();
}
BENCHMARK(BM_BlockTickJournaled)->Arg(0)->Arg(40000)->Arg(80000)->Unit(benchmark::kMicrosecond);

// A trigger that waits eight hours without firing: 4 units every 10 ms,
// collected every 300 ms, then the program is killed. Listing the journals
// and recovering this one must cost memory bounded by the buffers, and the
// journal must not hold every waiting sample.
namespace {

constexpr int kEightHoursOfTicks = 8 * 3600 * 1000 / RunControl::kTimer2Interval;

// Resident memory in kB as /proc/self/status tells it.
long statusKb(const char *field)
{
	QFile status(QStringLiteral("/proc/self/status"));
	if (!status.open(QIODevice::ReadOnly))
		return 0;
	for (const QByteArray &line : status.readAll().split('\n')) {
		if (line.startsWith(field))
			return line.mid(static_cast<int>(qstrlen(field)))
					.trimmed()
					.split(' ')
					.value(0)
					.toLong();
	}
	return 0;
}

// The peak resident memory from now on, above what is resident now.
class PeakMemory {
public:
	PeakMemory()
	{
		QFile clear(QStringLiteral("/proc/self/clear_refs"));
		if (clear.open(QIODevice::WriteOnly))
			clear.write("5"); // resets VmHWM to the resident size
		base_ = statusKb("VmRSS:");
	}
	double megabytes() const { return (statusKb("VmHWM:") - base_) / 1024.0; }

private:
	long base_ = 0;
};

// Writes the journal the way the program does, then leaves it behind as a
// killed program leaves it.
void leaveEightHourWait(const QString &folder)
{
	RunRig rig;
	auto &[md, log, api, prompt, view, devices, run] = rig;
	md.InitDataArray();
	auto journal = std::make_unique<RunJournal>(prompt, folder);
	run.setRecorder(journal.get());
	md.settings.IntervalTM = 10;
	md.settings.TrgMaxFlag = kTrue;
	md.settings.TrgVMax = 1e9f; // never reached
	md.settings.TrgDnum1 = 1000;
	md.settings.TrgDnum2 = 1000;
	for (auto &channel : md.Channels)
		channel.Mflag = kTrue;
	md.SetRange();
	md.ClearMeasData();
	for (auto &unit : api.units)
		unit.deliveries.assign(kEightHoursOfTicks, 30);
	run.startRun();
	for (int t = 0; t < kEightHoursOfTicks; ++t)
		run.onBlockTimer();
	run.setRecorder(nullptr);
	journal.reset();
}

struct EightHourWait {
	EightHourWait()
	{
		// In a child, so that the memory the run took is not counted as the reader's.
		const pid_t child = ::fork();
		if (child == 0) {
			leaveEightHourWait(dir.path());
			std::_Exit(0);
		}
		::waitpid(child, nullptr, 0);
		const QFileInfoList journals =
				QDir(dir.path())
						.entryInfoList({QStringLiteral("*.kvj")},
								QDir::Files);
		bytes = journals.value(0).size();
	}

	QTemporaryDir dir;
	qint64 bytes = 0;
};

EightHourWait &eightHourWait()
{
	static EightHourWait wait;
	return wait;
}

void reportJournal(benchmark::State &state, const PeakMemory &peak)
{
	state.counters["journal_MB"] = eightHourWait().bytes / (1024.0 * 1024.0);
	state.counters["peak_MB"] = peak.megabytes();
}

} // namespace

static void BM_ListEightHourTriggerWait(benchmark::State &state)
{
	const QString folder = eightHourWait().dir.path();
	const PeakMemory peak;
	for (auto _ : state)
		benchmark::DoNotOptimize(ListJournals(folder));
	reportJournal(state, peak);
}
BENCHMARK(BM_ListEightHourTriggerWait)->Unit(benchmark::kMillisecond);

static void BM_RecoverEightHourTriggerWait(benchmark::State &state)
{
	const QString folder = eightHourWait().dir.path();
	const PeakMemory peak;
	for (auto _ : state) {
		ModuleData md;
		const auto journals = ListJournals(folder);
		RebuildJournal(journals.front().fileName, md, nullptr);
		benchmark::DoNotOptimize(md.DataCount);
	}
	reportJournal(state, peak);
}
BENCHMARK(BM_RecoverEightHourTriggerWait)->Unit(benchmark::kMillisecond);

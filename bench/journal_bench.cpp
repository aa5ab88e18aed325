// What journaling adds to a block tick: 4 units x 128 samples read and
// stored, with and without the run's journal, at several fill levels of the
// buffers (the cost must not grow with the samples held).

#include "acquisition/SampleReader.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"
#include "run/RunJournal.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

// What the limit check adds to a block tick: 4 units x 128 samples read and
// stored, without limits and with every level of every unit watched, on a
// signal that stays inside them and on one that crosses them all the time.

#include "acquisition/SampleReader.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"
#include "limits/LimitWatch.h"

#include <benchmark/benchmark.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

struct BlockTicks {
	explicit BlockTicks(bool crossing)
	{
		md.InitDataArray();
		md.SetRange();
		for (int u = 0; u < kUnitCount; ++u) {
			md.Channels[u].Mflag = kTrue;
			// Swings of ±150 pass every level every 64 samples.
			api.units[u].signal = [crossing](long k) {
				return crossing && (k / 32) % 2 ? 150.0 : 10.0 * (k % 5);
			};
		}
		md.ClearMeasData();
	}

	void tick(benchmark::State &state, LimitWatch *watch)
	{
		for (auto _ : state) {
			if (md.DataCount > kBufferLength - 128) {
				state.PauseTiming();
				md.ClearMeasData();
				state.ResumeTiming();
			}
			benchmark::DoNotOptimize(reader.ReadBlockData());
			if (watch)
				watch->tickDone(md);
		}
		state.SetItemsProcessed(state.iterations() * 4 * 128);
	}

	ModuleData md;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	DeviceControl devices{md, api, prompt};
	SampleReader reader{md, devices};
};

LimitSettings everyLevel()
{
	LimitSettings limits;
	for (UnitLimits &unit : limits.units) {
		unit.setLevel(LimitLevel::Warning, LimitSide::Upper, 100.0f);
		unit.setLevel(LimitLevel::Warning, LimitSide::Lower, -100.0f);
		unit.setLevel(LimitLevel::Alarm, LimitSide::Upper, 120.0f);
		unit.setLevel(LimitLevel::Alarm, LimitSide::Lower, -120.0f);
		unit.hysteresis = 5.0f;
	}
	return limits;
}

} // namespace

static void BM_BlockTick(benchmark::State &state)
{
	BlockTicks ticks(state.range(0) != 0);
	ticks.tick(state, nullptr);
}
BENCHMARK(BM_BlockTick)->Arg(0)->Arg(1)->ArgName("crossing")->Unit(benchmark::kMicrosecond);

static void BM_BlockTickWatched(benchmark::State &state)
{
	BlockTicks ticks(state.range(0) != 0);
	LimitWatch watch;
	watch.monitor().setLimits(everyLevel());
	size_t events = 0;
	watch.onEvents = [&](const std::vector<LimitEvent> &list) { events += list.size(); };
	ticks.reader.setSink(&watch);
	watch.runStarted(ticks.md);
	ticks.tick(state, &watch);
	state.counters["events/tick"] = benchmark::Counter(
			static_cast<double>(events) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_BlockTickWatched)->Arg(0)->Arg(1)->ArgName("crossing")->Unit(benchmark::kMicrosecond);

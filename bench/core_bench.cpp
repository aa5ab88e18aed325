// Costs of the measurement core that run on every clear and every tick.

#include "acquisition/SampleReader.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"
#include "run/ModuleTrgData.h"

#include <benchmark/benchmark.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

struct Core {
	Core()
	{
		md.InitDataArray();
		md.SetRange();
		for (auto &channel : md.Channels)
			channel.Mflag = kTrue;
		md.ClearMeasData();
	}

	ModuleData md;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	DeviceControl devices{md, api, prompt};
};

} // namespace

static void BM_ClearMeasData(benchmark::State &state)
{
	Core core;
	for (auto _ : state) {
		core.md.ClearMeasData();
		benchmark::DoNotOptimize(core.md.Channels[3].Data.data());
	}
}
BENCHMARK(BM_ClearMeasData)->Unit(benchmark::kMicrosecond);

// One block tick: 4 units x 128 samples, converted to a load unit.
static void BM_ReadBlockData4x128(benchmark::State &state)
{
	Core core;
	core.md.settings.Sing = 1;
	for (auto &channel : core.md.Channels) {
		channel.Power = 2.0f;
		channel.Capacity = 500.0f;
	}
	SampleReader reader(core.md, core.devices);
	for (auto _ : state) {
		if (core.md.DataCount > kBufferLength - 128) {
			state.PauseTiming();
			core.md.ClearMeasData();
			state.ResumeTiming();
		}
		benchmark::DoNotOptimize(reader.ReadBlockData());
	}
	state.SetItemsProcessed(state.iterations() * 4 * 128);
}
BENCHMARK(BM_ReadBlockData4x128)->Unit(benchmark::kMicrosecond);

// The trigger engine per stored sample, waiting for a trigger that never comes.
static void BM_TriggerEnginePerSample(benchmark::State &state)
{
	Core core;
	core.md.settings.TrgMaxFlag = kTrue;
	core.md.settings.TrgVMax = 1e30f;
	core.md.settings.TrgDnum1 = 1000;
	core.md.ClearMeasData();
	ModuleTrgData engine(core.md, core.devices);
	for (auto _ : state)
		benchmark::DoNotOptimize(engine.GetTrgBlockData());
	state.SetItemsProcessed(state.iterations() * 4 * 128);
}
BENCHMARK(BM_TriggerEnginePerSample)->Unit(benchmark::kMicrosecond);

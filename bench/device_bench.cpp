// The library's own cost per block call, against virtual units that always
// have a full block ready.

#include "varnelio.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

static void BM_GetDatas128(benchmark::State &state)
{
	setenv("VARNELIO_EMULATOR",
			state.range(0) ? "id=0,kind=1,block=128,noise=3"
				       : "id=0,kind=0,block=128,noise=3",
			1);
	if (Varnel_Device_Open(0) != VARNELIO_OK || Varnel_Start_Sample(0, 1) != VARNELIO_OK) {
		state.SkipWithError("cannot open the virtual unit");
		return;
	}
	double values[VARNELIO_MAX_BLOCK];
	unsigned char status[VARNELIO_MAX_BLOCK];
	for (auto _ : state) {
		unsigned char count = VARNELIO_MAX_BLOCK;
		benchmark::DoNotOptimize(Varnel_Get_Datas(0, values, status, &count));
		benchmark::DoNotOptimize(values[count - 1]);
	}
	state.SetItemsProcessed(state.iterations() * VARNELIO_MAX_BLOCK);
	Varnel_Device_Close(0);
}
BENCHMARK(BM_GetDatas128)->Arg(0)->Arg(1)->ArgName("kind");

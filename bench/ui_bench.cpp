// Drawing and listing costs of the window, offscreen.

#include "fakes/FakeDeviceApi.h"
#include "fakes/MapStore.h"
#include "fakes/RecordingPrompt.h"
#include "window/FormMain.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QRadioButton>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

struct Window {
	// A sine per unit, 28 periods in 88000 samples, or `periods` over the samples held.
	explicit Window(int32_t held, int periods = 0)
	{
		const double step = periods > 0 ? 2.0 * M_PI * periods / held : 0.002;
		store.values[QStringLiteral("IntervalTM")] = QStringLiteral("10");
		form = std::make_unique<FormMain>(md, api, prompt, store);
		form->resize(1040, 700);
		form->show();
		for (int u = 0; u < kUnitCount; ++u) {
			md.Channels[u].Mflag = kTrue;
			md.Channels[u].DataNum = held;
			for (int32_t i = 0; i < held; ++i)
				md.Channels[u].Data[i] =
						static_cast<float>(1000.0 * std::sin(i * step + u));
		}
		md.DataCount = held;
		md.AllMax = 1000.0f;
		md.AllMin = -1000.0f;
	}

	ModuleData md;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	MapStore store;
	std::unique_ptr<FormMain> form;
};

void replot(FormMain &form)
{
	form.chart().plot()->replot(QCustomPlot::rpImmediateRefresh);
}

} // namespace

// Every point of four full buffers written and drawn, as after a trigger or a file load.
static void BM_FullRedraw4x88000(benchmark::State &state)
{
	Window w(kBufferLength);
	w.form->optWid[0]->click();
	for (auto _ : state) {
		w.form->GrDrawData2(1, kBufferLength);
		replot(*w.form);
	}
	state.SetItemsProcessed(state.iterations() * 4 * kBufferLength);
}
BENCHMARK(BM_FullRedraw4x88000)->Unit(benchmark::kMillisecond);

// One block tick's drawing (128 new points per unit) with `held` samples in
// the buffers, the view following the newest 1000.
static void BM_BlockTickDrawing(benchmark::State &state)
{
	const auto held = static_cast<int32_t>(state.range(0));
	Window w(held);
	w.form->Combo1->setCurrentText(QStringLiteral("1000"));
	w.form->optWid[1]->click();
	w.form->GrDrawData2(1, held);
	w.md.DispStart = held - 999;
	w.md.DispEnd = held;
	w.form->FollowAxisX();
	for (auto _ : state) {
		w.form->GrDrawData2(held - 127, held);
		replot(*w.form);
	}
}
BENCHMARK(BM_BlockTickDrawing)
		->Arg(1000)
		->Arg(10000)
		->Arg(kBufferLength)
		->Unit(benchmark::kMillisecond);

// One block tick (128 new points per unit) drawn in "全表示" with `held`
// samples in the buffers: the cost must not grow with the samples held. The
// picture is the same at every fill (four periods across), since painting a
// denser picture costs more pixels whatever the samples behind it.
static void BM_TickFullView(benchmark::State &state)
{
	const auto held = static_cast<int32_t>(state.range(0));
	Window w(held, 4);
	w.md.MeasFlag = kTrue;
	w.form->optWid[0]->click();
	w.form->GrDrawData2(1, held);
	replot(*w.form);
	for (auto _ : state) {
		w.form->GrDrawData2(held - 127, held);
		w.form->FollowAxisX();
		replot(*w.form);
	}
}
BENCHMARK(BM_TickFullView)
		->Arg(1000)
		->Arg(10000)
		->Arg(kBufferLength)
		->Unit(benchmark::kMillisecond);

static void BM_OpenDataList88000(benchmark::State &state)
{
	Window w(kBufferLength);
	for (auto _ : state) {
		w.form->cmdDisp_Click();
		QApplication::processEvents();
		benchmark::DoNotOptimize(w.form->dataList()->List1()->model()->rowCount());
		state.PauseTiming();
		w.form->CloseDataList();
		state.ResumeTiming();
	}
}
BENCHMARK(BM_OpenDataList88000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
	qputenv("QT_QPA_PLATFORM", "offscreen");
	QApplication app(argc, argv);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}

// Drawing and listing costs of the window, offscreen.

#include "fakes/FakeDeviceApi.h"
#include "fakes/MapStore.h"
#include "fakes/RecordingPrompt.h"
#include "recording/RecordingStore.h"
#include "window/FormMain.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimeZone>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>

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
	w.form->findChild<QRadioButton *>(QStringLiteral("scrollMode0"))->click();
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
	w.form->findChild<QComboBox *>(QStringLiteral("countList"))
			->setCurrentText(QStringLiteral("1000"));
	w.form->findChild<QRadioButton *>(QStringLiteral("scrollMode1"))->click();
	w.form->GrDrawData2(1, held);
	w.form->graphView().state().firstShown = held - 999;
	w.form->graphView().state().lastShown = held;
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
	w.form->findChild<QRadioButton *>(QStringLiteral("scrollMode0"))->click();
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

namespace {

constexpr uint64_t kSamplesADay = 8640000;

// A line of /proc/self/status in MB: VmRSS for all resident memory, RssAnon
// for the process's own (without the pages of files mapped, which are cache).
double residentMegabytes(const char *field = "VmRSS:")
{
	std::ifstream status("/proc/self/status");
	for (std::string line; std::getline(status, line);) {
		if (line.rfind(field, 0) == 0)
			return std::stod(line.substr(std::strlen(field))) / 1024.0;
	}
	return 0.0;
}

// A day of four units at 10 ms through the recording store, made once.
QString dayRecording()
{
	static QTemporaryDir dir;
	const QString name = dir.filePath(QStringLiteral("day.kvr"));
	if (QFile::exists(name))
		return name;
	ModuleData md;
	for (auto &channel : md.Channels)
		channel.Mflag = kTrue;
	md.settings.IntervalTM = 10;
	md.StartTimeStr = QStringLiteral("2026/12/9 0:0:0");
	const RecordingHeader header = RecordingHeaderOf(md,
			QDateTime(QDate(2026, 12, 9), QTime(0, 0), QTimeZone::utc()),
			SplitPeriod::None);
	RecordingWriter writer;
	RecordingStore store(header, name.chopped(4), writer, 0);
	float tick[10];
	int64_t now = 0;
	for (uint64_t n = 0; n < kSamplesADay; n += 10) {
		for (int u = 0; u < kUnitCount; ++u) {
			for (int i = 0; i < 10; ++i)
				tick[i] = 100.0f * u + 50.0f * std::sin(0.001f * (n + i));
			store.add(u, tick, 10);
		}
		store.tick(now += 100);
	}
	return name;
}

} // namespace

// A day-long recording opened for review: header, summaries and the first
// frame, and the memory it takes above the idle window.
static void BM_OpenRecording(benchmark::State &state)
{
	const QString day = dayRecording();
	double above = 0.0, anonAbove = 0.0;
	for (auto _ : state) {
		state.PauseTiming();
		Window w(0);
		w.md.DataCount = 0;
		const double idle = residentMegabytes();
		const double anonIdle = residentMegabytes("RssAnon:");
		state.ResumeTiming();
		w.form->openDataFile(day);
		replot(*w.form);
		state.PauseTiming();
		for (double span : {86400.0, 3600.0, 60.0}) {
			w.form->graphView().zoomX(40000.0, 40000.0 + span);
			replot(*w.form);
		}
		above = std::max(above, residentMegabytes() - idle);
		anonAbove = std::max(anonAbove, residentMegabytes("RssAnon:") - anonIdle);
		state.ResumeTiming();
	}
	state.counters["MB_above_idle"] = above;
	state.counters["own_MB_above_idle"] = anonAbove;
}
BENCHMARK(BM_OpenRecording)->Unit(benchmark::kMillisecond)->Iterations(3);

// A frame of that recording zoomed to the whole day, an hour or a minute.
static void BM_ViewRecording(benchmark::State &state)
{
	const double span = static_cast<double>(state.range(0));
	Window w(0);
	w.md.DataCount = 0;
	w.form->openDataFile(dayRecording());
	double from = 0.0;
	for (auto _ : state) {
		from = span >= 86400.0 ? 0.0 : std::fmod(from + 997.0, 86400.0 - span);
		w.form->graphView().zoomX(from, from + span);
		replot(*w.form);
	}
}
BENCHMARK(BM_ViewRecording)->Arg(86400)->Arg(3600)->Arg(60)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
	qputenv("QT_QPA_PLATFORM", "offscreen");
	QApplication app(argc, argv);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}

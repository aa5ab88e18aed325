// Writing and reading full buffers (4 x 88000 samples).

#include "fakes/Measurements.h"
#include "files/CsvFile.h"
#include "files/DataFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

ModuleData fullMeasurement()
{
	ModuleData md;
	md.InitDataArray();
	md.SetRange();
	md.ClearMeasData();
	md.StartTimeStr = QStringLiteral("2026/12/8 9:30:0");
	md.MemoStr[0] = QStringLiteral("引張試験 No.12");
	fillEveryUnit(md, [](int u, int32_t i) {
		return static_cast<float>((i * 37 % 16001) - 8000) * 0.37f + u;
	});
	return md;
}

} // namespace

static void BM_SaveCsvFile(benchmark::State &state)
{
	const ModuleData md = fullMeasurement();
	QTemporaryDir dir;
	const QString file = dir.filePath(QStringLiteral("full.csv"));
	for (auto _ : state) {
		if (!SaveCsvFile(md, file).ok)
			state.SkipWithError("write failed");
	}
}
BENCHMARK(BM_SaveCsvFile)->Unit(benchmark::kMillisecond);

static void BM_EncodeCsvFile(benchmark::State &state)
{
	const ModuleData md = fullMeasurement();
	for (auto _ : state)
		benchmark::DoNotOptimize(EncodeCsvFile(md));
}
BENCHMARK(BM_EncodeCsvFile)->Unit(benchmark::kMillisecond);

static void BM_SaveDataFile(benchmark::State &state)
{
	const ModuleData md = fullMeasurement();
	QTemporaryDir dir;
	const QString file = dir.filePath(QStringLiteral("full.vn2"));
	for (auto _ : state) {
		if (!SaveDataFile(md, file).ok)
			state.SkipWithError("write failed");
	}
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMillisecond);

static void BM_ReadDataFile(benchmark::State &state)
{
	QTemporaryDir dir;
	const QString file = dir.filePath(QStringLiteral("full.vn2"));
	SaveDataFile(fullMeasurement(), file);
	ModuleData md;
	md.InitDataArray();
	for (auto _ : state) {
		if (!ReadDataFile(md, file).ok)
			state.SkipWithError("read failed");
	}
}
BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond);

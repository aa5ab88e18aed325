// A day of a long recording: four units at 10 ms (8.64 million samples a
// unit) through the store and the writer thread, with a fake clock, one
// tick of 100 ms at a time. Reports samples a second, bytes a sample and the
// memory peak after one hour and after the day; then the exports of that day:
// HDF5, and CSV of one hour against Python's csv module writing the same rows.

#include "recording/RecordingHdf5.h"
#include "recording/RecordingStore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <string>

using namespace kelvra;

namespace {

constexpr uint64_t kSamplesADay = 8640000;
constexpr uint64_t kSamplesAnHour = 360000;
constexpr int kSamplesATick = 10;

// The process's peak resident memory, in MB.
double peakMegabytes()
{
	std::ifstream status("/proc/self/status");
	for (std::string line; std::getline(status, line);) {
		if (line.rfind("VmHWM:", 0) == 0)
			return std::stod(line.substr(6)) / 1024.0;
	}
	return 0.0;
}

QTemporaryDir &folder()
{
	static QTemporaryDir dir;
	return dir;
}

QString dayFile()
{
	return folder().filePath(QStringLiteral("day.kvr"));
}

RecordingHeader header()
{
	ModuleData md;
	for (auto &channel : md.Channels)
		channel.Mflag = kTrue;
	md.settings.IntervalTM = 10;
	md.StartTimeStr = QStringLiteral("2026/12/9 0:0:0");
	return RecordingHeaderOf(md, QDateTime(QDate(2026, 12, 9), QTime(0, 0), QTimeZone::utc()),
			SplitPeriod::None);
}

void BM_RecordADay(benchmark::State &state)
{
	double hourPeak = 0.0;
	for (auto _ : state) {
		RecordingWriter writer;
		RecordingStore store(header(), dayFile().chopped(4), writer, 0);
		float tick[kSamplesATick];
		int64_t now = 0;
		for (uint64_t n = 0; n < kSamplesADay; n += kSamplesATick) {
			for (int u = 0; u < kUnitCount; ++u) {
				for (int i = 0; i < kSamplesATick; ++i)
					tick[i] = 100.0f * u +
							std::sin(0.001f *
									static_cast<float>(n + i));
				store.add(u, tick, kSamplesATick);
			}
			store.tick(now += 100);
			if (n + kSamplesATick == kSamplesAnHour)
				hourPeak = peakMegabytes();
		}
	}
	const double samples = 4.0 * kSamplesADay;
	state.SetItemsProcessed(static_cast<int64_t>(samples) * state.iterations());
	state.counters["bytes_per_sample"] = static_cast<double>(QFile(dayFile()).size()) / samples;
	state.counters["peak_MB_1h"] = hourPeak;
	state.counters["peak_MB_24h"] = peakMegabytes();
}
BENCHMARK(BM_RecordADay)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExportADayToHdf5(benchmark::State &state)
{
	QString error;
	auto reader = RecordingReader::open(dayFile(), &error);
	if (!reader) {
		state.SkipWithError("run BM_RecordADay first");
		return;
	}
	const QString out = folder().filePath(QStringLiteral("day.h5"));
	for (auto _ : state)
		benchmark::DoNotOptimize(ExportHdf5(*reader, {0, reader->sampleEnd()}, out).ok);
	state.counters["MB"] = static_cast<double>(QFile(out).size()) / 1e6;
}
BENCHMARK(BM_ExportADayToHdf5)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExportAnHourToCsv(benchmark::State &state)
{
	QString error;
	auto reader = RecordingReader::open(dayFile(), &error);
	if (!reader) {
		state.SkipWithError("run BM_RecordADay first");
		return;
	}
	const QString out = folder().filePath(QStringLiteral("hour.csv"));
	for (auto _ : state)
		benchmark::DoNotOptimize(
				ExportCsv(*reader, {0, kSamplesAnHour}, out, CsvEncoding::Utf8).ok);
	state.SetItemsProcessed(static_cast<int64_t>(kSamplesAnHour) * state.iterations());
}
BENCHMARK(BM_ExportAnHourToCsv)->Unit(benchmark::kMillisecond);

// Python's csv module writing the same hour of rows (read from the HDF5
// export beforehand, not timed), as the time Python measures.
void BM_PythonCsvAnHour(benchmark::State &state)
{
	const QString h5 = folder().filePath(QStringLiteral("day.h5"));
	const QString script = QStringLiteral(R"(
import csv, sys, time
import h5py
f = h5py.File(sys.argv[1], "r")
columns = [f["ID%d" % u][:360000].tolist() for u in range(4)]
rows = list(zip(*columns))
begin = time.perf_counter()
with open(sys.argv[2], "w", newline="") as out:
    csv.writer(out).writerows(rows)
print(time.perf_counter() - begin)
)");
	for (auto _ : state) {
		QProcess python;
		python.start(QStringLiteral("/usr/bin/python3"),
				{QStringLiteral("-c"), script, h5,
						folder().filePath(QStringLiteral("python.csv"))});
		if (!python.waitForFinished(600000) || python.exitCode() != 0) {
			state.SkipWithError("python3 with h5py, after BM_ExportADayToHdf5");
			return;
		}
		state.SetIterationTime(python.readAllStandardOutput().trimmed().toDouble());
	}
	state.SetItemsProcessed(static_cast<int64_t>(kSamplesAnHour) * state.iterations());
}
BENCHMARK(BM_PythonCsvAnHour)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

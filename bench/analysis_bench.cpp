// The analyses of a day of one unit at 10 ms (8.64 M samples): Welch's PSD
// (nperseg 4096) against scipy.signal.welch, rainflow counting against a
// vectorised numpy rainflow (turning points in numpy, the three-point stack
// in Python, as people write it), both timed by /usr/bin/python3 on the same
// samples in the same run; then 1-minute statistics of a week of four
// units from sources shaped like a recording (summaries of blocks of
// 1024 × 32^L samples). Each reports its peak memory above what was
// resident before it.

#include "SummarySeries.h"
#include "analysis/AmplitudeSpectrum.h"
#include "analysis/IntervalStatistics.h"
#include "analysis/Rainflow.h"
#include "analysis/SampleVectorSeries.h"
#include "analysis/WelchPsd.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <random>
#include <string>

using namespace kelvra::analysis;
using kelvra::testing::SummarySeries;

namespace {

constexpr uint64_t kDay = 8640000;
constexpr double kInterval = 0.01;

// A line of /proc/self/status, in kB.
long statusKb(const std::string &field)
{
	std::ifstream status("/proc/self/status");
	for (std::string line; std::getline(status, line);) {
		if (line.rfind(field, 0) == 0)
			return std::stol(line.substr(field.size()));
	}
	return 0;
}

// The peak resident memory from now on, above what is resident now.
class PeakAboveIdle {
public:
	PeakAboveIdle()
	{
		std::ofstream("/proc/self/clear_refs") << "5"; // VmHWM back to VmRSS
		idle_ = statusKb("VmRSS:");
	}
	double megabytes() const
	{
		return static_cast<double>(statusKb("VmHWM:") - idle_) / 1024.0;
	}

private:
	long idle_;
};

// Strain of a rig: a slow drift, a 3.3 Hz ring and noise; made once, its
// samples also written as float32 for Python.
const SampleVectorSeries &day()
{
	static const SampleVectorSeries series = [] {
		std::mt19937 random(5);
		std::normal_distribution<double> noise(0.0, 0.5);
		std::vector<float> x(kDay);
		for (uint64_t i = 0; i < kDay; ++i) {
			const double t = static_cast<double>(i) * kInterval;
			x[i] = static_cast<float>(100.0 +
					20.0 * std::sin(2 * std::numbers::pi * t / 3600.0) +
					5.0 * std::sin(2 * std::numbers::pi * 3.3 * t) +
					noise(random));
		}
		return SampleVectorSeries(std::move(x), kInterval);
	}();
	return series;
}

std::string dayFile()
{
	static const std::string name = [] {
		const std::string file =
				(std::filesystem::temp_directory_path() / "kelvra-analysis-day.f32")
						.string();
		const auto &x = day().values();
		std::ofstream(file, std::ios::binary)
				.write(reinterpret_cast<const char *>(x.data()),
						static_cast<std::streamsize>(
								x.size() * sizeof(float)));
		return file;
	}();
	return name;
}

const char kPeer[] = R"(
import sys, time
import numpy as np
import scipy.signal as signal

x32 = np.fromfile(sys.argv[1], '<f4')
x64 = x32.astype(np.float64)

def best(f, times):
    spent = []
    for _ in range(times):
        begin = time.perf_counter()
        f()
        spent.append(time.perf_counter() - begin)
    return min(spent)

def welch(x):
    return signal.welch(x, 100.0, window='hann', nperseg=4096, noverlap=2048,
                        detrend='constant', scaling='density')

def rainflow(x):
    keep = np.concatenate(([True], np.diff(x) != 0))
    idx = np.flatnonzero(keep)
    v = x[idx]
    d = np.sign(np.diff(v))
    turns = np.flatnonzero(d[1:] != d[:-1]) + 1
    sel = np.concatenate(([0], turns, [len(v) - 1]))
    cycles = []
    values, samples = [], []
    for value, sample in zip(v[sel].tolist(), idx[sel].tolist()):
        values.append(value)
        samples.append(sample)
        while len(values) >= 3:
            x_range = abs(values[-1] - values[-2])
            y_range = abs(values[-2] - values[-3])
            if x_range < y_range:
                break
            if len(values) == 3:
                cycles.append((y_range, (values[0] + values[1]) / 2, 0.5, samples[0], samples[1]))
                del values[0], samples[0]
            else:
                cycles.append((y_range, (values[-3] + values[-2]) / 2, 1.0, samples[-3], samples[-2]))
                del values[-3:-1], samples[-3:-1]
    for k in range(len(values) - 1):
        cycles.append((abs(values[k + 1] - values[k]), (values[k] + values[k + 1]) / 2, 0.5,
                       samples[k], samples[k + 1]))
    return cycles

if sys.argv[2] == 'welch':
    print(best(lambda: welch(x64), 3), best(lambda: welch(x32), 3))
else:
    print(best(lambda: rainflow(x64), 1), best(lambda: rainflow(x32), 1))
)";

// The seconds Python spends, with float64 and float32 samples; the faster
// is the one to beat. Negative when it cannot run.
std::pair<double, double> pythonSeconds(const char *what)
{
	const std::string script =
			(std::filesystem::temp_directory_path() / "kelvra-analysis-peer.py")
					.string();
	std::ofstream(script) << kPeer;
	const std::string command = "/usr/bin/python3 '" + script + "' '" + dayFile() + "' " + what;
	std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
	double f64 = -1.0, f32 = -1.0;
	if (!pipe || std::fscanf(pipe.get(), "%lf %lf", &f64, &f32) != 2)
		return {-1.0, -1.0};
	return {f64, f32};
}

// Times `run` over the benchmark's iterations, then Python's peer once, and
// reports both, their ratio and our memory.
template <typename Run>
void againstPython(benchmark::State &state, const char *what, const char *peerName, Run run)
{
	dayFile();
	const PeakAboveIdle peak;
	double ours = 0.0;
	for (auto _ : state) {
		const auto begin = std::chrono::steady_clock::now();
		run();
		ours += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin)
					.count();
	}
	ours /= static_cast<double>(state.iterations());
	state.counters["MB_above_idle"] = peak.megabytes();
	const auto [f64, f32] = pythonSeconds(what);
	if (f64 < 0.0) {
		state.SkipWithError("/usr/bin/python3 with numpy and scipy could not run");
		return;
	}
	const double theirs = std::min(f64, f32);
	state.counters["ours_s"] = ours;
	state.counters["python_s"] = theirs;
	state.counters["speedup"] = theirs / ours;
	std::printf("%s of a day: ours %.3f s, %s %.3f s (float64 %.3f s, float32 %.3f s): %.1f times "
		    "faster, %.1f MB above idle\n",
			what, ours, peerName, theirs, f64, f32, theirs / ours, peak.megabytes());
}

void BM_PsdOfADay(benchmark::State &state)
{
	againstPython(state, "welch", "scipy.signal.welch", [] {
		const auto psd = WelchPsdOf(day(), {0, kDay}, 4096);
		benchmark::DoNotOptimize(psd->values.data());
	});
}
BENCHMARK(BM_PsdOfADay)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RainflowOfADay(benchmark::State &state)
{
	againstPython(state, "rainflow", "numpy rainflow", [] {
		double counted = 0.0;
		const auto count = CountRainflow(day(), {0, kDay}, {},
				[&](const RainflowCycle &c) { counted += c.count; });
		benchmark::DoNotOptimize(counted + count->cycles);
	});
}
BENCHMARK(BM_RainflowOfADay)->Unit(benchmark::kMillisecond)->Iterations(3);

// Not compared: the window's spectrum of a day, averaged over 2^16-sample segments.
void BM_AmplitudeSpectrumOfADay(benchmark::State &state)
{
	day();
	const PeakAboveIdle peak;
	for (auto _ : state)
		benchmark::DoNotOptimize(AmplitudeSpectrumOf(day(), {0, kDay})->values.data());
	state.counters["MB_above_idle"] = peak.megabytes();
}
BENCHMARK(BM_AmplitudeSpectrumOfADay)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MinuteStatisticsOfAWeekOfFourUnits(benchmark::State &state)
{
	constexpr uint64_t kWeek = 7 * kDay;
	std::vector<std::unique_ptr<SummarySeries>> units;
	for (int u = 0; u < 4; ++u) {
		// Two drop-outs a unit, where the summaries of the blocks they cut
		// count fewer samples.
		const std::vector<SampleRange> gaps{{kDay + 77777u * u, kDay + 77777u * u + 30000},
				{5 * kDay + 123, 5 * kDay + 1123}};
		units.push_back(std::make_unique<SummarySeries>(
				kWeek, kInterval,
				[u](uint64_t s) {
					return 100.0f * u + static_cast<float>(s % 100000) * 1e-3f +
							static_cast<float>((s * 2654435761u) >> 22 &
									1023) *
							1e-3f;
				},
				gaps));
	}
	const std::vector<const SeriesSource *> sources{
			units[0].get(), units[1].get(), units[2].get(), units[3].get()};
	const PeakAboveIdle peak;
	uint64_t rows = 0;
	for (auto _ : state) {
		rows = 0;
		ForEachIntervalRow(sources, {0, kWeek}, 60.0, [&](const IntervalRow &row) {
			rows += 1;
			benchmark::DoNotOptimize(row.statistics.sd);
		});
	}
	uint64_t raw = 0;
	for (const auto &unit : units)
		raw += unit->samplesRead;
	state.counters["rows"] = static_cast<double>(rows);
	state.counters["raw_samples_read_per_row"] =
			static_cast<double>(raw) / static_cast<double>(rows * state.iterations());
	state.counters["MB_above_idle"] = peak.megabytes();
}
BENCHMARK(BM_MinuteStatisticsOfAWeekOfFourUnits)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

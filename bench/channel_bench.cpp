// What the channels cost a run of four units at 10 ms: the units' bridges,
// tare and scaling, a unit's stress, a rectangular rosette with its material
// and four computed channels, evaluated row by row in the ticks of 300 ms
// that bring 30 rows each. Reported per sample of each output channel
// ("per_channel_sample"); a channel may cost at most 0.5 µs. Each row's
// values go to a sink, where the limits of the channels will be watched.

#include "channels/ChannelEvaluator.h"
#include "channels/DefinitionCheck.h"
#include "channels/DefinitionOptions.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace kelvra;

namespace {

constexpr int kRowsPerTick = 30; // 300 ms at 10 ms
constexpr std::size_t kSignalRows = 4096;

const MeasuredUnits kUnits{{true, true, true, true}, true};

enum class Set { Units, UnitsAndRosette, Everything };

ChannelDefinitions definitions(Set set)
{
	std::vector<std::pair<std::string_view, std::string_view>> options = {{"bridge", "0:half2"},
			{"gauge-factor", "0:2.05"}, {"bridge", "1:quarter1"}, {"lead-ohm", "1:0.4"},
			{"gauge-ohm", "1:350"}, {"tare", "1"}, {"bridge", "2:full3"},
			{"scale", "3:-1000=-2,0=0,500=1.1,1000=2.3"}, {"scale-unit", "3:kN"}};
	if (set != Set::Units)
		options.insert(options.end(),
				{{"modulus", "0:205"}, {"rosette", "rect:0,1,2"},
						{"rosette-material", "r:205:0.3"}});
	if (set == Set::Everything)
		options.insert(options.end(),
				{{"channel", "bend = (ID0 - ID1) / 2"},
						{"channel", "axial = (ID0 + ID1) / 2"},
						{"channel", "usage = r_vm / 250"},
						{"channel",
								"mix = sqrt(bend^2 + axial^2) * "
								"cos(r_theta / 57.29577951308232) + ID3"}});
	ChannelDefinitions d;
	for (const auto &[option, value] : options) {
		if (applyDefinitionOption(d, option, value)) {
			std::fprintf(stderr, "--%.*s refused\n", static_cast<int>(option.size()),
					option.data());
			std::abort();
		}
	}
	if (checkDefinitions(d, kUnits))
		std::abort();
	return d;
}

// Readings that move, so that no branch settles: a bending beam's surfaces
// and a load cell.
std::vector<UnitReadings> signal()
{
	std::vector<UnitReadings> rows(kSignalRows);
	for (std::size_t i = 0; i < rows.size(); ++i) {
		const double t = static_cast<double>(i) * 0.01;
		rows[i] = {static_cast<float>(800 * std::sin(t)),
				static_cast<float>(-600 * std::sin(t)),
				static_cast<float>(300 * std::cos(0.7 * t)),
				static_cast<float>(900 * std::sin(0.3 * t))};
	}
	return rows;
}

struct DiscardingSink {
	void operator()(std::span<const double> values) const
	{
		benchmark::DoNotOptimize(values.data());
	}
};

template <typename Sink>
void runTicks(benchmark::State &state, Set set, Sink sink)
{
	ChannelEvaluator evaluator(definitions(set), kUnits);
	const std::vector<UnitReadings> rows = signal();
	std::size_t next = 0;
	for (auto _ : state) {
		for (int i = 0; i < kRowsPerTick; ++i) {
			sink(evaluator.evaluate(rows[next]));
			next = (next + 1) % rows.size();
		}
		benchmark::ClobberMemory();
	}
	const auto channels = static_cast<double>(evaluator.channels().size());
	const double samples = static_cast<double>(state.iterations()) * kRowsPerTick * channels;
	state.counters["channels"] = channels;
	state.counters["per_channel_sample"] = benchmark::Counter(
			samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
	state.counters["per_row"] =
			benchmark::Counter(static_cast<double>(state.iterations()) * kRowsPerTick,
					benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

static void BM_ChannelTick(benchmark::State &state)
{
	runTicks(state, static_cast<Set>(state.range(0)), DiscardingSink{});
}
BENCHMARK(BM_ChannelTick)
		->Arg(static_cast<int>(Set::Units))
		->Arg(static_cast<int>(Set::UnitsAndRosette))
		->Arg(static_cast<int>(Set::Everything))
		->ArgName("set")
		->Unit(benchmark::kMicrosecond);

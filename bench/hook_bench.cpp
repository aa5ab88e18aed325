// What a hook costs the run and how soon it starts: notify() on the run's
// thread while a hook hangs (it only queues), and the time from an event to
// the end of a hook that does nothing (the start comes before it).

#include "hooks/HookRunner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace kelvra;

namespace {

HookCommand commandOf(const char *line)
{
	const HookCommandCheck check = ParseHookCommand(QString::fromLatin1(line));
	if (!check.command)
		qFatal("hook command: %s", qPrintable(check.message));
	return *check.command;
}

const HookEvent kAlarm{HookKind::Alarm, 0, 1.5, 250.0, QStringLiteral("upper 200 (250)")};

// notify() with a hook hanging in front and the queue filling up, then full.
void BM_NotifyWhileAHookHangs(benchmark::State &state)
{
	HookRunner runner(commandOf("/bin/sleep 60"), HookKinds::all());
	runner.notify(kAlarm);
	QCoreApplication::processEvents(); // the sleeping hook starts
	for (auto _ : state)
		runner.notify(kAlarm);
	runner.stop();
}
BENCHMARK(BM_NotifyWhileAHookHangs)->Unit(benchmark::kNanosecond);

// From notify() to the report of /bin/true, the runner idle before.
void BM_EventToHookEnd(benchmark::State &state)
{
	HookRunner runner(commandOf("/bin/true"), HookKinds::all());
	QEventLoop loop;
	runner.onReport = [&loop](const HookReport &) { loop.quit(); };
	QTimer bound; // a hook that never reports ends the wait
	bound.setSingleShot(true);
	QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
	double worstMs = 0.0;
	for (auto _ : state) {
		const auto start = std::chrono::steady_clock::now();
		runner.notify(kAlarm);
		bound.start(5000);
		loop.exec();
		const double ms = std::chrono::duration<double, std::milli>(
				std::chrono::steady_clock::now() - start)
						  .count();
		worstMs = std::max(worstMs, ms);
		state.SetIterationTime(ms / 1000.0);
	}
	state.counters["worst ms"] = worstMs;
}
BENCHMARK(BM_EventToHookEnd)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
	QCoreApplication app(argc, argv);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}

// What the status page costs the run: a sample into its ten minutes, the
// snapshot made from them once a second, and publish() while 16 clients
// stream; what the server's own thread takes: a status's JSON, and its
// share of a core with 16 streams; and how long a status takes from
// publish() to a client of the stream.

#include "status/StatusJson.h"
#include "status/StatusServer.h"
#include "status/StatusTrail.h"
#include "status/SyntheticStatus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

using namespace kelvra;
using namespace kelvra::test;

namespace {

constexpr int kSeries = 8; // four units and four channels
constexpr int kStreams = 16;

// Clients of the stream on plain sockets, read by one thread that drops
// what comes, as a browser that only shows it would.
class Streams {
public:
	explicit Streams(quint16 port, int count = kStreams)
	{
		for (int i = 0; i < count; ++i)
			fds_.push_back({OpenStream(port), POLLIN, 0});
		reader_ = std::thread([this] { read(); });
	}

	static int OpenStream(quint16 port)
	{
		const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
		sockaddr_in address{};
		address.sin_family = AF_INET;
		address.sin_port = htons(port);
		address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
		const QByteArray request = "GET /api/stream HTTP/1.1\r\nHost: 127.0.0.1:" +
				QByteArray::number(port) + "\r\n\r\n";
		::send(fd, request.constData(), static_cast<size_t>(request.size()), 0);
		return fd;
	}
	~Streams()
	{
		reading_ = false;
		reader_.join();
		for (const pollfd &fd : fds_)
			::close(fd.fd);
	}
	int64_t bytes() const { return bytes_; }

private:
	void read()
	{
		char buffer[65536];
		while (reading_) {
			if (::poll(fds_.data(), fds_.size(), 100) <= 0)
				continue;
			for (pollfd &fd : fds_)
				if (fd.revents & POLLIN)
					bytes_ += std::max<ssize_t>(
							0, ::recv(fd.fd, buffer, sizeof buffer, 0));
		}
	}

	std::vector<pollfd> fds_;
	std::thread reader_;
	std::atomic<bool> reading_ = true;
	std::atomic<int64_t> bytes_ = 0;
};

struct Served {
	Served()
	{
		QString error;
		if (!server.start(error))
			qFatal("status server: %s", qPrintable(error));
	}
	StatusServer server{StatusServerOptions{}};
};

// Ticks of CPU the server's thread (named after it) has taken.
int64_t serverThreadTicks()
{
	const QDir tasks(QStringLiteral("/proc/self/task"));
	for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
		QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
		if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != "status page")
			continue;
		QFile stat(tasks.filePath(task + QStringLiteral("/stat")));
		if (!stat.open(QIODevice::ReadOnly))
			return 0;
		const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
		return fields.value(12).toLongLong() +
				fields.value(13).toLongLong(); // utime, stime
	}
	return 0;
}

void BM_TrailAdd(benchmark::State &state)
{
	StatusTrail trail;
	double time = 0.0;
	for (auto _ : state) {
		trail.add(time, static_cast<float>(time));
		time += 0.01;
	}
	state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrailAdd);

void BM_SnapshotFromTrails(benchmark::State &state)
{
	std::vector<StatusTrail> trails(kSeries);
	for (int i = 0; i < 60'000; ++i)
		for (StatusTrail &trail : trails)
			trail.add(i * 0.01, static_cast<float>(i % 1000));
	for (auto _ : state) {
		StatusSnapshot snapshot;
		for (int s = 0; s < kSeries; ++s) {
			snapshot.values.push_back({QStringLiteral("ID%1").arg(s), 1.0f,
					QStringLiteral("μひずみ"), StatusAlarm::None});
			snapshot.series.push_back({snapshot.values.back().name,
					snapshot.values.back().unitName, trails[s].points()});
		}
		benchmark::DoNotOptimize(snapshot);
	}
}
BENCHMARK(BM_SnapshotFromTrails);

// The server's work for each status: the JSON of a snapshot and 50 events.
void BM_StatusJson(benchmark::State &state)
{
	const StatusSnapshot snapshot = SyntheticSnapshot(1, kSeries);
	std::deque<StatusEvent> events;
	for (int n = 1; n <= 1000; ++n)
		events.push_back(SyntheticEvent(n));
	for (auto _ : state)
		benchmark::DoNotOptimize(StatusJson(snapshot, events, 50, 1000));
	state.counters["bytes"] =
			static_cast<double>(StatusJson(snapshot, events, 50, 1000).size());
}
BENCHMARK(BM_StatusJson)->Unit(benchmark::kMicrosecond);

// publish() of a snapshot the run has made, 16 streams open; the copy
// stands for the making and is timed apart.
void BM_PublishWith16Streams(benchmark::State &state)
{
	Served served;
	Streams streams(served.server.port());
	const StatusSnapshot made = SyntheticSnapshot(1, kSeries);
	int tick = 0;
	for (auto _ : state) {
		state.PauseTiming();
		StatusSnapshot snapshot = made;
		snapshot.recording.samplesLost = ++tick;
		state.ResumeTiming();
		served.server.publish(std::move(snapshot));
		served.server.addEvent(SyntheticEvent(tick));
	}
	state.counters["stream MB"] = static_cast<double>(streams.bytes()) / 1e6;
}
BENCHMARK(BM_PublishWith16Streams)->Unit(benchmark::kMicrosecond);

// Ten seconds of a run publishing once a second with 16 streams open: the
// share of one core the server's thread takes.
void BM_ServerShareWith16Streams(benchmark::State &state)
{
	Served served;
	Streams streams(served.server.port());
	const int64_t ticksPerSecond = ::sysconf(_SC_CLK_TCK);
	for (auto _ : state) {
		const int64_t before = serverThreadTicks();
		for (int tick = 0; tick < 10; ++tick) {
			served.server.publish(SyntheticSnapshot(tick, kSeries));
			served.server.addEvent(SyntheticEvent(tick));
			std::this_thread::sleep_for(std::chrono::seconds(1));
		}
		const double used = static_cast<double>(serverThreadTicks() - before) /
				static_cast<double>(ticksPerSecond);
		state.counters["server % of a core"] = 100.0 * used / 10.0;
	}
	state.counters["stream MB/s"] = static_cast<double>(streams.bytes()) / 1e6 / 10.0;
}
BENCHMARK(BM_ServerShareWith16Streams)->Iterations(1)->Unit(benchmark::kSecond);

// publish() to the status in a stream read by a client, 15 more streams
// open, publishing once a second as the run does and an event half a second
// after each: a value is on the page at most a second and this later.
void BM_StreamDelayWith16Streams(benchmark::State &state)
{
	Served served;
	Streams others(served.server.port(), kStreams - 1);
	const int watched = Streams::OpenStream(served.server.port());
	QByteArray seen;
	int tick = 0;
	auto published = std::chrono::steady_clock::now();
	// Publishes a second after the last and reads the watched stream up to it.
	const auto publishAndRead = [&] {
		StatusSnapshot snapshot = SyntheticSnapshot(1, kSeries);
		snapshot.recording.samplesLost = ++tick + 1000000;
		const QByteArray marker = "\"samplesLost\":" + QByteArray::number(tick + 1000000);
		std::this_thread::sleep_until(published + std::chrono::seconds(1));
		published = std::chrono::steady_clock::now();
		served.server.publish(std::move(snapshot));
		char buffer[65536];
		pollfd fd{watched, POLLIN, 0};
		while (!seen.contains(marker) && ::poll(&fd, 1, 5000) > 0)
			seen += QByteArray(buffer,
					std::max<ssize_t>(0,
							::recv(watched, buffer, sizeof buffer, 0)));
		seen = seen.mid(seen.lastIndexOf(marker));
		const double ms = std::chrono::duration<double, std::milli>(
				std::chrono::steady_clock::now() - published)
						  .count();
		std::this_thread::sleep_until(published + std::chrono::milliseconds(500));
		served.server.addEvent(SyntheticEvent(tick));
		return ms;
	};
	publishAndRead(); // the stream's first status, sent as it opens
	double worstMs = 0.0;
	for (auto _ : state) {
		const double ms = publishAndRead();
		worstMs = std::max(worstMs, ms);
		state.SetIterationTime(ms / 1000.0);
	}
	state.counters["worst ms"] = worstMs;
	::close(watched);
}
BENCHMARK(BM_StreamDelayWith16Streams)
		->Iterations(20)
		->UseManualTime()
		->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
	QCoreApplication app(argc, argv);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}

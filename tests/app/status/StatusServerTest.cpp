// The status server through real HTTP on 127.0.0.1: what it refuses and
// what it serves, its stream, its limit of clients, and a stalled client
// that holds neither the publisher nor the others.

#include "HttpClient.h"
#include "SyntheticStatus.h"

#include "status/StatusServer.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace kelvra;
using namespace kelvra::test;

namespace {

struct Served {
	explicit Served(QByteArray token = {}) : server({QHostAddress::LocalHost, 0, token})
	{
		QString error;
		EXPECT_TRUE(server.start(error)) << error.toStdString();
	}
	HttpAnswer get(const QByteArray &request) { return HttpClient(port(), request).answer(); }
	HttpAnswer get(const char *path) { return get(GetRequest(port(), path)); }
	QJsonObject status() { return QJsonDocument::fromJson(get("/api/status").body).object(); }
	quint16 port() const { return server.port(); }

	StatusServer server;
};

// The value of series 0 in a status; -1 in one before any snapshot.
double firstValue(const QJsonObject &status)
{
	return status[u"values"].toArray().at(0)[u"value"].toDouble(-1);
}

void pause(int ms)
{
	std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

TEST(StatusServer, RefusesWhatItMustAndServesTheRest)
{
	const QByteArray token = "s3cret-token-of-the-lab_42";
	const QByteArray bearer = "Authorization: Bearer " + token + "\r\n";
	const struct {
		const char *name;
		QByteArray request;
		int status;
		QByteArray header = {}; // "name: parts; of its value" the answer must carry
	} cases[] = {
			{"no token", "GET /api/status HTTP/1.1\r\n\r\n", 401,
					"www-authenticate: Bearer"},
			{"a wrong token",
					"GET / HTTP/1.1\r\nAuthorization: Bearer " + token +
							"x\r\n\r\n",
					401},
			{"the token as header", "GET /api/status HTTP/1.1\r\n" + bearer + "\r\n",
					200, "cache-control: no-store"},
			{"the token in the page's address",
					"GET /?token=" + token + " HTTP/1.1\r\n\r\n", 200,
					"set-cookie: HttpOnly; SameSite=Strict"},
			{"a wrong token in the address",
					"GET /?token=" + token.left(20) + " HTTP/1.1\r\n\r\n", 401},
			{"the token in an API address",
					"GET /api/status?token=" + token + " HTTP/1.1\r\n\r\n",
					401},
			{"the page's cookie",
					"GET /api/events HTTP/1.1\r\nCookie: a=b; kelvra_status=" +
							token + "\r\n\r\n",
					200, "x-content-type-options: nosniff"},
			{"POST",
					"POST /api/status HTTP/1.1\r\n" + bearer +
							"Content-Length: 2\r\n\r\n{}",
					405, "allow: GET"},
			{"HEAD", "HEAD / HTTP/1.1\r\n" + bearer + "\r\n", 405},
			{"a path outside the API",
					"GET /api/statuses HTTP/1.1\r\n" + bearer + "\r\n", 404},
			{"a file's path", "GET /../../etc/passwd HTTP/1.1\r\n" + bearer + "\r\n",
					404},
			{"a folder", "GET /api/ HTTP/1.1\r\n" + bearer + "\r\n", 404},
			{"a bad since", "GET /api/events?since=-1 HTTP/1.1\r\n" + bearer + "\r\n",
					400},
			{"over 8 kB",
					"GET /api/status HTTP/1.1\r\n" + bearer +
							"X: " + QByteArray(8200, 'a') + "\r\n\r\n",
					413},
			{"not HTTP", "HELLO\r\n\r\n", 400},
			{"a body",
					"GET / HTTP/1.1\r\n" + bearer +
							"Transfer-Encoding: chunked\r\n\r\n",
					400},
	};
	Served served(token);
	for (const auto &c : cases) {
		SCOPED_TRACE(c.name);
		const HttpAnswer answer = served.get(c.request);
		EXPECT_EQ(answer.status, c.status);
		EXPECT_EQ(answer.body.isEmpty(), c.status != 200) << "no detail in a refusal";
		const QByteArray name = c.header.left(c.header.indexOf(':'));
		for (const QByteArray &part : c.header.mid(name.size() + 1).split(';'))
			EXPECT_TRUE(answer.headers.value(name).contains(part.trimmed()))
					<< part.data();
	}

	Served loopback;
	const HttpAnswer page = loopback.get("/");
	EXPECT_EQ(page.status, 200);
	EXPECT_TRUE(page.headers.value("content-security-policy").contains("script-src 'self'"));
	const QByteArray renamed = "GET / HTTP/1.1\r\nHost: evil.example:" +
			QByteArray::number(loopback.port()) + "\r\n\r\n";
	EXPECT_EQ(loopback.get(renamed).status, 421) << "a page of another site renaming its host";
}

TEST(StatusServer, ApiTellsTheNewestSnapshotAndTheEvents)
{
	Served served;
	served.server.publish(SyntheticSnapshot(1));
	served.server.publish(SyntheticSnapshot(7));
	for (int n = 1; n <= 60; ++n)
		served.server.addEvent(SyntheticEvent(n));
	QJsonObject status;
	for (int i = 0; i < 100 && status[u"lastEvent"].toInt() != 60; ++i, pause(50))
		status = served.status();

	const QJsonArray values = status[u"values"].toArray();
	ASSERT_EQ(values.size(), 4);
	EXPECT_EQ(values[1][u"value"].toDouble(), SyntheticValue(1, 7));
	EXPECT_EQ(values[1][u"alarm"].toString(), u"warning");
	EXPECT_EQ(values[2][u"alarm"].toString(), u"alarm");
	EXPECT_EQ(status[u"recording"][u"file"].toString(), u"/data/weekend-7.kvr");
	EXPECT_FALSE(status[u"recording"][u"lastsText"].toString().isEmpty());
	const QJsonArray events = status[u"events"].toArray();
	ASSERT_EQ(events.size(), 50) << "the newest fifty";
	EXPECT_EQ(events[49][u"seq"].toInt(), 60);
	EXPECT_EQ(events[49][u"text"].toString(), SyntheticEvent(60).text)
			<< "as given, '<' and all";
	const QJsonArray points = status[u"series"][0][u"points"].toArray();
	EXPECT_EQ(points.size(), 300);
	EXPECT_EQ(points.last()[3].toDouble(), SyntheticValue(0, 7));

	const QJsonArray since =
			QJsonDocument::fromJson(served.get("/api/events?since=55").body)[u"events"]
					.toArray();
	ASSERT_EQ(since.size(), 5);
	EXPECT_EQ(since[0][u"seq"].toInt(), 56);
}

TEST(StatusServer, StreamSendsAStatusEachTimeTheRunPublishesOne)
{
	Served served;
	std::atomic<bool> running = true;
	std::thread run([&] {
		for (int tick = 0; running; ++tick, pause(1000))
			served.server.publish(SyntheticSnapshot(tick));
	});
	HttpClient stream(served.port(), GetRequest(served.port(), "/api/stream"));
	EXPECT_EQ(stream.answer().headers.value("content-type"), "text/event-stream");
	QElapsedTimer clock;
	clock.start();
	std::vector<double> values;
	while (clock.elapsed() < 4500)
		if (const auto status = stream.nextStatus(1500))
			values.push_back(firstValue(*status));
	running = false;
	run.join();
	// The first status comes at once; then one a second.
	EXPECT_GE(values.size(), 4u);
	EXPECT_LE(values.size(), 7u);
	EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
	EXPECT_GT(values.back(), values[1]);
}

TEST(StatusServer, SeventeenthClientIsRefusedWhileSixteenStayServed)
{
	Served served;
	served.server.publish(SyntheticSnapshot(1));
	std::vector<std::unique_ptr<HttpClient>> streams;
	for (int i = 0; i < 16; ++i) {
		streams.push_back(std::make_unique<HttpClient>(
				served.port(), GetRequest(served.port(), "/api/stream")));
		ASSERT_EQ(streams.back()->answer().status, 200);
		ASSERT_TRUE(streams.back()->nextStatus());
	}
	EXPECT_EQ(served.get("/api/status").status, 503);

	served.server.publish(SyntheticSnapshot(2));
	for (const auto &stream : streams) {
		const auto status = stream->nextStatus();
		ASSERT_TRUE(status);
		EXPECT_EQ((*status)[u"recording"][u"samplesLost"].toInt(), 2);
	}
	streams.pop_back();
	int answered = 0;
	for (int i = 0; i < 40 && answered != 200; ++i, pause(50))
		answered = served.get("/api/status").status;
	EXPECT_EQ(answered, 200) << "a place given back is taken again";
}

// A client stops reading its stream for longer than the server waits for
// it, while the run publishes thousands of large snapshots and events.
TEST(StatusServer, StalledClientHoldsNeitherThePublisherNorTheOthers)
{
	Served served;
	served.server.publish(SyntheticSnapshot(0, 16));
	HttpClient stalled(served.port(), GetRequest(served.port(), "/api/stream"));
	std::atomic<bool> running = true;
	int statusesRead = 0;
	double lastSeen = 0.0;
	std::thread other([&] {
		HttpClient stream(served.port(), GetRequest(served.port(), "/api/stream"));
		while (running)
			if (const auto status = stream.nextStatus(2000)) {
				lastSeen = firstValue(*status);
				++statusesRead;
			}
	});

	QElapsedTimer clock;
	clock.start();
	int published = 0;
	for (; clock.elapsed() < 24'000; pause(4)) {
		served.server.publish(SyntheticSnapshot(++published, 16));
		served.server.addEvent(SyntheticEvent(published));
	}
	pause(1500);
	running = false;
	other.join();
	EXPECT_GT(published, 2000);
	EXPECT_GE(statusesRead, 20) << "the others had a status each second";
	EXPECT_EQ(lastSeen, SyntheticValue(0, published)) << "and the newest at last";
	EXPECT_TRUE(stalled.closedByServer(10'000)) << "the stalled client's place is given back";
	EXPECT_EQ(served.get("/api/status").status, 200);
}

int main(int argc, char **argv)
{
	QCoreApplication app(argc, argv);
	testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}

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

const QByteArray kToken = "s3cret-token-of-the-lab_42";

struct Served {
	explicit Served(QByteArray token = {})
		: server({QHostAddress(QHostAddress::LocalHost), 0, std::move(token)})
	{
		QString error;
		EXPECT_TRUE(server.start(error)) << error.toStdString();
		port = server.port();
	}

	HttpAnswer get(const QByteArray &request)
	{
		HttpClient client(port);
		client.send(request);
		return client.answer();
	}

	// The status once the server has taken what was handed over.
	QJsonObject statusWhen(const std::function<bool(const QJsonObject &)> &ready)
	{
		QJsonObject status;
		for (int i = 0; i < 100; ++i) {
			status = QJsonDocument::fromJson(get(GetRequest(port, "/api/status")).body)
						 .object();
			if (ready(status))
				break;
			std::this_thread::sleep_for(std::chrono::milliseconds(50));
		}
		return status;
	}

	StatusServer server;
	quint16 port = 0;
};

// The value of series 0 in a status; -1 in one before any snapshot.
double firstValue(const QJsonObject &status)
{
	return status.value(u"values").toArray().at(0).toObject().value(u"value").toDouble(-1);
}

struct Case {
	const char *name;
	QByteArray request;
	int status;
	QByteArray header = {}; // a header the answer must carry, "name: part of its value"
};

} // namespace

TEST(StatusServer, RefusesWhatItMustAndServesTheRest)
{
	Served withToken(kToken);
	Served loopback;
	const QByteArray bearer = "Authorization: Bearer " + kToken + "\r\n";
	const Case withTokenCases[] = {
			{"no token", "GET /api/status HTTP/1.1\r\n\r\n", 401,
					"www-authenticate: Bearer"},
			{"wrong token",
					"GET /api/status HTTP/1.1\r\nAuthorization: Bearer " +
							kToken + "x\r\n\r\n",
					401},
			{"token as header", "GET /api/status HTTP/1.1\r\n" + bearer + "\r\n", 200,
					"cache-control: no-store"},
			{"token in the page's address",
					"GET /?token=" + kToken + " HTTP/1.1\r\n\r\n", 200,
					"set-cookie: HttpOnly; SameSite=Strict"},
			{"wrong token in the address",
					"GET /?token=" + kToken.left(20) + " HTTP/1.1\r\n\r\n",
					401},
			{"token in an API address",
					"GET /api/status?token=" + kToken + " HTTP/1.1\r\n\r\n",
					401},
			{"token as cookie",
					"GET /api/events HTTP/1.1\r\nCookie: a=b; kelvra_status=" +
							kToken + "\r\n\r\n",
					200},
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
			{"bad since", "GET /api/events?since=-1 HTTP/1.1\r\n" + bearer + "\r\n",
					400},
			{"over 8 kB",
					"GET /api/status HTTP/1.1\r\n" + bearer + "X-Fill: " +
							QByteArray(8200, 'a') + "\r\n\r\n",
					413},
			{"not HTTP", "HELLO\r\n\r\n", 400},
			{"a body",
					"GET /api/status HTTP/1.1\r\n" + bearer +
							"Transfer-Encoding: chunked\r\n\r\n",
					400},
	};
	for (const Case &c : withTokenCases) {
		SCOPED_TRACE(c.name);
		const HttpAnswer answer = withToken.get(c.request);
		EXPECT_EQ(answer.status, c.status);
		if (c.status == 401) {
			EXPECT_TRUE(answer.body.isEmpty());
		}
		if (!c.header.isEmpty()) {
			const QByteArray name = c.header.left(c.header.indexOf(':'));
			for (const QByteArray &part : c.header.mid(name.size() + 1).split(';'))
				EXPECT_TRUE(answer.headers.value(name).contains(part.trimmed()))
						<< answer.headers.value(name).toStdString();
		}
	}

	const HttpAnswer page = loopback.get(GetRequest(loopback.port, "/"));
	EXPECT_EQ(page.status, 200);
	EXPECT_TRUE(page.body.contains("<h1>"));
	EXPECT_EQ(page.headers.value("content-security-policy").contains("script-src 'self'"),
			true);
	EXPECT_EQ(page.headers.value("x-content-type-options"), "nosniff");
	const QByteArray renamed = "GET / HTTP/1.1\r\nHost: evil.example:" +
			QByteArray::number(loopback.port) + "\r\n\r\n";
	EXPECT_EQ(loopback.get(renamed).status, 421) << "a page of another site renaming its host";
}

TEST(StatusServer, ApiTellsTheNewestSnapshotAndTheEvents)
{
	Served served;
	served.server.publish(SyntheticSnapshot(1));
	served.server.publish(SyntheticSnapshot(7));
	for (int n = 1; n <= 60; ++n)
		served.server.addEvent(SyntheticEvent(n));

	const QJsonObject status = served.statusWhen(
			[](const QJsonObject &s) { return s.value(u"lastEvent").toInt() == 60; });
	const QJsonArray values = status.value(u"values").toArray();
	ASSERT_EQ(values.size(), 4);
	EXPECT_EQ(values[1].toObject().value(u"value").toDouble(), SyntheticValue(1, 7));
	EXPECT_EQ(values[1].toObject().value(u"alarm").toString(), u"warning");
	EXPECT_EQ(values[2].toObject().value(u"alarm").toString(), u"alarm");
	EXPECT_EQ(values[3].toObject().value(u"unit").toString(), QStringLiteral("μひずみ"));
	const QJsonObject recording = status.value(u"recording").toObject();
	EXPECT_EQ(recording.value(u"file").toString(), u"/data/weekend-7.kvr");
	EXPECT_EQ(recording.value(u"samplesLost").toInt(), 7);
	EXPECT_FALSE(recording.value(u"lastsText").toString().isEmpty());
	const QJsonArray events = status.value(u"events").toArray();
	ASSERT_EQ(events.size(), 50) << "the newest fifty";
	EXPECT_EQ(events[49].toObject().value(u"seq").toInt(), 60);
	EXPECT_EQ(events[49].toObject().value(u"text").toString(), SyntheticEvent(60).text)
			<< "told as it was given, '<' and all";
	const QJsonArray last =
			status.value(u"series").toArray()[0].toObject().value(u"points").toArray();
	EXPECT_EQ(last.size(), 300);
	EXPECT_EQ(last.last().toArray()[3].toDouble(), SyntheticValue(0, 7));

	const QJsonObject since = QJsonDocument::fromJson(
			served.get(GetRequest(served.port, "/api/events?since=55")).body)
						  .object();
	const QJsonArray after = since.value(u"events").toArray();
	ASSERT_EQ(after.size(), 5);
	EXPECT_EQ(after[0].toObject().value(u"seq").toInt(), 56);
	EXPECT_EQ(after[0].toObject().value(u"kind").toString(), u"warning");
}

TEST(StatusServer, StreamSendsAStatusEachTimeTheRunPublishesOne)
{
	Served served;
	std::atomic<bool> publishing = true;
	std::thread run([&] {
		for (int tick = 0; publishing; ++tick) {
			served.server.publish(SyntheticSnapshot(tick));
			std::this_thread::sleep_for(std::chrono::seconds(1));
		}
	});
	HttpClient stream(served.port);
	stream.send(GetRequest(served.port, "/api/stream"));
	const HttpAnswer head = stream.answer();
	EXPECT_EQ(head.status, 200);
	EXPECT_EQ(head.headers.value("content-type"), "text/event-stream");

	QElapsedTimer clock;
	clock.start();
	std::vector<double> values;
	while (clock.elapsed() < 4500)
		if (const auto status = stream.nextStatus(1500))
			values.push_back(firstValue(*status));
	publishing = false;
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
		streams.push_back(std::make_unique<HttpClient>(served.port));
		streams.back()->send(GetRequest(served.port, "/api/stream"));
		ASSERT_EQ(streams.back()->answer().status, 200);
		ASSERT_TRUE(streams.back()->nextStatus());
	}
	EXPECT_EQ(served.get(GetRequest(served.port, "/api/status")).status, 503);

	served.server.publish(SyntheticSnapshot(2));
	for (const auto &stream : streams) {
		const auto status = stream->nextStatus();
		ASSERT_TRUE(status);
		EXPECT_EQ(status->value(u"recording").toObject().value(u"samplesLost").toInt(), 2);
	}

	streams.pop_back();
	int answered = 0;
	for (int i = 0; i < 40 && answered != 200; ++i) {
		std::this_thread::sleep_for(std::chrono::milliseconds(50));
		answered = served.get(GetRequest(served.port, "/api/status")).status;
	}
	EXPECT_EQ(answered, 200) << "a place given back is taken again";
}

// A client stops reading its stream for longer than the server waits for
// it, while the run publishes thousands of large snapshots and events.
TEST(StatusServer, StalledClientHoldsNeitherThePublisherNorTheOthers)
{
	Served served;
	served.server.publish(SyntheticSnapshot(0, 16));
	HttpClient stalled(served.port, 4096);
	stalled.send(GetRequest(served.port, "/api/stream"));

	std::atomic<bool> publishing = true;
	std::atomic<int> statusesRead = 0;
	double lastSeen = 0.0;
	std::thread reader([&] {
		HttpClient other(served.port);
		other.send(GetRequest(served.port, "/api/stream"));
		other.answer();
		while (publishing)
			if (const auto status = other.nextStatus(2000)) {
				lastSeen = firstValue(*status);
				++statusesRead;
			}
	});

	QElapsedTimer clock;
	clock.start();
	int published = 0;
	while (clock.elapsed() < 24'000) {
		++published;
		served.server.publish(SyntheticSnapshot(published, 16));
		served.server.addEvent(SyntheticEvent(published));
		std::this_thread::sleep_for(std::chrono::milliseconds(4));
	}
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	publishing = false;
	reader.join();

	EXPECT_GT(published, 2000);
	EXPECT_GE(statusesRead.load(), 20) << "the others had a status each second";
	EXPECT_EQ(lastSeen, SyntheticValue(0, published)) << "and the newest at last";
	EXPECT_TRUE(stalled.closedByServer(10'000)) << "the stalled client's place is given back";
	EXPECT_EQ(served.get(GetRequest(served.port, "/api/status")).status, 200);
}

int main(int argc, char **argv)
{
	QCoreApplication app(argc, argv);
	testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}

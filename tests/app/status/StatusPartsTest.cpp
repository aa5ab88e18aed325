// The status page's parts without a network: the ten minutes of a series,
// the screen in front of the HTTP parser, and the address and token rules.

#include "status/StatusOptions.h"
#include "status/StatusRequestScreen.h"
#include "status/StatusTrail.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(StatusTrail, KeepsTheLastTenMinutesInAFewHundredPointsWithEveryPeak)
{
	StatusTrail trail;
	const int samples = 20 * 60 * 100; // twenty minutes at 10 ms
	for (int i = 0; i < samples; ++i) {
		const double time = i * 0.01;
		float value = static_cast<float>(std::sin(time));
		if (i == samples - 30'000)
			value = 50.0f; // a single sample's peak, five minutes ago
		if (i == samples - 70'000)
			value = 99.0f; // older than ten minutes
		if (i >= samples - 200)
			value = NAN; // the last stretch, two seconds, without data
		trail.add(time, value);
	}
	const std::vector<StatusPoint> points = trail.points();
	ASSERT_EQ(points.size(), static_cast<std::size_t>(StatusTrail::kPoints));
	EXPECT_GE(points.front().timeS, (samples - 1) * 0.01 - StatusTrail::kSpanS);
	EXPECT_DOUBLE_EQ(points.back().timeS, (samples - 1) * 0.01);
	float highest = -1.0f;
	for (const StatusPoint &point : points)
		highest = std::fmax(highest, point.maximum);
	EXPECT_EQ(highest, 50.0f);
	EXPECT_TRUE(std::isnan(points.back().last));
	EXPECT_TRUE(std::isnan(points.back().maximum)) << "a stretch without data has no extremes";
	EXPECT_FALSE(std::isnan(points[points.size() - 2].minimum));

	trail.add(1.0, 3.0f); // a new run
	ASSERT_EQ(trail.points().size(), 1u);
	EXPECT_EQ(trail.points()[0].last, 3.0f);
}

TEST(StatusRequestScreen, LetsThroughOnlyWholeGetsOfAtMostEightKilobytes)
{
	using Verdict = StatusRequestScreen::Verdict;
	const QByteArray get =
			"GET /api/events?since=3 HTTP/1.1\r\nHost: 127.0.0.1:80\r\n"
			"Authorization: Bearer abc\r\nUser-Agent: tést\t1\r\n\r\n";
	const QByteArray filled = "GET / HTTP/1.1\r\nX: \r\n\r\n";
	const struct {
		const char *name;
		QByteArray bytes;
		Verdict verdict;
	} cases[] = {
			{"two requests in a row", get + get, Verdict::Pass},
			{"exactly the limit",
					"GET / HTTP/1.1\r\nX: " +
							QByteArray(8192 - filled.size(), 'a') +
							"\r\n\r\n",
					Verdict::Pass},
			{"a byte more",
					"GET / HTTP/1.1\r\nX: " +
							QByteArray(8193 - filled.size(), 'a') +
							"\r\n\r\n",
					Verdict::TooLarge},
			{"a head without end", "GET / HTTP/1.1\r\n" + QByteArray(9000, 'a'),
					Verdict::TooLarge},
			{"POST", "POST / HTTP/1.1\r\n\r\n", Verdict::NotGet},
			{"OPTIONS", "OPTIONS * HTTP/1.1\r\n\r\n", Verdict::NotGet},
			{"get", "get / HTTP/1.1\r\n\r\n", Verdict::NotGet},
			{"an absolute target", "GET http://a/ HTTP/1.1\r\n\r\n",
					Verdict::Malformed},
			{"HTTP/2", "GET / HTTP/2.0\r\n\r\n", Verdict::Malformed},
			{"a bare line feed", "GET / HTTP/1.1\n\n", Verdict::Malformed},
			{"a control in a value", "GET / HTTP/1.1\r\nX: a\x01\r\n\r\n",
					Verdict::Malformed},
			{"a space in a name", "GET / HTTP/1.1\r\nX Y: a\r\n\r\n",
					Verdict::Malformed},
			{"a folded line", "GET / HTTP/1.1\r\nX: a\r\n b\r\n\r\n",
					Verdict::Malformed},
			{"a length", "GET / HTTP/1.1\r\nContent-Length: 0\r\n\r\n",
					Verdict::Malformed},
			{"an upgrade", "GET / HTTP/1.1\r\nupgrade: websocket\r\n\r\n",
					Verdict::Malformed},
			{"a nul in the target", QByteArray("GET /\0 HTTP/1.1\r\n\r\n", 19),
					Verdict::Malformed},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.name);
		StatusRequestScreen whole;
		EXPECT_EQ(whole.screen(c.bytes), c.verdict);
		// Byte by byte as a slow client sends it: the same verdict.
		StatusRequestScreen pieces;
		Verdict verdict = Verdict::Pass;
		for (qsizetype i = 0; i < c.bytes.size() && verdict == Verdict::Pass; ++i)
			verdict = pieces.screen(c.bytes.mid(i, 1));
		EXPECT_EQ(verdict, c.verdict);
	}
	StatusRequestScreen half;
	EXPECT_EQ(half.screen(get.left(20)), Verdict::Pass);
	EXPECT_TRUE(half.inRequest());
	EXPECT_EQ(half.screen(get.mid(20)), Verdict::Pass);
	EXPECT_FALSE(half.inRequest());
}

TEST(StatusOptions, BindsOnlyWhatIsGivenAndBeyondTheLoopbackOnlyWithAToken)
{
	const QByteArray token = "0123456789abcdef-_.~+/=";
	const struct {
		const char *address;
		QByteArray token;
		bool served;
		const char *host = "";
		quint16 port = 0;
	} cases[] = {
			{"127.0.0.1:8080", {}, true, "127.0.0.1", 8080},
			{"localhost:0", {}, true, "127.0.0.1", 0},
			{"[::1]:65535", {}, true, "::1", 65535},
			{"0.0.0.0:8080", {}, false},
			{"192.168.1.20:8080", {}, false},
			{"192.168.1.20:8080", token, true, "192.168.1.20", 8080},
			{"[::]:80", token, true, "::", 80},
			{"127.0.0.1:8080", "short", false},
			{"127.0.0.1:8080", "0123456789abcdef with space", false},
			{"127.0.0.1", {}, false},
			{"::1:8080", {}, false},
			{"127.0.0.1:65536", {}, false},
			{"127.0.0.1:+80", {}, false},
			{"127.0.0.1:", {}, false},
			{":8080", {}, false},
			{"lab-pc:8080", token, false},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.address);
		QString error;
		const auto options = ParseStatusOptions(QLatin1String(c.address), c.token, error);
		ASSERT_EQ(options.has_value(), c.served) << error.toStdString();
		EXPECT_EQ(error.isEmpty(), c.served);
		if (!options)
			continue;
		EXPECT_EQ(options->address, QHostAddress(QLatin1String(c.host)));
		EXPECT_EQ(options->port, c.port);
		EXPECT_EQ(options->token, c.token);
	}
	EXPECT_TRUE(StatusTokensEqual(token, token));
	EXPECT_FALSE(StatusTokensEqual(token + "x", token));
	EXPECT_FALSE(StatusTokensEqual({}, {})) << "no token is never a match";
}

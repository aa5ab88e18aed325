#include "StatusHttp.h"

#include "StatusConnection.h"
#include "StatusJson.h"
#include "StatusListener.h"
#include "StatusOptions.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QUrlQuery>

namespace kelvra {

namespace {

// A run that publishes faster than once a second is held to about that.
constexpr qint64 kStreamSpacingMs = 900;
constexpr int kKeepAliveMs = 15'000;
const QByteArray kCookie = "kelvra_status";

// Only the page's own script, style and API; no frames, forms or elsewhere.
const QByteArray kPolicy =
		"default-src 'none'; script-src 'self'; style-src 'self'; "
		"connect-src 'self'; img-src 'self'; base-uri 'none'; "
		"form-action 'none'; frame-ancestors 'none'";

const std::pair<QByteArray, QByteArray> kSecurityHeaders[] = {
		{"Content-Security-Policy", kPolicy},
		{"X-Content-Type-Options", "nosniff"},
		{"X-Frame-Options", "DENY"},
		{"Referrer-Policy", "no-referrer"},
		{"Cross-Origin-Resource-Policy", "same-origin"},
		{"Cache-Control", "no-store"},
};

QByteArray header(const QHttpServerRequest &request, const QByteArray &name)
{
	for (const auto &[key, value] : request.headers())
		if (key.compare(name, Qt::CaseInsensitive) == 0)
			return value;
	return {};
}

QByteArray bearerToken(const QHttpServerRequest &request)
{
	const QByteArray value = header(request, "Authorization").trimmed();
	if (value.size() < 7 || value.first(7).compare("Bearer ", Qt::CaseInsensitive) != 0)
		return {};
	return value.mid(7).trimmed();
}

QByteArray cookieToken(const QHttpServerRequest &request)
{
	for (const auto &[key, value] : request.headers()) {
		if (key.compare("Cookie", Qt::CaseInsensitive) != 0)
			continue;
		for (const QByteArray &pair : value.split(';')) {
			const QByteArray trimmed = pair.trimmed();
			if (trimmed.startsWith(kCookie + '='))
				return trimmed.mid(kCookie.size() + 1);
		}
	}
	return {};
}

QByteArray statusEvent(const QByteArray &json)
{
	return "event: status\ndata: " + json + "\n\n";
}

} // namespace

StatusHttp::StatusHttp(StatusHandOver &handOver, QByteArray token, QObject *parent)
	: QAbstractHttpServer(parent), handOver_(handOver), token_(std::move(token))
{
	streamPace_.setSingleShot(true);
	connect(&streamPace_, &QTimer::timeout, this, &StatusHttp::sendToStreams);
	keepAlive_.setInterval(kKeepAliveMs);
	connect(&keepAlive_, &QTimer::timeout, this, &StatusHttp::keepStreamsAlive);
}

quint16 StatusHttp::open(const QHostAddress &address, quint16 port, QString &error)
{
	auto *listener = new StatusListener(this);
	if (!listener->listen(address, port)) {
		error = listener->errorString();
		delete listener;
		return 0;
	}
	bind(listener);
	const quint16 bound = listener->serverPort();
	for (const QString &name : {StatusHostText(address), QStringLiteral("localhost"),
			     QStringLiteral("127.0.0.1"), QStringLiteral("[::1]")})
		hostNames_.append(name + QLatin1Char(':') + QString::number(bound));
	keepAlive_.start();
	sinceSent_.start();
	return bound;
}

void StatusHttp::takeNews()
{
	StatusHandOver::News news = handOver_.take();
	const bool newSnapshot = news.snapshotVersion != snapshotVersion_;
	if (newSnapshot) {
		snapshot_ = std::move(news.snapshot);
		snapshotVersion_ = news.snapshotVersion;
		statusJson_.clear();
	}
	if (!news.events.empty()) {
		lastEvent_ = news.events.back().sequence;
		for (StatusEvent &event : news.events)
			events_.push_back(std::move(event));
		while (events_.size() > kHeldEvents)
			events_.pop_front();
		statusJson_.clear();
	}
	// The streams get a status with each snapshot, as soon as it comes; events
	// go with the next one. A status sent for events alone would hold the
	// next snapshot back by the spacing, and the page behind the run.
	if (newSnapshot && !streamPace_.isActive())
		streamPace_.start(static_cast<int>(
				std::max<qint64>(0, kStreamSpacingMs - sinceSent_.elapsed())));
}

const QByteArray &StatusHttp::statusJson()
{
	if (statusJson_.isEmpty())
		statusJson_ = StatusJson(snapshot_ ? *snapshot_ : StatusSnapshot{}, events_,
				kPageEvents, lastEvent_);
	return statusJson_;
}

void StatusHttp::sendToStreams()
{
	std::erase_if(streams_, [](const QPointer<StatusConnection> &stream) {
		return !stream || stream->state() != QAbstractSocket::ConnectedState;
	});
	if (streams_.empty())
		return;
	const QByteArray message = statusEvent(statusJson());
	// A stream that has not read the last statuses misses this one; the next
	// it takes is whole, as each status is.
	for (const QPointer<StatusConnection> &stream : streams_)
		if (stream->takesMore())
			stream->write(message);
	sinceSent_.start();
}

void StatusHttp::keepStreamsAlive()
{
	if (sinceSent_.elapsed() < kKeepAliveMs)
		return;
	for (const QPointer<StatusConnection> &stream : streams_)
		if (stream && stream->takesMore())
			stream->write(":\n\n");
}

bool StatusHttp::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
	const QString path = request.url().path();
	const bool page = path == QLatin1String("/");
	const Access granted = access(request, page);
	if (granted == Access::Refused) {
		answer(request, socket, {}, {}, 401);
		return true;
	}
	if (!hostAllowed(request)) {
		answer(request, socket, {}, {}, 421);
		return true;
	}
	// The screen lets only GET through; nothing here needs another method.
	if (page)
		answer(request, socket, "text/html; charset=utf-8", page_.html, 200,
				granted == Access::GrantedByQuery);
	else if (path == QLatin1String("/status.js"))
		answer(request, socket, "text/javascript; charset=utf-8", page_.script);
	else if (path == QLatin1String("/status.css"))
		answer(request, socket, "text/css; charset=utf-8", page_.style);
	else if (path == QLatin1String("/api/status"))
		answer(request, socket, "application/json", statusJson());
	else if (path == QLatin1String("/api/events"))
		answerEvents(request, socket);
	else if (path == QLatin1String("/api/stream"))
		startStream(request, socket);
	else
		answer(request, socket, {}, {}, 404);
	return true;
}

void StatusHttp::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
	answer(request, socket, {}, {}, 404);
}

StatusHttp::Access StatusHttp::access(const QHttpServerRequest &request, bool page) const
{
	if (token_.isEmpty())
		return Access::Granted;
	if (StatusTokensEqual(bearerToken(request), token_) ||
			StatusTokensEqual(cookieToken(request), token_))
		return Access::Granted;
	// The token in the address only for the page's first load; it leaves a cookie.
	if (page &&
			StatusTokensEqual(request.query().queryItemValue(QStringLiteral("token"),
									 QUrl::FullyDecoded)
							  .toUtf8(),
					token_))
		return Access::GrantedByQuery;
	return Access::Refused;
}

bool StatusHttp::hostAllowed(const QHttpServerRequest &request) const
{
	// With a token, the token is the proof; without, a page of another
	// site that renames its host to this address must get nothing.
	if (!token_.isEmpty())
		return true;
	const QByteArray host = header(request, "Host");
	return host.isEmpty() ||
			hostNames_.contains(QString::fromLatin1(host), Qt::CaseInsensitive);
}

void StatusHttp::answer(const QHttpServerRequest &request, QTcpSocket *socket, QByteArray type,
		QByteArray body, int status, bool setCookie)
{
	const bool typed = !type.isEmpty();
	QHttpServerResponse response(std::move(type), std::move(body),
			static_cast<QHttpServerResponse::StatusCode>(status));
	if (!typed)
		response.clearHeader("Content-Type");
	for (const auto &[name, value] : kSecurityHeaders)
		response.addHeader(name, value);
	if (status == 401)
		response.addHeader("WWW-Authenticate", "Bearer");
	if (setCookie)
		response.addHeader("Set-Cookie",
				kCookie + '=' + token_ + "; Path=/; HttpOnly; SameSite=Strict");
	response.write(makeResponder(request, socket));
}

void StatusHttp::answerEvents(const QHttpServerRequest &request, QTcpSocket *socket)
{
	const QString since = request.query().queryItemValue(QStringLiteral("since"));
	bool ok = std::all_of(since.begin(), since.end(), [](QChar c) { return c.isDigit(); });
	const qulonglong after = since.isEmpty() || !ok ? 0 : since.toULongLong(&ok);
	if (!ok) {
		answer(request, socket, {}, {}, 400);
		return;
	}
	answer(request, socket, "application/json", EventsJson(events_, after, lastEvent_));
}

void StatusHttp::startStream(const QHttpServerRequest &request, QTcpSocket *socket)
{
	auto *stream = qobject_cast<StatusConnection *>(socket);
	if (!stream)
		return;
	QHttpServerResponder responder = makeResponder(request, socket);
	responder.writeStatusLine(QHttpServerResponder::StatusCode::Ok);
	responder.writeHeader("Content-Type", "text/event-stream");
	for (const auto &[name, value] : kSecurityHeaders)
		responder.writeHeader(name, value);
	// No length: the stream ends when the connection does.
	responder.writeHeader("Connection", "close");
	responder.writeBody("retry: 2000\n\n" + statusEvent(statusJson()));
	stream->becomeStream(this);
	streams_.emplace_back(stream);
}

} // namespace kelvra

#pragma once

// The status page's HTTP side, on the server's own thread. It answers GET
// of the page, its script and style, /api/status, /api/events?since=N and
// /api/stream (Server-Sent Events: a status each time the run publishes
// one, at most one a second) from what it takes from the hand-over. Nothing
// it answers reaches back into the run. With a token, every request must
// carry it; without one, only a loopback address is served, and only under
// its own host name (a page elsewhere that renames a host to it gets nothing).

#include "StatusHandOver.h"
#include "StatusPage.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTimer>

namespace kelvra {

class StatusConnection;

class StatusHttp : public QAbstractHttpServer {
	Q_OBJECT

public:
	static constexpr std::size_t kHeldEvents = 1000;
	static constexpr std::size_t kPageEvents = 50;

	StatusHttp(StatusHandOver &handOver, QByteArray token, QObject *parent = nullptr);

	// Listens on the address, on this object's thread; the port, or 0 with the reason.
	quint16 open(const QHostAddress &address, quint16 port, QString &error);
	// Takes what the run handed over and lets the streams know.
	void takeNews();

protected:
	bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
	void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
	enum class Access : uint8_t { Refused, Granted, GrantedByQuery };

	Access access(const QHttpServerRequest &request, bool page) const;
	bool hostAllowed(const QHttpServerRequest &request) const;
	void answer(const QHttpServerRequest &request, QTcpSocket *socket, QByteArray type,
			QByteArray body, int status = 200, bool setCookie = false);
	void answerEvents(const QHttpServerRequest &request, QTcpSocket *socket);
	void startStream(const QHttpServerRequest &request, QTcpSocket *socket);
	const QByteArray &statusJson();
	void sendToStreams();
	void keepStreamsAlive();

	StatusHandOver &handOver_;
	const QByteArray token_;
	const StatusPage page_;
	QStringList hostNames_; // "127.0.0.1:8080", …: the names a tokenless server answers to

	std::shared_ptr<const StatusSnapshot> snapshot_;
	uint64_t snapshotVersion_ = 0;
	std::deque<StatusEvent> events_;
	uint64_t lastEvent_ = 0;
	QByteArray statusJson_; // of snapshot_ and events_; empty when either changed

	std::vector<QPointer<StatusConnection>> streams_;
	QTimer streamPace_{this};
	QElapsedTimer sinceSent_;
	QTimer keepAlive_{this};
};

} // namespace kelvra

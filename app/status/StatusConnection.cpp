#include "StatusConnection.h"

#include <sys/socket.h>

#include <chrono>

namespace kelvra {

namespace {

constexpr qint64 kReadBuffer = 2 * StatusRequestScreen::kLimit;
constexpr qint64 kRequestTimeMs = 10'000; // to send a whole request
constexpr qint64 kIdleMs = 15'000;        // between the requests of a connection
constexpr qint64 kStallMs = 20'000;       // for the client to read what waits for it
constexpr qint64 kClosingMs = 5'000;      // for the client to take a refusal and go

qint64 nowMs()
{
	return std::chrono::duration_cast<std::chrono::milliseconds>(
			std::chrono::steady_clock::now().time_since_epoch())
			.count();
}

} // namespace

StatusConnection::StatusConnection(QObject *parent) : QTcpSocket(parent)
{
	lastActivityMs_ = lastWrittenMs_ = nowMs();
	// Holds what one read brings; the screen refuses a request long before.
	setReadBufferSize(kReadBuffer);
	connect(this, &QIODevice::bytesWritten, this, [this] {
		lastActivityMs_ = lastWrittenMs_ = nowMs();
		if (closing_ && bytesToWrite() == 0)
			shutDownSending();
	});
}

void StatusConnection::guard()
{
	guard_ = connect(this, &QIODevice::readyRead, this, &StatusConnection::screenArrivals);
}

void StatusConnection::screenArrivals()
{
	lastActivityMs_ = nowMs();
	if (stream_ || closing_) {
		discardInput();
		return;
	}
	if (!screen_.inRequest())
		requestStartMs_ = lastActivityMs_;
	// Qt's parser has read all that came before; these are the new bytes.
	switch (screen_.screen(peek(bytesAvailable()))) {
	case StatusRequestScreen::Verdict::Pass:
		return;
	case StatusRequestScreen::Verdict::TooLarge:
		refuse("413 Payload Too Large");
		return;
	case StatusRequestScreen::Verdict::NotGet:
		refuse("405 Method Not Allowed", "Allow: GET\r\n");
		return;
	case StatusRequestScreen::Verdict::Malformed:
		refuse("400 Bad Request");
		return;
	}
}

void StatusConnection::refuse(QByteArrayView status, QByteArrayView headers)
{
	if (closing_)
		return;
	closing_ = true;
	closingSinceMs_ = nowMs();
	// Nobody else reads this connection now, not even during this signal.
	disconnect(this, &QIODevice::readyRead, nullptr, nullptr);
	connect(this, &QIODevice::readyRead, this, &StatusConnection::discardInput);
	connect(this, &QAbstractSocket::disconnected, this, &QObject::deleteLater);
	write("HTTP/1.1 ");
	write(status.data(), status.size());
	write("\r\nContent-Length: 0\r\nConnection: close\r\nCache-Control: no-store\r\n");
	write(headers.data(), headers.size());
	write("\r\n");
	discardInput();
}

void StatusConnection::discardInput()
{
	// What Qt's parser kept of a request begun goes too.
	if (isTransactionStarted())
		commitTransaction();
	readAll();
}

void StatusConnection::becomeStream(QObject *parser)
{
	stream_ = true;
	disconnect(this, &QIODevice::readyRead, parser, nullptr);
	// The system holds a bounded part of what a stalled stream has not read,
	// as kStreamBacklog bounds what waits here.
	setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kStreamSendBuffer);
}

// The answer is sent before the connection closes: closing with the
// client's bytes unread would reset it and could lose the answer.
void StatusConnection::shutDownSending()
{
	::shutdown(static_cast<int>(socketDescriptor()), SHUT_WR);
}

void StatusConnection::drop()
{
	abort();
	deleteLater();
}

void StatusConnection::sweep()
{
	const qint64 now = nowMs();
	if (closing_) {
		if (now - closingSinceMs_ > kClosingMs)
			drop();
		return;
	}
	if (!guard_) {
		// Everything this connection signalled was cut: the HTTP parser
		// gave it up, which the screen is there to prevent.
		refuse("400 Bad Request");
		return;
	}
	if (bytesToWrite() > 0 && now - lastWrittenMs_ > kStallMs) {
		drop();
		return;
	}
	if (screen_.inRequest() && now - requestStartMs_ > kRequestTimeMs) {
		refuse("408 Request Timeout");
		return;
	}
	if (!stream_ && bytesToWrite() == 0 && !screen_.inRequest() &&
			now - lastActivityMs_ > kIdleMs)
		disconnectFromHost();
}

} // namespace kelvra

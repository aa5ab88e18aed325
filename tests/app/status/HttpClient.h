#pragma once

// A blocking HTTP client on QTcpSocket for the status server's tests: a raw
// request out, the answer's status, headers and body back, and a reader of
// an event stream's statuses.

#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTcpSocket>

#include <optional>

namespace kelvra::test {

struct HttpAnswer {
	int status = 0;                       // 0: no answer
	QMap<QByteArray, QByteArray> headers; // names in lower case
	QByteArray body;
};

inline QByteArray GetRequest(quint16 port, const QByteArray &path, const QByteArray &headers = {})
{
	return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n" +
			headers + "\r\n";
}

class HttpClient {
public:
	explicit HttpClient(quint16 port, int receiveBuffer = 0)
	{
		if (receiveBuffer > 0)
			socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
					receiveBuffer);
		socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
		socket_.waitForConnected(5000);
	}

	QTcpSocket &socket() { return socket_; }
	bool send(const QByteArray &bytes)
	{
		socket_.write(bytes);
		return socket_.waitForBytesWritten(5000);
	}

	// The answer's head and, with a length, its body; an answer without a
	// length (a stream) keeps its body in the socket.
	HttpAnswer answer(int timeoutMs = 5000)
	{
		HttpAnswer answer;
		QElapsedTimer clock;
		clock.start();
		while (!buffer_.contains("\r\n\r\n") && waitMore(clock, timeoutMs)) {
		}
		const qsizetype end = buffer_.indexOf("\r\n\r\n");
		if (end < 0)
			return answer;
		const QList<QByteArray> lines = buffer_.left(end).split('\n');
		answer.status = lines[0].split(' ').value(1).toInt();
		for (qsizetype i = 1; i < lines.size(); ++i) {
			const qsizetype colon = lines[i].indexOf(':');
			answer.headers.insert(lines[i].left(colon).trimmed().toLower(),
					lines[i].mid(colon + 1).trimmed());
		}
		buffer_.remove(0, end + 4);
		if (!answer.headers.contains("content-length"))
			return answer;
		const qsizetype length = answer.headers.value("content-length").toLongLong();
		while (buffer_.size() < length && waitMore(clock, timeoutMs)) {
		}
		answer.body = buffer_.left(length);
		buffer_.remove(0, length);
		return answer;
	}

	// The next status of an event stream, as JSON; nullopt when none came in time.
	std::optional<QJsonObject> nextStatus(int timeoutMs = 5000)
	{
		QElapsedTimer clock;
		clock.start();
		for (;;) {
			const qsizetype end = buffer_.indexOf("\n\n");
			if (end >= 0) {
				const QByteArray message = buffer_.left(end);
				buffer_.remove(0, end + 2);
				const qsizetype data = message.indexOf("data: ");
				if (message.startsWith("event: status\n") && data >= 0)
					return QJsonDocument::fromJson(message.mid(data + 6))
							.object();
				continue;
			}
			if (!waitMore(clock, timeoutMs))
				return std::nullopt;
		}
	}

	// True when the server closed the connection, after what it had sent.
	bool closedByServer(int timeoutMs)
	{
		QElapsedTimer clock;
		clock.start();
		while (socket_.state() == QAbstractSocket::ConnectedState &&
				clock.elapsed() < timeoutMs)
			waitMore(clock, timeoutMs);
		return socket_.state() != QAbstractSocket::ConnectedState;
	}

private:
	bool waitMore(const QElapsedTimer &clock, int timeoutMs)
	{
		const qint64 left = timeoutMs - clock.elapsed();
		if (left <= 0)
			return false;
		if (socket_.bytesAvailable() == 0 &&
				!socket_.waitForReadyRead(static_cast<int>(left)))
			return false;
		buffer_ += socket_.readAll();
		return true;
	}

	QTcpSocket socket_;
	QByteArray buffer_;
};

} // namespace kelvra::test

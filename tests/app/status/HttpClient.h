#pragma once

// A blocking HTTP client on QTcpSocket for the status server's tests: a raw
// request out; the answer's status, headers and body, or an event stream's
// statuses, back.

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

inline QByteArray GetRequest(quint16 port, const QByteArray &path)
{
	return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
			"\r\n\r\n";
}

class HttpClient {
public:
	explicit HttpClient(quint16 port, const QByteArray &request = {})
	{
		socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
		socket_.waitForConnected(5000);
		socket_.write(request);
		socket_.waitForBytesWritten(5000);
	}

	// The answer's head and, when it has a length, its body.
	HttpAnswer answer()
	{
		HttpAnswer answer;
		const qsizetype end = waitFor("\r\n\r\n");
		if (end < 0)
			return answer;
		const QList<QByteArray> lines = take(end + 4).trimmed().split('\n');
		answer.status = lines[0].split(' ').value(1).toInt();
		for (const QByteArray &line : lines.mid(1))
			answer.headers.insert(line.left(line.indexOf(':')).trimmed().toLower(),
					line.mid(line.indexOf(':') + 1).trimmed());
		const qsizetype length = answer.headers.value("content-length", "0").toLongLong();
		while (buffer_.size() < length && readMore(5000)) {
		}
		answer.body = take(length);
		return answer;
	}

	// The next status of an event stream; nullopt when none comes in time.
	std::optional<QJsonObject> nextStatus(int timeoutMs = 5000)
	{
		for (qsizetype end; (end = waitFor("\n\n", timeoutMs)) >= 0;) {
			const QByteArray message = take(end + 2);
			if (message.startsWith("event: status\ndata: "))
				return QJsonDocument::fromJson(message.mid(20)).object();
		}
		return std::nullopt;
	}

	// True when the server closed the connection, after what it had sent.
	bool closedByServer(int timeoutMs)
	{
		QElapsedTimer clock;
		clock.start();
		while (readMore(static_cast<int>(timeoutMs - clock.elapsed()))) {
		}
		return socket_.state() != QAbstractSocket::ConnectedState;
	}

private:
	qsizetype waitFor(const char *end, int timeoutMs = 5000)
	{
		QElapsedTimer clock;
		clock.start();
		while (!buffer_.contains(end))
			if (!readMore(static_cast<int>(timeoutMs - clock.elapsed())))
				return -1;
		return buffer_.indexOf(end);
	}
	bool readMore(int timeoutMs)
	{
		// What came while the request was written is read already.
		if (socket_.bytesAvailable() == 0 &&
				(timeoutMs <= 0 || !socket_.waitForReadyRead(timeoutMs)))
			return false;
		buffer_ += socket_.readAll();
		return true;
	}
	QByteArray take(qsizetype size)
	{
		const QByteArray taken = buffer_.left(size);
		buffer_.remove(0, size);
		return taken;
	}

	QTcpSocket socket_;
	QByteArray buffer_;
};

} // namespace kelvra::test

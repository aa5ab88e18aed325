#pragma once

// One client of the status page. Its bytes are screened before Qt's HTTP
// parser reads them (StatusRequestScreen); what fails is answered here with
// a bare status and the connection closed. It keeps the times that let the
// listener close a connection that idles, dawdles over a request, or no
// longer reads what it is sent.

#include "StatusRequestScreen.h"

#include <QTcpSocket>

namespace kelvra {

class StatusConnection : public QTcpSocket {
	Q_OBJECT

public:
	// A stream takes no new status while this much waits to be sent.
	static constexpr qint64 kStreamBacklog = 256 * 1024;
	static constexpr int kStreamSendBuffer = 128 * 1024;

	explicit StatusConnection(QObject *parent = nullptr);

	// Screens the client's bytes first: call before anyone else connects to readyRead.
	void guard();
	// Answers "HTTP/1.1 <status>" with an empty body, and closes.
	void refuse(QByteArrayView status, QByteArrayView headers = {});
	// From now on the connection carries an event stream that `parser` no
	// longer reads; what the client sends is dropped.
	void becomeStream(QObject *parser);
	bool isStream() const { return stream_; }
	// The stream takes its next status now: it has read most of the last ones.
	bool takesMore() const { return bytesToWrite() < kStreamBacklog; }
	// Closes the connection when it idles, dawdles over a request or stops
	// reading past its time.
	void sweep();

private:
	void screenArrivals();
	void discardInput();
	void shutDownSending();
	void drop();

	StatusRequestScreen screen_;
	QMetaObject::Connection guard_;
	bool stream_ = false;
	bool closing_ = false;
	qint64 lastActivityMs_ = 0; // bytes came or went
	qint64 lastWrittenMs_ = 0;  // bytes went
	qint64 requestStartMs_ = 0; // the first byte of a request not yet whole
	qint64 closingSinceMs_ = 0;
};

} // namespace kelvra

#pragma once

// The status page's TCP listener, to which Qt's HTTP server is bound. It
// keeps at most kClients connections at once: one more is answered 503 and
// closed without reaching the HTTP server, and the others go on. Every
// connection is a StatusConnection, screened before the HTTP parser and
// swept each second.

#include "StatusConnection.h"

#include <QPointer>
#include <QTcpServer>
#include <QTimer>

#include <vector>

namespace kelvra {

class StatusListener : public QTcpServer {
	Q_OBJECT

public:
	static constexpr std::size_t kClients = 16;

	explicit StatusListener(QObject *parent = nullptr);

protected:
	void incomingConnection(qintptr handle) override;

private:
	void sweep();
	void forgetClosed();

	std::vector<QPointer<StatusConnection>> clients_;
	std::vector<QPointer<StatusConnection>> refused_; // answered 503, closing
	QTimer sweepTimer_{this};
};

} // namespace kelvra

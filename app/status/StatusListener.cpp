#include "StatusListener.h"

namespace kelvra {

namespace {

bool closed(const QPointer<StatusConnection> &connection)
{
	return !connection || connection->state() == QAbstractSocket::UnconnectedState;
}

} // namespace

StatusListener::StatusListener(QObject *parent) : QTcpServer(parent)
{
	sweepTimer_.setInterval(1000);
	connect(&sweepTimer_, &QTimer::timeout, this, &StatusListener::sweep);
	sweepTimer_.start();
}

void StatusListener::incomingConnection(qintptr handle)
{
	forgetClosed();
	auto *connection = new StatusConnection(this);
	if (!connection->setSocketDescriptor(handle)) {
		delete connection;
		return;
	}
	if (clients_.size() < kClients) {
		connection->guard();
		clients_.emplace_back(connection);
		addPendingConnection(connection);
		return;
	}
	// Refusals are bounded too: past as many again, one is only closed.
	if (refused_.size() < kClients) {
		connection->refuse("503 Service Unavailable", "Retry-After: 5\r\n");
		refused_.emplace_back(connection);
		return;
	}
	connection->abort();
	connection->deleteLater();
}

void StatusListener::sweep()
{
	for (const auto &list : {clients_, refused_})
		for (const QPointer<StatusConnection> &connection : list)
			if (connection)
				connection->sweep();
	forgetClosed();
}

void StatusListener::forgetClosed()
{
	std::erase_if(clients_, closed);
	std::erase_if(refused_, closed);
}

} // namespace kelvra

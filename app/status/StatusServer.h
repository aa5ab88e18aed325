#pragma once

// The read-only status page of a run, on a thread of its own. The run's
// thread only hands over: publish() puts in the newest snapshot (about once
// a second) and addEvent() each event as it happens, each under a lock held
// for a pointer's move. Neither ever waits on the network, and a slow or
// stalled client holds no one but itself.
//
// The page and its API (see StatusHttp, StatusJson) answer only GET, at
// most kClients at once; with a token, every request must carry it as
// "Authorization: Bearer TOKEN", or the cookie the page's first load with
// "?token=TOKEN" leaves.

#include "StatusHandOver.h"
#include "StatusOptions.h"

#include <QThread>

namespace kelvra {

class StatusHttp;

class StatusServer {
public:
	explicit StatusServer(StatusServerOptions options);
	~StatusServer();
	StatusServer(const StatusServer &) = delete;
	StatusServer &operator=(const StatusServer &) = delete;

	// Starts the thread and listens; false, with the reason, when the
	// address cannot be served. Waits for the listening alone.
	bool start(QString &error);
	// The port listened on (the free one found for port 0); 0 before start().
	quint16 port() const { return port_; }
	// "http://127.0.0.1:8080/", for messages and tests.
	QString url() const;

	void publish(StatusSnapshot snapshot) { handOver_.publish(std::move(snapshot)); }
	void addEvent(StatusEvent event) { handOver_.addEvent(std::move(event)); }

private:
	const StatusServerOptions options_;
	StatusHandOver handOver_;
	QThread thread_;
	StatusHttp *http_ = nullptr; // lives on thread_, which deletes it as it ends
	quint16 port_ = 0;
};

} // namespace kelvra

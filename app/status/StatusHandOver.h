#pragma once

// Between the run and the status page's thread: the run puts in the newest
// snapshot and each event as it happens; the server takes what is new. Both
// sides hold the lock only to move a pointer or a few elements, never while
// copying, formatting or writing, so the run never waits on the server, let
// alone on the network. Events the server has not taken are bounded: past
// kPendingEvents the oldest go (their sequence numbers tell the gap).

#include "StatusSnapshot.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace kelvra {

class StatusHandOver {
public:
	static constexpr std::size_t kPendingEvents = 1000;

	struct News {
		std::shared_ptr<const StatusSnapshot> snapshot; // the newest; null before the first
		uint64_t snapshotVersion = 0;                   // counts the snapshots published
		std::deque<StatusEvent> events; // new since the last take, oldest first
	};

	// Called, on the publisher's thread, when news arrive while none were
	// waiting: it must only post a wake-up to the server's thread.
	void setWake(std::function<void()> wake) { wake_ = std::move(wake); }

	void publish(StatusSnapshot snapshot);
	// Gives the event its sequence number.
	void addEvent(StatusEvent event);
	News take();

private:
	void wake(bool wasWaiting);

	std::mutex mutex_;
	std::shared_ptr<const StatusSnapshot> snapshot_;
	uint64_t version_ = 0;
	std::deque<StatusEvent> events_;
	uint64_t lastSequence_ = 0;
	bool newsWaiting_ = false;
	std::function<void()> wake_;
};

} // namespace kelvra

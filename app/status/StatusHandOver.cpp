#include "StatusHandOver.h"

namespace kelvra {

void StatusHandOver::publish(StatusSnapshot snapshot)
{
	// Made and, below, let go outside the lock: a snapshot the server no
	// longer holds is freed here, not while the server waits.
	std::shared_ptr<const StatusSnapshot> next =
			std::make_shared<const StatusSnapshot>(std::move(snapshot));
	bool wasWaiting = false;
	{
		const std::lock_guard lock(mutex_);
		snapshot_.swap(next);
		++version_;
		wasWaiting = std::exchange(newsWaiting_, true);
	}
	wake(wasWaiting);
}

void StatusHandOver::addEvent(StatusEvent event)
{
	bool wasWaiting = false;
	{
		const std::lock_guard lock(mutex_);
		event.sequence = ++lastSequence_;
		if (events_.size() == kPendingEvents)
			events_.pop_front();
		events_.push_back(std::move(event));
		wasWaiting = std::exchange(newsWaiting_, true);
	}
	wake(wasWaiting);
}

StatusHandOver::News StatusHandOver::take()
{
	News news;
	const std::lock_guard lock(mutex_);
	news.snapshot = snapshot_;
	news.snapshotVersion = version_;
	news.events.swap(events_);
	newsWaiting_ = false;
	return news;
}

void StatusHandOver::wake(bool wasWaiting)
{
	if (!wasWaiting && wake_)
		wake_();
}

} // namespace kelvra

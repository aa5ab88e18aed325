#include "JournalWriter.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvra {

namespace {

QString systemError()
{
	return QString::fromLocal8Bit(std::strerror(errno));
}

bool syncToDisk(int fd)
{
	return ::fdatasync(fd) == 0;
}

} // namespace

JournalWriter::JournalWriter(const QString &fileName)
{
	shared_->fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	if (shared_->fd < 0) {
		shared_->fail(QStringLiteral("cannot create %1: %2").arg(fileName, systemError()));
		return;
	}
	thread_ = std::thread([shared = shared_] { shared->run(); });
}

JournalWriter::~JournalWriter()
{
	if (!thread_.joinable())
		return;
	{
		std::lock_guard lock(shared_->mutex);
		shared_->stopping = true;
	}
	shared_->wake.notify_one();
	thread_.join();
}

void JournalWriter::abandon()
{
	{
		std::lock_guard lock(shared_->mutex);
		shared_->stopping = true;
		shared_->dropping = true;
		shared_->pending.clear();
	}
	shared_->wake.notify_one();
	if (thread_.joinable())
		thread_.detach();
}

void JournalWriter::append(const QByteArray &bytes)
{
	if (failed())
		return;
	bool first;
	{
		std::lock_guard lock(shared_->mutex);
		first = shared_->pending.isEmpty();
		shared_->pending.append(bytes.constData(), bytes.size()); // a copy: the caller reuses its buffer
	}
	if (first)
		shared_->wake.notify_one();
}

QString JournalWriter::error() const
{
	std::lock_guard lock(shared_->mutex);
	return shared_->error;
}

JournalWriter::Shared::~Shared()
{
	if (fd >= 0)
		::close(fd);
}

void JournalWriter::Shared::run()
{
	auto nextSync = Clock::now();
	std::unique_lock lock(mutex);
	for (;;) {
		wake.wait(lock, [&] { return stopping || !pending.isEmpty(); });
		// Data that arrive within a second of the last sync wait for the next one.
		wake.wait_until(lock, nextSync, [&] { return stopping; });
		if (dropping || (pending.isEmpty() && stopping))
			return;
		QByteArray out;
		out.swap(pending);
		lock.unlock();
		nextSync = Clock::now() + kSyncPeriod;
		if (!failed.load(std::memory_order_acquire))
			writeOut(out);
		lock.lock();
	}
}

void JournalWriter::Shared::writeOut(const QByteArray &bytes)
{
	const char *at = bytes.constData();
	qsizetype left = bytes.size();
	while (left > 0) {
		const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0) {
			fail(QStringLiteral("cannot write the run journal: %1").arg(systemError()));
			return;
		}
		at += written;
		left -= written;
	}
	if (!syncToDisk(fd)) {
		fail(QStringLiteral("cannot write the run journal to the disk: %1").arg(systemError()));
		return;
	}
	synced.fetch_add(bytes.size(), std::memory_order_release);
}

void JournalWriter::Shared::fail(const QString &reason)
{
	{
		std::lock_guard lock(mutex);
		if (error.isEmpty())
			error = reason;
		pending.clear();
	}
	failed.store(true, std::memory_order_release);
}

} // namespace kelvra

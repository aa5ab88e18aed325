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
	fd_ = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	if (fd_ < 0) {
		fail(QStringLiteral("cannot create %1: %2").arg(fileName, systemError()));
		return;
	}
	thread_ = std::thread(&JournalWriter::run, this);
}

JournalWriter::~JournalWriter()
{
	{
		std::lock_guard lock(mutex_);
		stopping_ = true;
	}
	wake_.notify_one();
	if (thread_.joinable())
		thread_.join();
	if (fd_ >= 0)
		::close(fd_);
}

void JournalWriter::append(const QByteArray &bytes)
{
	if (failed())
		return;
	bool first;
	{
		std::lock_guard lock(mutex_);
		first = pending_.isEmpty();
		pending_.append(bytes.constData(), bytes.size()); // a copy: the caller reuses its buffer
	}
	if (first)
		wake_.notify_one();
}

QString JournalWriter::error() const
{
	std::lock_guard lock(mutex_);
	return error_;
}

void JournalWriter::run()
{
	auto nextSync = Clock::now();
	std::unique_lock lock(mutex_);
	for (;;) {
		wake_.wait(lock, [&] { return stopping_ || !pending_.isEmpty(); });
		// Data that arrive within a second of the last sync wait for the next one.
		wake_.wait_until(lock, nextSync, [&] { return stopping_; });
		if (pending_.isEmpty() && stopping_)
			return;
		QByteArray out;
		out.swap(pending_);
		lock.unlock();
		nextSync = Clock::now() + kSyncPeriod;
		if (!failed())
			writeOut(out);
		lock.lock();
	}
}

void JournalWriter::writeOut(const QByteArray &bytes)
{
	const char *at = bytes.constData();
	qsizetype left = bytes.size();
	while (left > 0) {
		const ssize_t written = ::write(fd_, at, static_cast<size_t>(left));
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0) {
			fail(QStringLiteral("cannot write the run journal: %1").arg(systemError()));
			return;
		}
		at += written;
		left -= written;
	}
	if (!syncToDisk(fd_)) {
		fail(QStringLiteral("cannot write the run journal to the disk: %1").arg(systemError()));
		return;
	}
	synced_.fetch_add(bytes.size(), std::memory_order_release);
}

void JournalWriter::fail(const QString &reason)
{
	{
		std::lock_guard lock(mutex_);
		if (error_.isEmpty())
			error_ = reason;
		pending_.clear();
	}
	failed_.store(true, std::memory_order_release);
}

} // namespace kelvra

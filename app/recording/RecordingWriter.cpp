#include "RecordingWriter.h"

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

} // namespace

RecordingWriter::RecordingWriter() : thread_([this] { run(); }) {}

RecordingWriter::~RecordingWriter()
{
	finish();
}

void RecordingWriter::finish()
{
	if (!thread_.joinable())
		return;
	{
		std::lock_guard lock(mutex_);
		stopping_ = true;
	}
	wake_.notify_one();
	thread_.join();
	sync();
	closeFile();
}

void RecordingWriter::startPart(const QString &fileName, QByteArray bytes)
{
	push({fileName, std::move(bytes)});
}

void RecordingWriter::append(QByteArray bytes)
{
	if (!bytes.isEmpty())
		push({QString(), std::move(bytes)});
}

void RecordingWriter::push(Item item)
{
	bool first;
	{
		std::lock_guard lock(mutex_);
		first = pending_.empty();
		pendingBytes_ += item.bytes.size();
		pending_.push_back(std::move(item));
		first = first || pendingBytes_ >= kEagerBytes;
	}
	if (first)
		wake_.notify_one();
}

QString RecordingWriter::error() const
{
	std::lock_guard lock(mutex_);
	return error_;
}

void RecordingWriter::run()
{
	auto nextSync = Clock::now();
	std::vector<Item> items;
	std::unique_lock lock(mutex_);
	for (;;) {
		if (unsynced_ == 0)
			wake_.wait(lock, [&] { return stopping_ || !pending_.empty(); });
		// Data that arrive within a second of the last sync wait for the next
		// one, unless so many pile up that memory would grow with the rate.
		wake_.wait_until(lock, nextSync,
				[&] { return stopping_ || pendingBytes_ >= kEagerBytes; });
		if (pending_.empty() && stopping_)
			return;
		items.swap(pending_);
		pendingBytes_ = 0;
		lock.unlock();
		for (Item &item : items)
			take(item);
		items.clear();
		if (Clock::now() >= nextSync && sync())
			nextSync = Clock::now() + kSyncPeriod;
		lock.lock();
	}
}

void RecordingWriter::take(Item &item)
{
	if (!item.fileName.isEmpty()) {
		sync();
		closeFile();
		const QByteArray name = QFile::encodeName(item.fileName);
		fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
		if (fd_ < 0) {
			fail(QStringLiteral("cannot create %1: %2")
							.arg(item.fileName, systemError()));
			return;
		}
		const bool retry = failing_.exchange(false, std::memory_order_acq_rel);
		if (!writeAll(item.bytes) || !sync()) {
			if (retry)
				failures_.fetch_sub(
						1, std::memory_order_release); // the same failure
									       // goes on
			closeFile();
			::unlink(name.constData()); // a part without its header is no part
			return;
		}
		partsBegun_.fetch_add(1, std::memory_order_release);
		return;
	}
	if (fd_ >= 0 && !failing())
		writeAll(item.bytes);
}

bool RecordingWriter::writeAll(const QByteArray &bytes)
{
	const char *at = bytes.constData();
	qsizetype left = bytes.size();
	while (left > 0) {
		const ssize_t written = ::write(fd_, at, static_cast<size_t>(left));
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0) {
			fail(QStringLiteral("cannot write the recording: %1").arg(systemError()));
			return false;
		}
		at += written;
		left -= written;
	}
	unsynced_ += bytes.size();
	return true;
}

bool RecordingWriter::sync()
{
	if (fd_ < 0 || unsynced_ == 0 || failing())
		return false;
	if (::fdatasync(fd_) != 0) {
		fail(QStringLiteral("cannot write the recording to the disk: %1")
						.arg(systemError()));
		return false;
	}
	synced_.fetch_add(unsynced_, std::memory_order_release);
	unsynced_ = 0;
	return true;
}

void RecordingWriter::closeFile()
{
	if (fd_ >= 0)
		::close(fd_);
	fd_ = -1;
	unsynced_ = 0;
}

void RecordingWriter::fail(const QString &reason)
{
	{
		std::lock_guard lock(mutex_);
		if (error_.isEmpty())
			error_ = reason;
	}
	if (!failing_.exchange(true, std::memory_order_acq_rel))
		failures_.fetch_add(1, std::memory_order_release);
}

} // namespace kelvra

#include "RecordingWriter.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvra {

namespace {

QString systemError(int error)
{
	return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

RecordingWriter::FileCalls RecordingWriter::SystemCalls()
{
	return {[](const QByteArray &name) {
			return ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
					0644);
		},
			[](int fd, const char *data, size_t size) {
				return ::write(fd, data, size);
			},
			[](int fd) { return ::fdatasync(fd); }};
}

RecordingWriter::RecordingWriter(FileCalls calls, std::chrono::milliseconds syncPeriod)
	: calls_(std::move(calls)), syncPeriod_(syncPeriod), thread_([this] { run(); })
{
}

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
	bool wake;
	{
		std::lock_guard lock(mutex_);
		const bool start = !item.fileName.isEmpty();
		wake = pending_.empty() || start;
		pendingBytes_ += item.bytes.size();
		pendingStarts_ += start ? 1 : 0;
		handed_ += 1;
		pending_.push_back(std::move(item));
		wake = wake || pendingBytes_ >= kEagerBytes;
	}
	if (wake)
		wake_.notify_one();
}

QString RecordingWriter::error() const
{
	std::lock_guard lock(mutex_);
	return error_;
}

RecordingWriter::Loss RecordingWriter::lastLoss() const
{
	std::lock_guard lock(mutex_);
	return loss_;
}

void RecordingWriter::waitUntilTaken()
{
	std::unique_lock lock(mutex_);
	const int64_t handed = handed_;
	tookAll_.wait(lock, [&] { return stopped_ || taken_ >= handed; });
}

void RecordingWriter::run()
{
	auto nextSync = Clock::now();
	std::vector<Item> items;
	std::unique_lock lock(mutex_);
	for (;;) {
		// Nothing to sync, or nothing that can be: only new items wake it.
		if (unsynced_ == 0 || failing())
			wake_.wait(lock, [&] { return stopping_ || !pending_.empty(); });
		// Data that arrive within a second of the last sync wait for the next
		// one, unless so many pile up that memory would grow with the rate, or
		// a new part is to begin.
		wake_.wait_until(lock, nextSync, [&] {
			return stopping_ || pendingBytes_ >= kEagerBytes || pendingStarts_ > 0;
		});
		if (pending_.empty() && stopping_) {
			stopped_ = true;
			tookAll_.notify_all();
			return;
		}
		items.swap(pending_);
		pendingBytes_ = 0;
		pendingStarts_ = 0;
		lock.unlock();
		for (Item &item : items)
			take(item);
		if (Clock::now() >= nextSync && sync())
			nextSync = Clock::now() + syncPeriod_;
		lock.lock();
		taken_ += static_cast<int64_t>(items.size());
		items.clear();
		tookAll_.notify_all();
	}
}

void RecordingWriter::take(Item &item)
{
	if (item.fileName.isEmpty()) {
		if (fd_ >= 0 && !failing())
			writeAll(item.bytes);
		return;
	}
	beginFile(item);
	startsTaken_.fetch_add(1, std::memory_order_release);
}

// A part with its header on the disk; begun after dropped data, it ends
// their loss.
bool RecordingWriter::beginFile(Item &item)
{
	sync();
	closeFile();
	const QByteArray name = QFile::encodeName(item.fileName);
	fd_ = calls_.create(name);
	if (fd_ < 0) {
		const int error = errno;
		fail(error,
				QStringLiteral("cannot create %1: %2")
						.arg(item.fileName, systemError(error)));
		return false;
	}
	const bool afterLoss = failing_.exchange(false, std::memory_order_acq_rel);
	if (!writeAll(item.bytes) || !sync()) {
		if (afterLoss) // the same failure goes on
			failures_.fetch_sub(1, std::memory_order_release);
		closeFile();
		::unlink(name.constData()); // a part without its header is no part
		return false;
	}
	if (afterLoss) {
		std::lock_guard lock(mutex_);
		loss_ = {loss_.ended + 1, startsTaken_.load(), currentError_, currentReason_};
		lossesEnded_.store(loss_.ended, std::memory_order_release);
	}
	partsBegun_.fetch_add(1, std::memory_order_release);
	return true;
}

bool RecordingWriter::writeAll(const QByteArray &bytes)
{
	const char *at = bytes.constData();
	qsizetype left = bytes.size();
	while (left > 0) {
		const ssize_t written = calls_.write(fd_, at, static_cast<size_t>(left));
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0) {
			const int error = written < 0 ? errno : ENOSPC;
			fail(error,
					QStringLiteral("cannot write the recording: %1")
							.arg(systemError(error)));
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
	if (calls_.sync(fd_) != 0) {
		const int error = errno;
		fail(error,
				QStringLiteral("cannot write the recording to the disk: %1")
						.arg(systemError(error)));
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

void RecordingWriter::fail(int error, const QString &reason)
{
	std::lock_guard lock(mutex_);
	if (error_.isEmpty())
		error_ = reason;
	if (!failing_.exchange(true, std::memory_order_acq_rel)) {
		failures_.fetch_add(1, std::memory_order_release);
		currentError_ = error;
		currentReason_ = systemError(error);
	}
}

} // namespace kelvra

#include "JournalWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <utility>

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

bool writeAll(int fd, const QByteArray &bytes)
{
	const char *at = bytes.constData();
	qsizetype left = bytes.size();
	while (left > 0) {
		const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0)
			return false;
		at += written;
		left -= written;
	}
	return true;
}

// Makes a created or renamed file's name durable. Some file systems cannot
// sync a folder; the data themselves are synced either way.
void syncFolderOf(const QString &fileName)
{
	const int folder = ::open(QFile::encodeName(QFileInfo(fileName).absolutePath()).constData(),
			O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (folder < 0)
		return;
	::fsync(folder);
	::close(folder);
}

} // namespace

JournalWriter::JournalWriter(const QString &fileName)
{
	shared_->fileName = fileName;
	shared_->fd = ::open(QFile::encodeName(fileName).constData(),
			O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	if (shared_->fd < 0) {
		shared_->fail(QCoreApplication::translate(
				"JournalWriter", "%1 を作成できません: %2")
						.arg(fileName, systemError()));
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
		shared_->pending.append(bytes.constData(),
				bytes.size()); // a copy: the caller reuses its buffer
		shared_->queued += 1;
	}
	if (first)
		shared_->wake.notify_one();
}

void JournalWriter::replace(const QByteArray &bytes)
{
	if (failed())
		return;
	{
		std::lock_guard lock(shared_->mutex);
		shared_->pending = bytes;
		shared_->replacing = true;
		shared_->queued += 1;
	}
	shared_->wake.notify_one();
}

bool JournalWriter::flush()
{
	std::unique_lock lock(shared_->mutex);
	const uint64_t target = shared_->queued;
	shared_->hurry = true;
	shared_->wake.notify_one();
	shared_->written.wait(lock,
			[&] { return shared_->done >= target || failed() || !thread_.joinable(); });
	return !failed();
}

bool JournalWriter::settled() const
{
	std::lock_guard lock(shared_->mutex);
	return shared_->done >= shared_->queued || failed();
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
	syncFolderOf(fileName);
	auto nextSync = Clock::now();
	std::unique_lock lock(mutex);
	for (;;) {
		wake.wait(lock, [&] { return stopping || !pending.isEmpty(); });
		// Data that arrive within a second of the last sync wait for the next one.
		wake.wait_until(lock, nextSync, [&] { return stopping || hurry; });
		if (dropping || (pending.isEmpty() && stopping))
			return;
		QByteArray out;
		out.swap(pending);
		const bool fresh = std::exchange(replacing, false);
		const uint64_t taken = queued;
		hurry = false;
		lock.unlock();
		nextSync = Clock::now() + kSyncPeriod;
		if (!failed.load(std::memory_order_acquire))
			fresh ? writeFresh(out) : writeOut(out);
		lock.lock();
		done = taken;
		written.notify_all();
	}
}

void JournalWriter::Shared::writeOut(const QByteArray &bytes)
{
	if (!writeAll(fd, bytes)) {
		fail(QCoreApplication::translate(
				"JournalWriter", "測定データの控えを書き込めません: %1")
						.arg(systemError()));
		return;
	}
	if (!syncToDisk(fd)) {
		fail(QCoreApplication::translate(
				"JournalWriter", "測定データの控えをディスクに書き込めません: %1")
						.arg(systemError()));
		return;
	}
	synced.fetch_add(bytes.size(), std::memory_order_release);
}

void JournalWriter::Shared::writeFresh(const QByteArray &bytes)
{
	const QByteArray name = QFile::encodeName(fileName);
	const QByteArray temporary = name + ".new";
	const int fresh = ::open(
			temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	bool ok = fresh >= 0 && writeAll(fresh, bytes) && syncToDisk(fresh);
	QString reason = ok ? QString()
			    : QCoreApplication::translate("JournalWriter",
					      "測定データの控えを書き直せません: %1")
					      .arg(systemError());
	bool dropped = false;
	if (ok) {
		ok = ::rename(temporary.constData(), name.constData()) == 0;
		if (!ok)
			reason = QCoreApplication::translate(
					"JournalWriter", "測定データの控えを置き換えられません: %1")
						 .arg(systemError());
		// A journal dropped meanwhile is not renamed back into being: whichever
		// of the two comes last removes it. The lock is never held across the
		// rename, so the run never waits for the disk.
		{
			std::lock_guard lock(mutex);
			dropped = dropping;
		}
		if (ok && dropped) {
			::unlink(name.constData());
			ok = false;
		}
	}
	if (!ok) {
		if (fresh >= 0)
			::close(fresh);
		::unlink(temporary.constData());
		if (!dropped)
			fail(reason);
		return;
	}
	::close(fd);
	fd = fresh;
	syncFolderOf(fileName);
	synced.fetch_add(bytes.size(), std::memory_order_release);
}

void JournalWriter::Shared::fail(const QString &reason)
{
	{
		std::lock_guard lock(mutex);
		if (error.isEmpty())
			error = reason;
		pending.clear();
		failed.store(true, std::memory_order_release);
	}
	written.notify_all();
}

} // namespace kelvra

#include "SyncedFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kelvra {

namespace {

QString systemError(int error)
{
	return QString::fromLocal8Bit(std::strerror(error));
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

enum class Kind { Bytes, Opened, Part, Replace };

struct Item {
	Kind kind;
	QString fileName;
	QByteArray bytes;
};

} // namespace

struct SyncedFileWriter::State {
	~State() { closeFile(); }
	void push(Item item);
	void run();
	void take(Item &item);
	void beginPart(Item &item);
	void replace(const QByteArray &bytes);
	bool writeAll(int fd, const QByteArray &bytes);
	bool sync();
	void closeFile();
	void fail(int error, const QString &message);
	bool isDropping();

	FileCalls calls;
	Texts texts;
	std::chrono::milliseconds syncPeriod;
	QString fileName; // of the opened file
	int fd = -1;
	qint64 unsynced = 0;
	mutable std::mutex mutex;
	std::condition_variable wake;
	std::condition_variable tookAll;
	std::vector<Item> pending;
	qsizetype pendingBytes = 0;
	int pendingStarts = 0;
	bool hurry = false; // someone waits in flush()
	int64_t handed = 0; // items handed, and taken by the thread
	int64_t taken = 0;
	bool stopping = false;
	bool dropping = false;
	bool stopped = false; // the thread takes nothing more
	QString error;
	Loss loss;            // the one ended last
	int currentError = 0; // of the loss going on
	QString currentReason;
	std::atomic<bool> failing{false};
	std::atomic<int> failures{0};
	std::atomic<int> partsBegun{0};
	std::atomic<int> startsTaken{0};
	std::atomic<int> lossesEnded{0};
	std::atomic<qint64> synced{0};
};

SyncedFileWriter::FileCalls SyncedFileWriter::SystemCalls(mode_t mode)
{
	return {[mode](const QByteArray &name) {
			return ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
					mode);
		},
			[](int fd, const char *data, size_t size) {
				return ::write(fd, data, size);
			},
			[](int fd) { return ::fdatasync(fd); }};
}

SyncedFileWriter::SyncedFileWriter(
		FileCalls calls, Texts texts, std::chrono::milliseconds syncPeriod)
	: state_(std::make_shared<State>())
{
	state_->calls = std::move(calls);
	state_->texts = std::move(texts);
	state_->syncPeriod = syncPeriod;
	thread_ = std::thread([state = state_] { state->run(); });
}

SyncedFileWriter::~SyncedFileWriter()
{
	finish();
}

void SyncedFileWriter::finish()
{
	if (!thread_.joinable())
		return;
	{
		std::lock_guard lock(state_->mutex);
		state_->stopping = true;
	}
	state_->wake.notify_one();
	thread_.join();
	state_->sync();
	state_->closeFile();
}

void SyncedFileWriter::abandon()
{
	{
		std::lock_guard lock(state_->mutex);
		state_->stopping = true;
		state_->dropping = true;
		state_->pending.clear();
	}
	state_->wake.notify_one();
	if (thread_.joinable())
		thread_.detach();
}

bool SyncedFileWriter::open(const QString &fileName)
{
	const int fd = state_->calls.create(QFile::encodeName(fileName));
	if (fd < 0) {
		const int error = errno;
		state_->fail(error, state_->texts.create.arg(fileName, systemError(error)));
		return false;
	}
	{
		std::lock_guard lock(state_->mutex);
		state_->fileName = fileName;
		state_->fd = fd;
	}
	state_->push({Kind::Opened, fileName, {}});
	return true;
}

void SyncedFileWriter::startPart(const QString &fileName, QByteArray bytes)
{
	state_->push({Kind::Part, fileName, std::move(bytes)});
}

void SyncedFileWriter::replaceFile(QByteArray bytes)
{
	state_->push({Kind::Replace, QString(), std::move(bytes)});
}

void SyncedFileWriter::append(QByteArray bytes)
{
	if (!bytes.isEmpty())
		state_->push({Kind::Bytes, QString(), std::move(bytes)});
}

void SyncedFileWriter::State::push(Item item)
{
	bool wakeNow;
	{
		std::lock_guard lock(mutex);
		const bool start = item.kind != Kind::Bytes;
		if (item.kind == Kind::Replace) {
			pending.clear();
			pendingBytes = 0;
		}
		wakeNow = pending.empty() || start;
		pendingBytes += item.bytes.size();
		pendingStarts += start ? 1 : 0;
		handed += 1;
		if (!start && !pending.empty() && pending.back().kind == Kind::Bytes)
			pending.back().bytes.append(item.bytes); // one write for many appends
		else
			pending.push_back(std::move(item));
		wakeNow = wakeNow || pendingBytes >= kEagerBytes;
	}
	if (wakeNow)
		wake.notify_one();
}

bool SyncedFileWriter::flush()
{
	std::unique_lock lock(state_->mutex);
	const int64_t target = state_->handed;
	state_->hurry = true;
	state_->wake.notify_one();
	state_->tookAll.wait(lock,
			[&] { return state_->stopped || state_->taken >= target || failing(); });
	return !failing();
}

void SyncedFileWriter::waitUntilTaken()
{
	std::unique_lock lock(state_->mutex);
	const int64_t target = state_->handed;
	state_->tookAll.wait(lock, [&] { return state_->stopped || state_->taken >= target; });
}

bool SyncedFileWriter::settled() const
{
	std::lock_guard lock(state_->mutex);
	return state_->taken >= state_->handed || failing();
}

bool SyncedFileWriter::failing() const
{
	return state_->failing.load(std::memory_order_acquire);
}

int SyncedFileWriter::failures() const
{
	return state_->failures.load(std::memory_order_acquire);
}

QString SyncedFileWriter::error() const
{
	std::lock_guard lock(state_->mutex);
	return state_->error;
}

int SyncedFileWriter::partsBegun() const
{
	return state_->partsBegun.load(std::memory_order_acquire);
}

int SyncedFileWriter::startsTaken() const
{
	return state_->startsTaken.load(std::memory_order_acquire);
}

qint64 SyncedFileWriter::syncedBytes() const
{
	return state_->synced.load(std::memory_order_acquire);
}

SyncedFileWriter::Loss SyncedFileWriter::lastLoss() const
{
	std::lock_guard lock(state_->mutex);
	return state_->loss;
}

int SyncedFileWriter::lossesEnded() const
{
	return state_->lossesEnded.load(std::memory_order_acquire);
}

void SyncedFileWriter::State::run()
{
	auto nextSync = Clock::now();
	std::vector<Item> items;
	std::unique_lock lock(mutex);
	for (;;) {
		// Nothing to sync, or nothing that can be: only new items wake it.
		if (unsynced == 0 || failing)
			wake.wait(lock, [&] { return stopping || !pending.empty(); });
		// Data that arrive within a second of the last sync wait for the next
		// one, unless someone waits for them, so many pile up that memory
		// would grow with the rate, or a new file is to begin.
		wake.wait_until(lock, nextSync, [&] {
			return stopping || hurry || pendingBytes >= kEagerBytes ||
					pendingStarts > 0;
		});
		if (dropping || (pending.empty() && stopping)) {
			stopped = true;
			tookAll.notify_all();
			return;
		}
		items.swap(pending);
		pendingBytes = 0;
		pendingStarts = 0;
		const bool hurried = std::exchange(hurry, false) || stopping;
		const int64_t handedNow = handed;
		lock.unlock();
		for (Item &item : items)
			take(item);
		if ((hurried || Clock::now() >= nextSync) && sync())
			nextSync = Clock::now() + syncPeriod;
		lock.lock();
		taken = handedNow;
		items.clear();
		tookAll.notify_all();
	}
}

void SyncedFileWriter::State::take(Item &item)
{
	switch (item.kind) {
	case Kind::Bytes:
		if (fd >= 0 && !failing && writeAll(fd, item.bytes))
			unsynced += item.bytes.size();
		else if (fd >= 0 && !failing)
			fail(errno, texts.write.arg(systemError(errno)));
		break;
	case Kind::Opened:
		syncFolderOf(item.fileName);
		break;
	case Kind::Part:
		beginPart(item);
		startsTaken.fetch_add(1, std::memory_order_release);
		break;
	case Kind::Replace:
		if (!failing)
			replace(item.bytes);
		break;
	}
}

// A part with its bytes on the disk; begun after dropped data, it ends
// their loss.
void SyncedFileWriter::State::beginPart(Item &item)
{
	sync();
	closeFile();
	const QByteArray name = QFile::encodeName(item.fileName);
	fd = calls.create(name);
	if (fd < 0) {
		const int error = errno;
		fail(error, texts.create.arg(item.fileName, systemError(error)));
		return;
	}
	const bool afterLoss = failing.exchange(false, std::memory_order_acq_rel);
	const bool written = writeAll(fd, item.bytes);
	if (!written)
		fail(errno, texts.write.arg(systemError(errno)));
	unsynced += written ? item.bytes.size() : 0;
	if (!written || !sync()) {
		if (afterLoss) // the same failure goes on
			failures.fetch_sub(1, std::memory_order_release);
		closeFile();
		::unlink(name.constData()); // a part without its first bytes is no part
		return;
	}
	syncFolderOf(item.fileName);
	if (afterLoss) {
		std::lock_guard lock(mutex);
		loss = {loss.ended + 1, startsTaken.load(), currentError, currentReason};
		lossesEnded.store(loss.ended, std::memory_order_release);
	}
	partsBegun.fetch_add(1, std::memory_order_release);
}

void SyncedFileWriter::State::replace(const QByteArray &bytes)
{
	const QByteArray name = QFile::encodeName(fileName);
	const QByteArray temporary = name + ".new";
	const int fresh = calls.create(temporary);
	if (fresh < 0 || !writeAll(fresh, bytes) || calls.sync(fresh) != 0) {
		const int error = errno;
		if (fresh >= 0)
			::close(fresh);
		::unlink(temporary.constData());
		fail(error, texts.rewrite.arg(systemError(error)));
		return;
	}
	const bool renamed = ::rename(temporary.constData(), name.constData()) == 0;
	const int error = errno;
	// A file dropped meanwhile is not renamed back into being: whichever of
	// the two comes last removes it. The lock is never held across the
	// rename, so the caller never waits for the disk.
	const bool dropped = isDropping();
	if (!renamed || dropped) {
		::close(fresh);
		::unlink(renamed ? name.constData() : temporary.constData());
		if (!dropped)
			fail(error, texts.rename.arg(systemError(error)));
		return;
	}
	closeFile();
	fd = fresh;
	syncFolderOf(fileName);
	synced.fetch_add(bytes.size(), std::memory_order_release);
}

// Takes EINTR and short writes; a write of nothing is a full disk.
bool SyncedFileWriter::State::writeAll(int to, const QByteArray &bytes)
{
	const char *at = bytes.constData();
	qsizetype left = bytes.size();
	while (left > 0) {
		const ssize_t written = calls.write(to, at, static_cast<size_t>(left));
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0) {
			errno = written < 0 ? errno : ENOSPC;
			return false;
		}
		at += written;
		left -= written;
	}
	return true;
}

bool SyncedFileWriter::State::sync()
{
	if (fd < 0 || unsynced == 0 || failing)
		return false;
	if (calls.sync(fd) != 0) {
		const int error = errno;
		fail(error, texts.sync.arg(systemError(error)));
		return false;
	}
	synced.fetch_add(unsynced, std::memory_order_release);
	unsynced = 0;
	return true;
}

void SyncedFileWriter::State::closeFile()
{
	if (fd >= 0)
		::close(fd);
	fd = -1;
	unsynced = 0;
}

void SyncedFileWriter::State::fail(int errorNumber, const QString &message)
{
	{
		std::lock_guard lock(mutex);
		if (error.isEmpty())
			error = message;
		if (!failing.exchange(true, std::memory_order_acq_rel)) {
			failures.fetch_add(1, std::memory_order_release);
			currentError = errorNumber;
			currentReason = systemError(errorNumber);
		}
	}
	tookAll.notify_all(); // a flush waits no longer
}

bool SyncedFileWriter::State::isDropping()
{
	std::lock_guard lock(mutex);
	return dropping;
}

} // namespace kelvra

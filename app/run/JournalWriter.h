#pragma once

// Puts a journal's bytes on the disk from a thread of its own, so that a slow
// disk never holds up a tick: the tick appends to a pending buffer under a
// short lock; the thread swaps that buffer out and writes and syncs it with
// no lock held. Data reach the disk (fsync) at most a second after they were
// appended, and the disk is synced at most once a second. The folder is
// synced once the file is created, so the file's name survives a power cut.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace kelvra {

class JournalWriter {
public:
	using Clock = std::chrono::steady_clock;

	static constexpr std::chrono::milliseconds kSyncPeriod{1000};

	// Opens (creates or truncates) the file; failed() tells whether that worked.
	explicit JournalWriter(const QString &fileName);
	// Writes what is still pending, syncs and closes, unless abandoned.
	~JournalWriter();

	// The data are no longer wanted: drops what is pending and lets the
	// thread end by itself, so that nobody waits for a slow disk.
	void abandon();

	JournalWriter(const JournalWriter &) = delete;
	JournalWriter &operator=(const JournalWriter &) = delete;

	// Queues bytes; ignored once writing has failed.
	void append(const QByteArray &bytes);

	// Starts the file afresh with `bytes`, in place of everything appended
	// before: the bytes go to a new file that replaces the old one only once
	// it is on the disk. Later appends follow them.
	void replace(const QByteArray &bytes);

	// Waits until everything queued so far is on the disk; false when
	// writing failed. Not for a thread that must not wait for the disk.
	bool flush();

	// True once everything queued so far is on the disk, or writing failed.
	bool settled() const;

	// True once the file could not be opened, written or synced; later data
	// are dropped. The reason is in error().
	bool failed() const { return shared_->failed.load(std::memory_order_acquire); }
	QString error() const;

	// Bytes that reached the disk, synced.
	qint64 syncedBytes() const { return shared_->synced.load(std::memory_order_acquire); }

private:
	// What the thread uses; it keeps its own share, so an abandoned thread
	// may outlive the writer.
	struct Shared {
		~Shared();
		void run();
		void writeOut(const QByteArray &bytes);
		void writeFresh(const QByteArray &bytes);
		void fail(const QString &reason);

		QString fileName;
		int fd = -1;
		std::mutex mutex;
		std::condition_variable wake;
		std::condition_variable written;
		QByteArray pending;
		bool replacing = false; // pending starts the file afresh
		bool hurry = false;     // someone waits in flush()
		uint64_t queued = 0;    // appends and replaces so far
		uint64_t done = 0;      // of those, the ones on the disk
		bool stopping = false;
		bool dropping = false;
		QString error;
		std::atomic<bool> failed{false};
		std::atomic<qint64> synced{0};
	};

	std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
	std::thread thread_;
};

} // namespace kelvra

#pragma once

// Puts a recording's bytes on the disk from a thread of its own, as the run
// journal's writer does: the run hands finished buffers under a short lock,
// the thread writes them with no lock held and syncs at most once a second.
// A write error (a full disk) does not end it: it is counted and told, what
// was written stays as it is (a reader stops before the cut record), later
// data are dropped until the run starts a new part. A part begun after data
// were dropped ends that loss; the writer tells which part did it.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/types.h>

namespace kelvra {

class RecordingWriter {
public:
	using Clock = std::chrono::steady_clock;

	static constexpr std::chrono::milliseconds kSyncPeriod{1000};
	static constexpr qsizetype kEagerBytes = 4 * 1024 * 1024;

	// The calls to the file system, as the system's: -1 and errno on failure.
	// A test puts in its own to fail them on cue.
	struct FileCalls {
		std::function<int(const QByteArray &name)> create; // for writing, emptied
		std::function<ssize_t(int fd, const char *data, size_t size)> write;
		std::function<int(int fd)> sync;
	};
	static FileCalls SystemCalls();

	explicit RecordingWriter(FileCalls calls = SystemCalls(),
			std::chrono::milliseconds syncPeriod = kSyncPeriod);
	// Writes what is pending, syncs and closes.
	~RecordingWriter();
	// The same, leaving the counts and the error to be read; nothing is
	// taken after it.
	void finish();

	RecordingWriter(const RecordingWriter &) = delete;
	RecordingWriter &operator=(const RecordingWriter &) = delete;

	// Ends the current file and begins a new one with these bytes; it is
	// taken at once, not at the next sync.
	void startPart(const QString &fileName, QByteArray bytes);
	void append(QByteArray bytes);

	// True from a write error until a new part could be begun.
	bool failing() const { return failing_.load(std::memory_order_acquire); }
	// How often writing failed, and the first reason.
	int failures() const { return failures_.load(std::memory_order_acquire); }
	QString error() const;
	int partsBegun() const { return partsBegun_.load(std::memory_order_acquire); }
	// Parts asked for whose file was made or could not be.
	int startsTaken() const { return startsTaken_.load(std::memory_order_acquire); }
	// Waits until everything handed so far was written or dropped.
	void waitUntilTaken();
	qint64 syncedBytes() const { return synced_.load(std::memory_order_acquire); }

	// The latest stretch of dropped data that a part begun after it ended.
	struct Loss {
		int ended = 0;        // how many losses have ended so far
		int endedByPart = -1; // the part that ended it: 0 for the first asked for
		int error = 0;        // the system's error number and its reason
		QString reason;
	};
	Loss lastLoss() const;
	int lossesEnded() const { return lossesEnded_.load(std::memory_order_acquire); }

private:
	struct Item {
		QString fileName; // empty: more bytes for the current file
		QByteArray bytes;
	};

	void push(Item item);
	void run();
	void take(Item &item);
	bool beginFile(Item &item);
	bool writeAll(const QByteArray &bytes);
	bool sync();
	void closeFile();
	void fail(int error, const QString &reason);

	FileCalls calls_;
	std::chrono::milliseconds syncPeriod_;
	int fd_ = -1;
	qint64 unsynced_ = 0;
	mutable std::mutex mutex_;
	std::condition_variable wake_;
	std::condition_variable tookAll_;
	std::vector<Item> pending_;
	qsizetype pendingBytes_ = 0;
	int pendingStarts_ = 0;
	int64_t handed_ = 0; // items pushed, and taken by the thread
	int64_t taken_ = 0;
	bool stopping_ = false;
	QString error_;
	Loss loss_;            // the one ended last
	int currentError_ = 0; // of the loss going on
	QString currentReason_;
	bool stopped_ = false; // the thread takes nothing more
	std::atomic<bool> failing_{false};
	std::atomic<int> failures_{0};
	std::atomic<int> partsBegun_{0};
	std::atomic<int> startsTaken_{0};
	std::atomic<int> lossesEnded_{0};
	std::atomic<qint64> synced_{0};
	std::thread thread_;
};

} // namespace kelvra

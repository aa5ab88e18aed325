#pragma once

// Puts a recording's bytes on the disk from a thread of its own, as the run
// journal's writer does: the run hands finished buffers under a short lock,
// the thread writes them with no lock held and syncs at most once a second.
// A write error (a full disk) does not end it: it is counted and told, what
// was written stays as it is (a reader stops before the cut record), later
// data are dropped until the run starts a new part.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace kelvra {

class RecordingWriter {
public:
	using Clock = std::chrono::steady_clock;

	static constexpr std::chrono::milliseconds kSyncPeriod{1000};
	static constexpr qsizetype kEagerBytes = 4 * 1024 * 1024;

	RecordingWriter();
	// Writes what is pending, syncs and closes.
	~RecordingWriter();
	// The same, leaving the counts and the error to be read; nothing is
	// taken after it.
	void finish();

	RecordingWriter(const RecordingWriter &) = delete;
	RecordingWriter &operator=(const RecordingWriter &) = delete;

	// Ends the current file and begins a new one with these bytes.
	void startPart(const QString &fileName, QByteArray bytes);
	void append(QByteArray bytes);

	// True from a write error until a new part could be begun.
	bool failing() const { return failing_.load(std::memory_order_acquire); }
	// How often writing failed, and the first reason.
	int failures() const { return failures_.load(std::memory_order_acquire); }
	QString error() const;
	int partsBegun() const { return partsBegun_.load(std::memory_order_acquire); }
	qint64 syncedBytes() const { return synced_.load(std::memory_order_acquire); }

private:
	struct Item {
		QString fileName; // empty: more bytes for the current file
		QByteArray bytes;
	};

	void push(Item item);
	void run();
	void take(Item &item);
	bool writeAll(const QByteArray &bytes);
	bool sync();
	void closeFile();
	void fail(const QString &reason);

	int fd_ = -1;
	qint64 unsynced_ = 0;
	mutable std::mutex mutex_;
	std::condition_variable wake_;
	std::vector<Item> pending_;
	qsizetype pendingBytes_ = 0;
	bool stopping_ = false;
	QString error_;
	std::atomic<bool> failing_{false};
	std::atomic<int> failures_{0};
	std::atomic<int> partsBegun_{0};
	std::atomic<qint64> synced_{0};
	std::thread thread_;
};

} // namespace kelvra

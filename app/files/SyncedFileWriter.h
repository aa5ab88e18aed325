#pragma once

// Puts a file's bytes on the disk from a thread of its own, so that a slow
// disk never holds up the caller: the caller appends to a pending buffer
// under a short lock; the thread swaps that buffer out and writes it with no
// lock held. Data reach the disk (fdatasync) at most a second after they were
// appended, and the disk is synced at most once a second. The folder is
// synced once a file is created, so the file's name survives a power cut.
// A write error is counted and told; later data are dropped until a new part
// begins, which ends that loss.

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include <sys/types.h>

namespace kelvra {

class SyncedFileWriter {
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
	static FileCalls SystemCalls(mode_t mode = 0644);

	// What a failure tells, each with the system's reason last: create takes
	// the file's name first, rewrite and rename are for replaceFile().
	struct Texts {
		QString create, write, sync, rewrite, rename;
	};

	SyncedFileWriter(FileCalls calls, Texts texts, std::chrono::milliseconds syncPeriod);
	// Writes what is pending, syncs and closes, unless abandoned.
	~SyncedFileWriter();
	// The same, leaving the counts and the error to be read; nothing is
	// taken after it.
	void finish();
	// The data are no longer wanted: drops what is pending and lets the
	// thread end by itself, so that nobody waits for a slow disk.
	void abandon();

	SyncedFileWriter(const SyncedFileWriter &) = delete;
	SyncedFileWriter &operator=(const SyncedFileWriter &) = delete;

	// Creates the file at once, on the caller's thread; false when it cannot.
	bool open(const QString &fileName);
	// Ends the current file and begins a new one with these bytes; it is
	// taken at once, not at the next sync.
	void startPart(const QString &fileName, QByteArray bytes);
	// Starts the opened file afresh with `bytes`, in place of everything
	// appended before: they go to a new file that replaces the old one only
	// once it is on the disk. Not tried once writing has failed.
	void replaceFile(QByteArray bytes);
	void append(QByteArray bytes);

	// Waits until everything handed so far is on the disk, or writing
	// failed; false then.
	bool flush();
	// Waits until everything handed so far was written or dropped.
	void waitUntilTaken();
	// True once everything handed so far was taken, or writing is failing.
	bool settled() const;

	// True from a write error until a new part could be begun.
	bool failing() const;
	// How often writing failed, and the first reason.
	int failures() const;
	QString error() const;
	int partsBegun() const;
	// Parts asked for whose file was made or could not be.
	int startsTaken() const;
	// Bytes that reached the disk, synced.
	qint64 syncedBytes() const;

	// The latest stretch of dropped data that a part begun after it ended.
	struct Loss {
		int ended = 0;        // how many losses have ended so far
		int endedByPart = -1; // the part that ended it: 0 for the first asked for
		int error = 0;        // the system's error number and its reason
		QString reason;
	};
	Loss lastLoss() const;
	int lossesEnded() const;

private:
	// What the thread uses; it keeps its own share, so an abandoned thread
	// may outlive the writer.
	struct State;

	std::shared_ptr<State> state_;
	std::thread thread_;
};

} // namespace kelvra

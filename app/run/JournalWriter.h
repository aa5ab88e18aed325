#pragma once

// Puts a journal's bytes on the disk from a thread of its own (see
// SyncedFileWriter), so that a slow disk never holds up a tick. Once writing
// has failed, the journal takes no more data.

#include "files/SyncedFileWriter.h"

namespace kelvra {

class JournalWriter : SyncedFileWriter {
public:
	using SyncedFileWriter::Clock;
	using SyncedFileWriter::kSyncPeriod;

	// Opens (creates or truncates) the file; failed() tells whether that worked.
	explicit JournalWriter(const QString &fileName);

	// The data are no longer wanted: drops what is pending and lets the
	// thread end by itself, so that nobody waits for a slow disk.
	using SyncedFileWriter::abandon;

	// Queues bytes; ignored once writing has failed.
	void append(const QByteArray &bytes);

	// Starts the file afresh with `bytes`, in place of everything appended
	// before: the bytes go to a new file that replaces the old one only once
	// it is on the disk. Later appends follow them.
	void replace(const QByteArray &bytes);

	// Waits until everything queued so far is on the disk; false when
	// writing failed. Not for a thread that must not wait for the disk.
	using SyncedFileWriter::flush;

	// True once everything queued so far is on the disk, or writing failed.
	using SyncedFileWriter::settled;

	// True once the file could not be opened, written or synced; later data
	// are dropped. The reason is in error().
	bool failed() const { return failing(); }
	using SyncedFileWriter::error;

	// Bytes that reached the disk, synced.
	using SyncedFileWriter::syncedBytes;
};

} // namespace kelvra

#pragma once

// Puts a recording's bytes on the disk from a thread of its own (see
// SyncedFileWriter): the run hands finished buffers under a short lock, the
// thread writes them with no lock held and syncs at most once a second.
// A write error (a full disk) does not end it: it is counted and told, what
// was written stays as it is (a reader stops before the cut record), later
// data are dropped until the run starts a new part. A part begun after data
// were dropped ends that loss; the writer tells which part did it.

#include "files/SyncedFileWriter.h"

namespace kelvra {

class RecordingWriter : SyncedFileWriter {
public:
	using SyncedFileWriter::Clock;
	using SyncedFileWriter::FileCalls;
	using SyncedFileWriter::kEagerBytes;
	using SyncedFileWriter::kSyncPeriod;
	using SyncedFileWriter::Loss;
	using SyncedFileWriter::SystemCalls;

	explicit RecordingWriter(FileCalls calls = SystemCalls(),
			std::chrono::milliseconds syncPeriod = kSyncPeriod);

	using SyncedFileWriter::append;
	using SyncedFileWriter::error;
	using SyncedFileWriter::failing;
	using SyncedFileWriter::failures;
	using SyncedFileWriter::finish;
	using SyncedFileWriter::lastLoss;
	using SyncedFileWriter::lossesEnded;
	using SyncedFileWriter::partsBegun;
	using SyncedFileWriter::startPart;
	using SyncedFileWriter::startsTaken;
	using SyncedFileWriter::syncedBytes;
	using SyncedFileWriter::waitUntilTaken;
};

} // namespace kelvra

#include "RecordingWriter.h"

namespace kelvra {

RecordingWriter::RecordingWriter(FileCalls calls, std::chrono::milliseconds syncPeriod)
	: SyncedFileWriter(std::move(calls),
			  {QStringLiteral("cannot create %1: %2"),
					  QStringLiteral("cannot write the recording: %1"),
					  QStringLiteral("cannot write the recording to the disk: %1"),
					  QString(), QString()},
			  syncPeriod)
{
}

} // namespace kelvra

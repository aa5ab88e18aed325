// The long-recording reader on any bytes: it reads them or names the reason;
// whatever it read stays within the part's numbers, a count or an envelope
// costs what the file holds, and every event has a text. The mutator mends
// the checksums of the records it changed, so that the records' contents are
// tried, not only their frames.

#include "recording/RecordingReader.h"
#include "run/EventText.h"
#include "run/JournalFormat.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>

extern "C" size_t LLVMFuzzerMutate(uint8_t *data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t *data, size_t size, size_t maxSize, unsigned)
{
	size = LLVMFuzzerMutate(data, size, maxSize);
	auto *bytes = reinterpret_cast<char *>(data);
	for (size_t at = 0; at + 12 < size;) {
		const auto length = qFromLittleEndian<uint32_t>(bytes + at);
		if (length == 0 || length > size - at - 12)
			break;
		qToLittleEndian(~length, bytes + at + 4);
		qToLittleEndian(kelvra::Crc32(bytes + at + 12, length), bytes + at + 8);
		at += 12 + length;
	}
	return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
	using namespace kelvra;
	QString error;
	const auto reader = RecordingReader::read(QByteArray(reinterpret_cast<const char *>(data),
								  static_cast<qsizetype>(size)),
			QStringLiteral("fuzz.kvr"), &error);
	if (!reader) {
		if (error.isEmpty())
			__builtin_trap();
		return 0;
	}
	const RecordingHeader &h = reader->header();
	const uint64_t first = h.firstSample;
	for (int u = 0; u < kUnitCount; ++u) {
		const uint64_t end = reader->sampleEnd(u);
		if (end > PartSpanEnd(h) || (end > first && !h.inUse(u)))
			__builtin_trap();
		const uint64_t held = end > first ? end - first : 0;
		if (reader->sampleCount(u) > held)
			__builtin_trap();
		reader->envelope(u, first, end, 64);
		reader->samples(u, first, std::min(end, first + 4096));
		for (const RecordingGap &gap : reader->gaps(u)) {
			if (gap.from < first || gap.count > held)
				__builtin_trap();
		}
	}
	for (const RecordingEvent &event : reader->events())
		EventLine(event);
	return 0;
}

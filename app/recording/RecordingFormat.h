#pragma once

// The bytes of a long recording (.kvr), framed as the run journal's records:
// a little-endian UInt32 payload length, its complement, the CRC-32 of the
// payload, then the payload, whose first byte names the record. A header,
// then sample, gap, event and summary records in the order they were
// measured, and an end record. A reader takes every record up to the first
// one that is cut off or fails its checksum, and nothing after it.
// docs/recording-format.md describes every field.

#include "core/RunEvent.h"
#include "core/RunSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvra {

enum class RecordKind : char {
	Header = 'R',
	Samples = 'S',
	Gap = 'G',
	Event = 'V',
	Summary = 'M',
	End = 'E',
};

inline constexpr uint8_t kRecordingVersion = 2;

// A block of the header's list, where later additions to the header go. A
// reader passes over a block whose tag it does not know, unless the tag has
// kMustUnderstand set: then it refuses the file.
struct HeaderBlock {
	uint16_t tag = 0;
	QByteArray bytes;

	bool operator==(const HeaderBlock &) const = default;
};
inline constexpr uint16_t kMustUnderstand = 0x8000;

struct RecordingHeader {
	uint8_t version = kRecordingVersion; // of the file read; a writer writes its own
	RunSettings settings;
	QString StartTimeStr;
	std::array<QString, 5> MemoStr;
	double intervalS = 0.0;
	QString startTimeIso; // ISO 8601, local time with its offset
	QString unitText;     // the display unit the samples are in
	SplitPeriod split = SplitPeriod::None;
	uint16_t part = 0;               // 0 in a recording that is not split
	uint64_t firstSample = 0;        // number of the part's first sample, from 0 at the start
	std::vector<HeaderBlock> blocks; // later additions, this version's and others'

	bool inUse(int unit) const { return settings.units[unit].Mflag != kFalse; }
};

// The header of a recording of the state's run, begun at `start`.
RecordingHeader RecordingHeaderOf(const ModuleData &md, const QDateTime &start, SplitPeriod split);

// The file of part `number` of a recording: BASE.kvr (0), BASE-001.kvr (1) on.
QString RecordingPartFile(const QString &baseName, int number);

// The moment of sample 0 to the millisecond, in a block of the header (the
// ISO start time has whole seconds); the ISO time in a file without it.
inline constexpr uint16_t kStartMsTag = 1;
QDateTime StartOf(const RecordingHeader &h);

// Sample numbers in each part of a split recording (an hour or a day of
// measurement time); 0 when it is not split.
uint64_t SamplesPerPart(const RecordingHeader &h);
// One past the last sample number the part can hold: the end of its hour or
// day when split, a century of measurement after its first sample when not.
uint64_t PartSpanEnd(const RecordingHeader &h);
// A unit's first record in a part begins at most this many numbers after the
// part's first sample: the run keeps its units level within a read of their
// buffers.
inline constexpr uint64_t kMaxUnitLead = kBufferLength;

using RecordingEvent = RunEvent;

struct RecordingGap {
	int unit = 0;
	uint64_t from = 0;
	uint64_t count = 0;
};

// Statistics of the samples present in one block of sample numbers.
struct SampleSummary {
	uint32_t count = 0;
	float min = 0.0f;
	float max = 0.0f;
	double sum = 0.0;
	double sumSquares = 0.0;

	void add(float value);
	void add(const SampleSummary &other);
};

inline constexpr int kSummaryLevels = 3;
// Level L summarises blocks of 1024 × 32^L sample numbers.
constexpr uint64_t SummaryBlockSize(int level)
{
	return uint64_t{1024} << (5 * level);
}

struct SummaryRecord {
	int unit = 0;
	int level = 0;
	uint64_t block = 0;   // number of the block's first sample
	uint32_t covered = 0; // sample numbers of the block this record saw, present or missing
	SampleSummary summary;
};

// Appending a record to a buffer.
void AppendHeader(QByteArray &out, const RecordingHeader &header);
void AppendSamples(QByteArray &out, int unit, uint64_t first, const float *values, qsizetype count);
void AppendGap(QByteArray &out, const RecordingGap &gap);
void AppendEvent(QByteArray &out, const RecordingEvent &event);
void AppendSummary(QByteArray &out, const SummaryRecord &record);
void AppendEnd(QByteArray &out, uint64_t nextSample);

// One intact record found in the bytes.
struct RecordSpan {
	RecordKind kind;
	qsizetype payload; // offset of the payload's first byte after the kind
	qsizetype size;    // its bytes after the kind
};

// Walks the records; stops at the first that is cut off or damaged, or when
// visit returns false. Returns the offset where reading stopped.
template <typename Visit>
qsizetype ForEachRecord(const QByteArray &bytes, Visit visit);

// nullopt when the header is damaged or of a version this one cannot read,
// with the reason in `refusal`.
std::optional<RecordingHeader> DecodeHeader(const char *p, qsizetype size, QString *refusal);
std::optional<RecordingGap> DecodeGap(const char *p, qsizetype size);
// An event record of a file of `version`; known is false for an event of a
// later version, which a reader passes over.
std::optional<DecodedEvent> DecodeEvent(const char *p, qsizetype size, uint8_t version);
std::optional<SummaryRecord> DecodeSummary(const char *p, qsizetype size);
std::optional<uint64_t> DecodeEnd(const char *p, qsizetype size);
// A sample record's unit, first sample number and number of samples; the
// values follow at p + kSamplesFixedSize.
struct SamplesRecord {
	int unit = 0;
	uint64_t first = 0;
	qsizetype count = 0;
};
inline constexpr qsizetype kSamplesFixedSize = 9;
std::optional<SamplesRecord> DecodeSamples(const char *p, qsizetype size);

// The frame's checks: an intact record's span, or nullopt where reading ends.
std::optional<RecordSpan> RecordAt(const QByteArray &bytes, qsizetype pos, qsizetype *next);

template <typename Visit>
qsizetype ForEachRecord(const QByteArray &bytes, Visit visit)
{
	qsizetype pos = 0;
	qsizetype next = 0;
	while (auto record = RecordAt(bytes, pos, &next)) {
		if (!visit(*record))
			break;
		pos = next;
	}
	return pos;
}

} // namespace kelvra

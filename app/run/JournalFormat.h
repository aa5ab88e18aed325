#pragma once

// The run journal's bytes: a sequence of records, each a little-endian
// UInt32 payload length, its complement (so a damaged length is told from a
// cut-off record), the UInt32 CRC-32 of the payload, then the payload, whose
// first byte names its kind.
// The first record is the header (everything a data file carries about the
// run). While a trigger waits, the journal may be started afresh with the
// header and a ring record (the rings as a tick left them) in place of the
// ticks before. Then one record per tick with the samples the acquisition
// stored, and an end record when the run ended. Between them, an event record
// for each event of the run as it happened (a rewrite carries those so far
// after the rings): 'W', the event's data as a recording keeps them
// (AppendEventData), whose text is made where it is shown. Journals written
// before events kept their data have 'V' records with a text in its place
// (Float64 time, Int8 unit, UInt8 kind, the text as QDataStream writes it),
// and those before events were kept have none. A record that is cut off or
// fails its checksum ends the journal: nothing after it is decoded.

#include "core/ModuleData.h"
#include "core/RunEvent.h"
#include "core/RunSettings.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kelvra {

struct JournalHeader {
	QString StartTimeStr;
	std::array<QString, 5> MemoStr;
	RunSettings settings;
	// As the start of the run fixed them.
	int32_t AverageNum = 1;
	Flag TrgMode = kFalse;
	int32_t DataMaxNum = kBufferLength;
	int32_t sampleLimit =
			0; // keep only the first n samples (kelvra-cli --samples); 0 keeps all
};

// A waiting trigger's rings as a tick left them: all that a rebuild needs of
// the samples stored so far.
struct JournalRing {
	struct Unit {
		int32_t DataNum = 0;
		int32_t StartPos = 0;
		int32_t WritePos = 0;
		std::vector<float> latest; // the unit's last samples, oldest first; the newest is
					   // at WritePos
	};
	std::array<Unit, kUnitCount> units;
};

struct StoredSample {
	int unit = 0;
	std::optional<float> value;
};

struct JournalTick {
	int32_t DataCount = 0; // as the tick left it
	std::vector<StoredSample> samples;
};

struct JournalContent {
	JournalHeader header;
	std::optional<JournalRing> ring;
	std::vector<JournalTick> ticks;
	std::vector<RunEvent> events;
	std::optional<QString> endTime; // the start time text as the ended run left it
	QString warning;                // why the journal ends early; empty when it is whole
};

JournalHeader HeaderOfRun(const ModuleData &md);

// The rings of a waiting trigger run: of each unit the samples that a later
// trigger can still take into its window.
JournalRing RingOfRun(const ModuleData &md);

uint32_t Crc32(const char *data, qsizetype size);

// Appends one framed record.
void AppendHeaderRecord(QByteArray &out, const JournalHeader &header);
void AppendRingRecord(QByteArray &out, const JournalRing &ring);
void AppendEndRecord(QByteArray &out, const QString &startTime);
void AppendEventRecord(QByteArray &out, const RunEvent &event);

// A tick record is built in place: begin, add its samples, finish.
qsizetype BeginTickRecord(QByteArray &out); // returns where the record begins
void AddTickSample(QByteArray &out, int unit, std::optional<float> value);
void FinishTickRecord(QByteArray &out, qsizetype begin, int32_t dataCount);

// The pieces JournalReader reads records with.
namespace journal_record {

inline constexpr qsizetype kFrameSize = 12;
inline constexpr char kHeader = 'H';
inline constexpr char kRing = 'R';
inline constexpr char kTick = 'T';
inline constexpr char kEnd = 'E';
inline constexpr char kEvent = 'W';
inline constexpr char kTextEvent = 'V'; // read, no longer written

// The payload length a frame announces; nullopt when the frame is damaged.
std::optional<uint32_t> PayloadLength(const char *frame);
bool Intact(const char *frame, const char *payload, uint32_t length);

// Each takes a record's payload after its kind byte; false or nullopt when it makes no sense.
std::optional<JournalHeader> DecodeHeader(const char *body, qsizetype size);
std::optional<JournalRing> DecodeRing(const char *body, qsizetype size);
bool DecodeTick(const char *body, qsizetype size, JournalTick &tick); // reuses the tick's room
std::optional<QString> DecodeEnd(const char *body, qsizetype size);
// Either kind of event record; known is false for an event of a later version.
std::optional<DecodedEvent> DecodeEvent(char kind, const char *body, qsizetype size);

} // namespace journal_record

} // namespace kelvra

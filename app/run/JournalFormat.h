#pragma once

// The run journal's bytes: a sequence of records, each a little-endian
// UInt32 payload length, its complement (so a damaged length is told from a
// cut-off record), the UInt32 CRC-32 of the payload, then the payload.
// The first record is the header (everything a data file carries about the
// run), then one record per tick with the samples the acquisition stored, and
// an end record when the run ended. A record that is cut off or fails its
// checksum ends the journal: nothing after it is decoded.

#include "core/ModuleData.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kelvra {

struct JournalUnit {
	Flag Mflag = kFalse;
	float Power = 0.0f;
	int16_t PowerSing = 0;
	float Capacity = 0.0f;
};

struct JournalHeader {
	QString StartTimeStr;
	std::array<QString, 5> MemoStr;
	Flag TimerType = kFalse;
	int32_t IntervalTM = 0;
	Flag DataAverage = kFalse;
	int32_t AverageNum = 1;
	Flag TrgMaxFlag = kFalse;
	float TrgVMax = 0.0f;
	Flag TrgMinFlag = kFalse;
	float TrgVMin = 0.0f;
	int32_t TrgDnum1 = 0;
	int32_t TrgDnum2 = 0;
	int16_t TrgUnitID = 0;
	int16_t Sing = 0;
	Flag TrgMode = kFalse;
	int32_t DataMaxNum = kBufferLength;
	std::array<JournalUnit, kUnitCount> units;
	int32_t sampleLimit = 0; // keep only the first n samples (kelvra-cli --samples); 0 keeps all
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
	std::vector<JournalTick> ticks;
	std::optional<QString> endTime; // the start time text as the ended run left it
	QString warning;                // why the journal ends early; empty when it is whole
};

JournalHeader HeaderOfRun(const ModuleData &md);

uint32_t Crc32(const char *data, qsizetype size);

// Appends one framed record.
void AppendHeaderRecord(QByteArray &out, const JournalHeader &header);
void AppendEndRecord(QByteArray &out, const QString &startTime);

// A tick record is built in place: begin, add its samples, finish.
qsizetype BeginTickRecord(QByteArray &out); // returns where the record begins
void AddTickSample(QByteArray &out, int unit, std::optional<float> value);
void FinishTickRecord(QByteArray &out, qsizetype begin, int32_t dataCount);

// Everything up to the first cut-off or damaged record; nullopt with the
// reason when not even the header can be read.
std::optional<JournalContent> ParseJournal(const QByteArray &bytes, QString *error);

} // namespace kelvra

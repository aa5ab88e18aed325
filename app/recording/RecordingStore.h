#pragma once

// Turns a long recording's samples into records and hands them to the
// writer: at most once a second, so that every sample measured more than a
// second ago is on its way to the disk, and the run never waits for it.
// Splits the recording into parts by measurement time (sample number ×
// interval) and, after a write error, goes on in a new part every few
// seconds until the disk takes data again. Parts are numbered on without a
// hole, and the part that ends a loss to the disk tells it as an event.

#include "RecordingFormat.h"
#include "RecordingWriter.h"

#include <array>
#include <deque>
#include <optional>
#include <vector>

namespace kelvra {

class RecordingStore {
public:
	static constexpr int64_t kFlushPeriodMs = 1000;
	static constexpr int64_t kRetryPeriodMs = 5000;

	// Where the store of a resumed recording goes on: the number of its next
	// part and each unit's next sample number.
	struct Continuation {
		int partNumber = 0;
		std::array<uint64_t, kUnitCount> next{};
	};

	// baseName is the file name without ".kvr"; parts add "-001", "-002", ….
	// The first part begins at the header's first sample.
	RecordingStore(RecordingHeader header, QString baseName, RecordingWriter &writer,
			int64_t nowMs, std::optional<Continuation> from = std::nullopt);
	// Ends the part and the recording.
	~RecordingStore();

	RecordingStore(const RecordingStore &) = delete;
	RecordingStore &operator=(const RecordingStore &) = delete;

	// The unit's next samples, in the display unit.
	void add(int unit, const float *values, qsizetype count);
	// The unit's next samples are missing (a drop-out).
	void skip(int unit, uint64_t count);
	void event(const RecordingEvent &event);
	// Hands what is due to the writer; call it every tick.
	void tick(int64_t nowMs);

	uint64_t nextSample(int unit) const { return units_[unit].next; }
	QString currentFile() const { return currentFile_; }
	// Samples went to a disk that did not take them.
	bool lostToDisk() const { return writer_.failures() > 0; }

private:
	struct Segment {
		uint64_t first = 0;
		uint64_t count = 0;
		std::vector<float> values; // empty in a gap
	};

	struct Block {
		uint64_t start = 0;
		uint64_t covered = 0; // sample numbers passed, present or missing
		SampleSummary summary;
	};

	struct UnitStream {
		uint64_t next = 0;    // number of the next sample added
		uint64_t encoded = 0; // number of the next sample to encode
		std::deque<Segment> pending;
		std::array<Block, kSummaryLevels> blocks;
	};

	bool startsSettled() const;
	void beginPart(uint64_t firstSample);
	void tellLoss();
	// True when a new part waits for the writer to take the last one.
	bool flush();
	bool allReached(uint64_t sample) const;
	bool anyPending() const;
	void encodeUntil(UnitStream &unit, int id, uint64_t limit);
	void encodeValues(UnitStream &unit, int id, uint64_t first, const float *values,
			uint64_t count);
	void passGap(UnitStream &unit, int id, uint64_t first, uint64_t count);
	// Counts the samples into the unit's summary blocks; values null in a gap.
	void summarize(UnitStream &unit, int id, uint64_t first, uint64_t count,
			const float *values);
	void moveTo(UnitStream &unit, int id, uint64_t sample);
	void closeBlock(UnitStream &unit, int id, int level, uint64_t nextStart);
	void closeBlocks(UnitStream &unit, int id);
	void endPart(uint64_t limit);
	void retry();

	RecordingHeader header_;
	QString baseName_;
	RecordingWriter &writer_;
	std::array<UnitStream, kUnitCount> units_;
	QByteArray out_;
	uint64_t samplesPerPart_ = 0; // 0: not split
	uint64_t partEnd_ = UINT64_MAX;
	int firstNumber_ = 0; // 1 in a split recording, whose parts are all numbered
	int fileNumber_ = 0;
	std::vector<uint64_t> partFirsts_; // the first sample of each part asked for
	int toldLosses_ = 0;
	QString currentFile_;
	int64_t lastFlushMs_ = 0;
	int64_t lastRetryMs_ = 0;
};

} // namespace kelvra

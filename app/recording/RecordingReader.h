#pragma once

// Reads a long recording: every intact record of the file, and of the parts
// that follow it when it is the first part of a split recording (or of one
// that went on in a new part after a write error). The files are mapped, not
// read: a span's samples are copied when asked for, and counts and envelopes
// come from the summaries, with samples only at a span's ragged ends.

#include "RecordingFormat.h"

#include <QFile>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace kelvra {

class RecordingReader {
public:
	// nullopt with the reason when the file is no recording.
	static std::unique_ptr<RecordingReader> open(const QString &fileName, QString *error);
	// One part held in memory, named `name` in the reasons.
	static std::unique_ptr<RecordingReader> read(
			QByteArray bytes, const QString &name, QString *error);

	// The first part's header.
	const RecordingHeader &header() const { return headers_.front(); }
	const std::vector<RecordingHeader> &partHeaders() const { return headers_; }
	const QStringList &files() const { return files_; }
	// Whether the last part ended with its end record (not cut off by a crash).
	bool ended() const { return ended_; }
	// Why reading stopped at a record whose numbers cannot belong to the file
	// (what came before it is read); empty when no such record was met.
	const QString &stopReason() const { return stopReason_; }

	// One past the last sample number held of any unit in use.
	uint64_t sampleEnd() const;
	// One past the last sample number held of the unit.
	uint64_t sampleEnd(int unit) const { return ends_[unit]; }
	uint64_t sampleCount(int unit) const { return summarize(unit, 0, sampleEnd(unit)).count; }

	// Statistics of the unit's samples numbered from..to-1.
	SampleSummary summarize(int unit, uint64_t from, uint64_t to) const;
	// The span cut into `buckets` equal pieces, one summary each (to draw it).
	std::vector<SampleSummary> envelope(
			int unit, uint64_t from, uint64_t to, int buckets) const;
	// Samples numbered from..to-1; NaN where none was recorded.
	std::vector<float> samples(int unit, uint64_t from, uint64_t to) const;
	void readSamples(int unit, uint64_t from, uint64_t to, float *out) const;

	// In the order of time, then unit (-1, the whole recording, first).
	const std::vector<RecordingEvent> &events() const { return events_; }
	// Missing stretches of the unit between the first and the last sample held.
	std::vector<RecordingGap> gaps(int unit) const;

private:
	struct Run {
		uint64_t first;
		uint64_t count;
		const char *values; // little-endian float32, in a mapped file
	};

	struct BlockSummary {
		uint64_t covered = 0;
		SampleSummary summary;
	};

	// What the records of a part have said so far.
	struct PartScan {
		PartScan(const RecordingHeader &h, uint64_t end) : header(h), limit(end) {}

		const RecordingHeader &header;
		uint64_t limit; // one past the last sample number the part may hold
		std::array<std::optional<uint64_t>, kUnitCount>
				next{};                   // after each unit's last record
		std::array<uint64_t, kUnitCount> begin{}; // each unit's first number
		std::array<std::array<std::optional<uint64_t>, kSummaryLevels>, kUnitCount>
				lastBlock{}; // of each unit's summaries
		QString refusal;             // why a record cannot belong to the part
	};

	RecordingReader() = default;
	bool addPart(const QString &fileName, QString *error, const RecordingHeader *sameAs);
	bool addBytes(const QString &fileName, const char *base, qint64 size, QString *error,
			const RecordingHeader *sameAs);
	static std::optional<uint64_t> endOfWholeFile(const QByteArray &bytes);
	static void releasePages(const char *base, qint64 size);
	bool take(const RecordSpan &record, const char *base, PartScan &scan);
	bool fits(PartScan &scan, int unit, uint64_t first, uint64_t count) const;
	bool fits(PartScan &scan, const SummaryRecord &r) const;
	bool fitsEnd(PartScan &scan, uint64_t end) const;
	void sortEvents();
	void summarizeInto(
			SampleSummary &out, int unit, int level, uint64_t from, uint64_t to) const;
	void summarizeSamples(SampleSummary &out, int unit, uint64_t from, uint64_t to) const;
	// The first number from `from` on that a sample of the unit has; UINT64_MAX if none.
	uint64_t nextRecorded(int unit, uint64_t from) const;
	// Calls visit(lo, hi, values of sample lo) for each stretch of recorded
	// samples of the unit within from..to-1, in order.
	template <typename Visit>
	void forEachStretch(int unit, uint64_t from, uint64_t to, Visit visit) const;

	std::vector<std::unique_ptr<QFile>> mapped_;
	QStringList files_;
	std::vector<RecordingHeader> headers_;
	std::array<std::vector<Run>, kUnitCount> runs_;
	std::array<std::array<std::map<uint64_t, BlockSummary>, kSummaryLevels>, kUnitCount>
			blocks_;
	std::array<uint64_t, kUnitCount> ends_{};
	std::vector<RecordingEvent> events_;
	bool ended_ = false;
	QString stopReason_;
	QByteArray held_; // the bytes of a part read from memory
};

// The files of a recording, in order, from the name of its first part.
QStringList RecordingParts(const QString &fileName);

} // namespace kelvra

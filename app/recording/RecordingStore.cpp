#include "RecordingStore.h"

#include <algorithm>
#include <cmath>

namespace kelvra {

namespace {

// Keeps a record well below the frame's limit and a reader's copies short.
constexpr uint64_t kMaxRecordSamples = 16384;
// More than this waiting in one unit is handed over before the second is up.
constexpr size_t kMaxPendingSamples = 65536;

uint64_t blockStart(int level, uint64_t sample)
{
	return sample - sample % SummaryBlockSize(level);
}

} // namespace

RecordingStore::RecordingStore(RecordingHeader header, QString baseName, RecordingWriter &writer,
		int64_t nowMs, std::optional<Continuation> from)
	: header_(std::move(header)), baseName_(std::move(baseName)), writer_(writer),
	  samplesPerPart_(SamplesPerPart(header_)), firstNumber_(samplesPerPart_ > 0 ? 1 : 0),
	  lastFlushMs_(nowMs), lastRetryMs_(nowMs)
{
	for (UnitStream &unit : units_)
		unit.next = unit.encoded = header_.firstSample;
	if (from) {
		firstNumber_ = from->partNumber;
		for (int u = 0; u < kUnitCount; ++u)
			units_[u].next = units_[u].encoded =
					std::max(from->next[u], header_.firstSample);
	}
	beginPart(header_.firstSample);
}

RecordingStore::~RecordingStore()
{
	// The run has ended: a part that waits for the writer to take the one
	// before waits here.
	while (flush())
		writer_.waitUntilTaken();
	uint64_t end = header_.firstSample;
	for (int u = 0; u < kUnitCount; ++u)
		end = header_.inUse(u) ? std::max(end, units_[u].encoded) : end;
	endPart(end);
}

void RecordingStore::add(int unit, const float *values, qsizetype count)
{
	UnitStream &s = units_[unit];
	if (!header_.inUse(unit) || count <= 0)
		return;
	if (s.pending.empty() || s.pending.back().values.empty())
		s.pending.push_back({s.next, 0, {}});
	Segment &segment = s.pending.back();
	segment.values.insert(segment.values.end(), values, values + count);
	segment.count += static_cast<uint64_t>(count);
	s.next += static_cast<uint64_t>(count);
	if (segment.values.size() > kMaxPendingSamples)
		flush();
}

void RecordingStore::skip(int unit, uint64_t count)
{
	UnitStream &s = units_[unit];
	if (!header_.inUse(unit) || count == 0)
		return;
	if (!s.pending.empty() && s.pending.back().values.empty())
		s.pending.back().count += count;
	else
		s.pending.push_back({s.next, count, {}});
	s.next += count;
}

void RecordingStore::event(const RecordingEvent &event)
{
	AppendEvent(out_, event);
}

void RecordingStore::tick(int64_t nowMs)
{
	if (!writer_.failing())
		lastRetryMs_ = nowMs;
	else if (nowMs - lastRetryMs_ >= kRetryPeriodMs && startsSettled()) {
		retry();
		lastRetryMs_ = nowMs;
	}
	tellLoss();
	if (nowMs - lastFlushMs_ >= kFlushPeriodMs) {
		flush();
		lastFlushMs_ = nowMs;
	}
}

bool RecordingStore::startsSettled() const
{
	return writer_.startsTaken() == static_cast<int>(partFirsts_.size());
}

// Once the writer has taken every part asked for, the parts it made are
// numbered on from the first: a number whose file could not be made is the
// next part's.
void RecordingStore::beginPart(uint64_t firstSample)
{
	fileNumber_ = firstNumber_ + writer_.partsBegun();
	header_.part = static_cast<uint16_t>(fileNumber_);
	header_.firstSample = firstSample;
	partEnd_ = samplesPerPart_ > 0 ? (firstSample / samplesPerPart_ + 1) * samplesPerPart_
				       : UINT64_MAX;
	for (UnitStream &unit : units_) {
		for (int level = 0; level < kSummaryLevels; ++level)
			unit.blocks[level] = {blockStart(level, unit.encoded), 0, {}};
	}
	QByteArray bytes;
	AppendHeader(bytes, header_);
	currentFile_ = RecordingPartFile(baseName_, fileNumber_);
	writer_.startPart(currentFile_, std::move(bytes));
	partFirsts_.push_back(firstSample);
}

// A part begun after the disk dropped data tells the loss, at its first
// sample, once it is known to be written.
void RecordingStore::tellLoss()
{
	if (writer_.lossesEnded() == toldLosses_ || !startsSettled() || writer_.failing())
		return;
	const RecordingWriter::Loss loss = writer_.lastLoss();
	toldLosses_ = loss.ended;
	const auto first = partFirsts_[static_cast<size_t>(loss.endedByPart)];
	AppendEvent(out_, DiskLossEvent(first * header_.intervalS, loss.error, loss.reason));
}

bool RecordingStore::flush()
{
	bool held = false;
	for (;;) {
		for (int u = 0; u < kUnitCount; ++u) {
			if (header_.inUse(u))
				encodeUntil(units_[u], u, partEnd_);
		}
		if (samplesPerPart_ == 0 || !allReached(partEnd_) || !anyPending())
			break;
		// The next part's number waits for the writer to take the last one.
		held = !startsSettled();
		if (held)
			break;
		// No unit has a sample left in this part: the next one begins where it ends.
		const uint64_t end = partEnd_;
		endPart(end);
		beginPart(end);
	}
	writer_.append(std::move(out_));
	out_ = QByteArray();
	return held;
}

bool RecordingStore::anyPending() const
{
	return std::any_of(units_.begin(), units_.end(),
			[](const UnitStream &unit) { return !unit.pending.empty(); });
}

bool RecordingStore::allReached(uint64_t sample) const
{
	for (int u = 0; u < kUnitCount; ++u) {
		if (header_.inUse(u) && units_[u].encoded < sample)
			return false;
	}
	return true;
}

void RecordingStore::encodeUntil(UnitStream &unit, int id, uint64_t limit)
{
	while (!unit.pending.empty() && unit.pending.front().first < limit) {
		Segment &segment = unit.pending.front();
		const uint64_t taken = std::min(segment.count, limit - segment.first);
		if (segment.values.empty())
			passGap(unit, id, segment.first, taken);
		else
			encodeValues(unit, id, segment.first, segment.values.data(), taken);
		if (taken == segment.count) {
			unit.pending.pop_front();
			continue;
		}
		segment.first += taken;
		segment.count -= taken;
		if (!segment.values.empty())
			segment.values.erase(segment.values.begin(),
					segment.values.begin() + static_cast<qsizetype>(taken));
	}
}

void RecordingStore::encodeValues(
		UnitStream &unit, int id, uint64_t first, const float *values, uint64_t count)
{
	for (uint64_t done = 0; done < count; done += kMaxRecordSamples) {
		const uint64_t n = std::min(kMaxRecordSamples, count - done);
		AppendSamples(out_, id, first + done, values + done, static_cast<qsizetype>(n));
	}
	summarize(unit, id, first, count, values);
}

void RecordingStore::passGap(UnitStream &unit, int id, uint64_t first, uint64_t count)
{
	AppendGap(out_, {id, first, count});
	summarize(unit, id, first, count, nullptr);
}

void RecordingStore::summarize(
		UnitStream &unit, int id, uint64_t first, uint64_t count, const float *values)
{
	for (uint64_t done = 0; done < count;) {
		const uint64_t sample = first + done;
		moveTo(unit, id, sample);
		Block &block = unit.blocks[0];
		const uint64_t n =
				std::min(count - done, block.start + SummaryBlockSize(0) - sample);
		for (uint64_t i = 0; values && i < n; ++i)
			block.summary.add(values[done + i]);
		block.covered += n;
		done += n;
	}
	unit.encoded = first + count;
}

void RecordingStore::moveTo(UnitStream &unit, int id, uint64_t sample)
{
	if (blockStart(0, sample) != unit.blocks[0].start)
		closeBlock(unit, id, 0, sample);
}

// Emits a finished block and folds it into the level above, which ends too
// when the next block lies beyond it.
void RecordingStore::closeBlock(UnitStream &unit, int id, int level, uint64_t nextStart)
{
	Block &block = unit.blocks[level];
	const bool top = level + 1 == kSummaryLevels;
	if (!top) {
		unit.blocks[level + 1].summary.add(block.summary);
		unit.blocks[level + 1].covered += block.covered;
	}
	if (block.covered > 0)
		AppendSummary(out_,
				{id, level, block.start, static_cast<uint32_t>(block.covered),
						block.summary});
	block = {blockStart(level, nextStart), 0, {}};
	if (!top && blockStart(level + 1, nextStart) != unit.blocks[level + 1].start)
		closeBlock(unit, id, level + 1, nextStart);
}

void RecordingStore::closeBlocks(UnitStream &unit, int id)
{
	for (int level = 0; level < kSummaryLevels; ++level)
		closeBlock(unit, id, level, unit.blocks[level].start);
}

void RecordingStore::endPart(uint64_t limit)
{
	for (int u = 0; u < kUnitCount; ++u) {
		if (header_.inUse(u))
			closeBlocks(units_[u], u);
	}
	AppendEnd(out_, limit);
	writer_.append(std::move(out_));
	out_ = QByteArray();
}

// The disk refused data: what was handed since is lost. Goes on in a new
// part from the first sample not yet handed; the part tells the loss.
void RecordingStore::retry()
{
	uint64_t first = UINT64_MAX;
	for (int u = 0; u < kUnitCount; ++u)
		first = header_.inUse(u) ? std::min(first, units_[u].encoded) : first;
	beginPart(first == UINT64_MAX ? header_.firstSample : first);
}

} // namespace kelvra

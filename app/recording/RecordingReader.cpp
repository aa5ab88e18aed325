#include "RecordingReader.h"

#ifdef Q_OS_UNIX
#include <sys/mman.h>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

namespace kelvra {

namespace {

uint64_t blockStart(int level, uint64_t sample)
{
	return sample - sample % SummaryBlockSize(level);
}

float floatAt(const char *p)
{
	return qFromLittleEndian<float>(p);
}

// The file name without ".kvr" and, for a numbered part, without its number.
QString baseName(const QString &fileName, int part)
{
	QString base = fileName.chopped(4);
	if (part > 0) {
		const qsizetype dash = base.lastIndexOf(QLatin1Char('-'));
		base.truncate(dash < 0 ? base.size() : dash);
	}
	return base;
}

} // namespace

QStringList RecordingParts(const QString &fileName)
{
	QString error;
	auto reader = RecordingReader::open(fileName, &error);
	return reader ? reader->files() : QStringList{fileName};
}

std::unique_ptr<RecordingReader> RecordingReader::open(const QString &fileName, QString *error)
{
	std::unique_ptr<RecordingReader> reader(new RecordingReader);
	if (!reader->addPart(fileName, error, nullptr))
		return nullptr;
	const RecordingHeader first = reader->header();
	if (!fileName.endsWith(QStringLiteral(".kvr"), Qt::CaseInsensitive)) {
		reader->sortEvents();
		return reader;
	}

	// The parts that follow: the same base name, a higher number.
	const QFileInfo info(baseName(fileName, first.part));
	const QRegularExpression numbered(
			QStringLiteral("^%1-(\\d{3,})\\.kvr$")
					.arg(QRegularExpression::escape(info.fileName())));
	std::map<int, QString> later;
	for (const QString &name :
			QDir(info.absolutePath())
					.entryList({info.fileName() + QStringLiteral("-*.kvr")},
							QDir::Files)) {
		const auto match = numbered.match(name);
		const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
		if (number > first.part)
			later[number] = info.absoluteDir().filePath(name);
	}
	for (const auto &[number, name] : later) {
		QString ignored;
		reader->addPart(name, &ignored, &first);
	}
	for (auto &runs : reader->runs_)
		std::sort(runs.begin(), runs.end(),
				[](const Run &a, const Run &b) { return a.first < b.first; });
	reader->sortEvents();
	return reader;
}

// The scan touched every page of the file; they are given back, and read
// again only where samples are asked for, so that a day under review takes
// no more memory than its summaries.
void RecordingReader::releasePages(const char *base, qint64 size)
{
#ifdef Q_OS_UNIX
	if (base && size > 0)
		madvise(const_cast<char *>(base), static_cast<size_t>(size), MADV_DONTNEED);
#else
	(void)base;
	(void)size;
#endif
}

bool RecordingReader::addPart(
		const QString &fileName, QString *error, const RecordingHeader *sameAs)
{
	auto file = std::make_unique<QFile>(fileName);
	if (!file->open(QIODevice::ReadOnly)) {
		if (error)
			*error = QCoreApplication::translate(
					"RecordingReader", "%1 を開けません: %2")
						 .arg(fileName, file->errorString());
		return false;
	}
	const qint64 size = file->size();
	const char *base = size > 0 ? reinterpret_cast<const char *>(file->map(0, size)) : nullptr;
	const bool added = addBytes(fileName, base, base ? size : 0, error, sameAs);
	releasePages(base, size);
	if (added)
		mapped_.push_back(std::move(file));
	return added;
}

std::unique_ptr<RecordingReader> RecordingReader::read(
		QByteArray bytes, const QString &name, QString *error)
{
	std::unique_ptr<RecordingReader> reader(new RecordingReader);
	if (!reader->addBytes(name, bytes.constData(), bytes.size(), error, nullptr))
		return nullptr;
	reader->held_ = std::move(bytes);
	return reader;
}

// An end record closes a whole file; when it is there, no number of the
// part goes beyond its own.
std::optional<uint64_t> RecordingReader::endOfWholeFile(const QByteArray &bytes)
{
	constexpr qsizetype kEndRecordSize = 12 + 1 + 8;
	qsizetype next = 0;
	const auto last = bytes.size() >= kEndRecordSize
			? RecordAt(bytes, bytes.size() - kEndRecordSize, &next)
			: std::nullopt;
	return last && last->kind == RecordKind::End
			? DecodeEnd(bytes.constData() + last->payload, last->size)
			: std::nullopt;
}

bool RecordingReader::addBytes(const QString &fileName, const char *base, qint64 size,
		QString *error, const RecordingHeader *sameAs)
{
	const QByteArray bytes = base ? QByteArray::fromRawData(base, size) : QByteArray();
	qsizetype next = 0;
	const auto first = RecordAt(bytes, 0, &next);
	QString refusal;
	auto header = first && first->kind == RecordKind::Header
			? DecodeHeader(base + first->payload, first->size, &refusal)
			: std::nullopt;
	if (!header) {
		if (error)
			*error = refusal.isEmpty()
					? QCoreApplication::translate("RecordingReader",
							  "%1 は記録ではないか、そのヘッダーが壊れています")
							  .arg(fileName)
					: QStringLiteral("%1: %2").arg(fileName, refusal);
		return false;
	}
	if (sameAs &&
			(header->startTimeIso != sameAs->startTimeIso ||
					header->StartTimeStr != sameAs->StartTimeStr))
		return false; // a part of another recording
	headers_.push_back(std::move(*header));
	files_.push_back(fileName);
	ended_ = false;
	PartScan scan{headers_.back(),
			std::min(PartSpanEnd(headers_.back()),
					endOfWholeFile(bytes).value_or(UINT64_MAX))};
	qsizetype pos = next;
	for (; auto record = RecordAt(bytes, pos, &next); pos = next) {
		if (!take(*record, base, scan))
			break;
	}
	if (!scan.refusal.isEmpty())
		stopReason_ = QCoreApplication::translate(
				"RecordingReader", "%1 はバイト %2 までしか読めません: %3")
					      .arg(fileName)
					      .arg(pos)
					      .arg(scan.refusal);
	return true;
}

// The numbers of a samples or gap record: of a unit in use, following on from
// the unit's last record in the part (its first within a buffer's length of
// the part's first sample), within the part's span and its end record.
bool RecordingReader::fits(PartScan &scan, int unit, uint64_t first, uint64_t count) const
{
	const RecordingHeader &h = scan.header;
	const auto &next = scan.next[unit];
	if (!h.inUse(unit))
		scan.refusal = QCoreApplication::translate(
				"RecordingReader", "使っていないユニット ID%1 のサンプルがあります")
					       .arg(unit);
	else if (next ? first != *next
		      : first < h.firstSample || first - h.firstSample > kMaxUnitLead)
		scan.refusal = QCoreApplication::translate("RecordingReader",
				"ID%1 のサンプル番号 %2 が、その前の %3 に続いていません")
					       .arg(unit)
					       .arg(first)
					       .arg(next.value_or(h.firstSample));
	else if (first > scan.limit || count > scan.limit - first)
		scan.refusal = QCoreApplication::translate("RecordingReader",
				"ID%1 のサンプル番号 %2 からの記録が、このファイルの範囲（%3 "
				"まで）を超えています")
					       .arg(unit)
					       .arg(first)
					       .arg(scan.limit);
	if (!scan.refusal.isEmpty())
		return false;
	if (!next)
		scan.begin[unit] = first;
	scan.next[unit] = first + count;
	return true;
}

// A summary comes after the samples it counts, once for each block of a part,
// and covers no more of its block than the unit's records of the part passed.
bool RecordingReader::fits(PartScan &scan, const SummaryRecord &r) const
{
	const auto next = scan.next[r.unit];
	const uint64_t blockEnd = r.block + SummaryBlockSize(r.level);
	auto &last = scan.lastBlock[r.unit][r.level]; // each block closes once, in order
	if (next && r.block < *next && (!last || r.block > *last) &&
			r.covered <= std::min(blockEnd, *next) -
							std::max(r.block, scan.begin[r.unit])) {
		last = r.block;
		return true;
	}
	scan.refusal = QCoreApplication::translate(
			"RecordingReader", "ID%1 の要約の記録が、記録されたサンプルを超えています")
				       .arg(r.unit);
	return false;
}

bool RecordingReader::fitsEnd(PartScan &scan, uint64_t end) const
{
	uint64_t held = scan.header.firstSample;
	for (const auto &next : scan.next)
		held = std::max(held, next.value_or(0));
	if (end >= held && end <= PartSpanEnd(scan.header))
		return true;
	scan.refusal = QCoreApplication::translate("RecordingReader",
			"終わりの記録（%1）が、記録されたサンプル（%2 まで）と合いません")
				       .arg(end)
				       .arg(held);
	return false;
}

bool RecordingReader::take(const RecordSpan &record, const char *base, PartScan &scan)
{
	const char *p = base + record.payload;
	switch (record.kind) {
	case RecordKind::Samples:
		if (auto s = DecodeSamples(p, record.size); s &&
				fits(scan, s->unit, s->first, static_cast<uint64_t>(s->count))) {
			runs_[s->unit].push_back({s->first, static_cast<uint64_t>(s->count),
					p + kSamplesFixedSize});
			ends_[s->unit] = std::max<uint64_t>(
					ends_[s->unit], s->first + static_cast<uint64_t>(s->count));
			return true;
		}
		return false;
	case RecordKind::Gap:
		if (auto gap = DecodeGap(p, record.size);
				gap && fits(scan, gap->unit, gap->from, gap->count)) {
			ends_[gap->unit] = std::max(ends_[gap->unit], gap->from + gap->count);
			return true;
		}
		return false;
	case RecordKind::Event:
		if (auto event = DecodeEvent(p, record.size, scan.header.version)) {
			if (event->known)
				events_.push_back(std::move(event->event));
			return true;
		}
		return false;
	case RecordKind::Summary:
		if (auto r = DecodeSummary(p, record.size); r && fits(scan, *r)) {
			BlockSummary &block = blocks_[r->unit][r->level][r->block];
			block.covered += r->covered;
			block.summary.add(r->summary);
			return true;
		}
		return false;
	case RecordKind::End:
		if (auto end = DecodeEnd(p, record.size))
			ended_ = fitsEnd(scan, *end);
		return false; // nothing follows an end
	case RecordKind::Header:
		return false;
	}
	// A kind of record a later version added: passed over from version 2 on.
	return scan.header.version >= 2;
}

// Each unit's events come in the order measured, the units one after the
// other in a tick: one order for every reader, by time, then unit.
void RecordingReader::sortEvents()
{
	std::stable_sort(events_.begin(), events_.end(),
			[](const RecordingEvent &a, const RecordingEvent &b) {
				return std::tie(a.timeS, a.unit) < std::tie(b.timeS, b.unit);
			});
}

uint64_t RecordingReader::sampleEnd() const
{
	uint64_t end = header().firstSample;
	for (int u = 0; u < kUnitCount; ++u)
		end = header().inUse(u) ? std::max(end, ends_[u]) : end;
	return end;
}

SampleSummary RecordingReader::summarize(int unit, uint64_t from, uint64_t to) const
{
	SampleSummary out;
	if (from < to)
		summarizeInto(out, unit, kSummaryLevels - 1, from, to);
	return out;
}

// Whole blocks with a complete summary cost one look-up; the rest is taken
// from the level below, and at the bottom from the samples. Blocks without
// a recorded sample are passed over, so that a stretch with neither samples
// nor summaries costs nothing.
void RecordingReader::summarizeInto(
		SampleSummary &out, int unit, int level, uint64_t from, uint64_t to) const
{
	const uint64_t size = SummaryBlockSize(level);
	const auto &blocks = blocks_[unit][level];
	for (uint64_t b = blockStart(level, from); b < to; b += size) {
		const uint64_t lo = std::max(from, b);
		const uint64_t hi = std::min(to, b + size);
		if (lo == b && hi == b + size) {
			const auto found = blocks.find(b);
			if (found != blocks.end() && found->second.covered == size) {
				out.add(found->second.summary);
				continue;
			}
		}
		// Only a long span of the top level is worth the search: below it a
		// block has 32.
		const bool longSpan = level + 1 == kSummaryLevels && to - lo > 64 * size;
		const uint64_t recorded = longSpan ? nextRecorded(unit, lo) : lo;
		if (recorded >= to)
			break;
		if (recorded >= b + size) {
			b = blockStart(level, recorded) - size;
			continue;
		}
		if (level > 0)
			summarizeInto(out, unit, level - 1, lo, hi);
		else
			summarizeSamples(out, unit, lo, hi);
	}
}

uint64_t RecordingReader::nextRecorded(int unit, uint64_t from) const
{
	const auto &runs = runs_[unit];
	auto run = std::upper_bound(runs.begin(), runs.end(), from,
			[](uint64_t s, const Run &r) { return s < r.first; });
	if (run != runs.begin() && std::prev(run)->first + std::prev(run)->count > from)
		return from;
	return run == runs.end() ? UINT64_MAX : run->first;
}

template <typename Visit>
void RecordingReader::forEachStretch(int unit, uint64_t from, uint64_t to, Visit visit) const
{
	const auto &runs = runs_[unit];
	auto run = std::upper_bound(runs.begin(), runs.end(), from,
			[](uint64_t s, const Run &r) { return s < r.first; });
	if (run != runs.begin())
		--run;
	for (; run != runs.end() && run->first < to; ++run) {
		const uint64_t lo = std::max(from, run->first);
		const uint64_t hi = std::min(to, run->first + run->count);
		if (lo < hi)
			visit(lo, hi, run->values + 4 * (lo - run->first));
	}
}

void RecordingReader::summarizeSamples(
		SampleSummary &out, int unit, uint64_t from, uint64_t to) const
{
	forEachStretch(unit, from, to, [&](uint64_t lo, uint64_t hi, const char *at) {
		for (uint64_t s = lo; s < hi; ++s, at += 4)
			out.add(floatAt(at));
	});
}

std::vector<SampleSummary> RecordingReader::envelope(
		int unit, uint64_t from, uint64_t to, int buckets) const
{
	std::vector<SampleSummary> out(static_cast<size_t>(std::max(buckets, 0)));
	const uint64_t span = to > from ? to - from : 0;
	for (int i = 0; i < buckets; ++i) {
		const uint64_t lo = from + span * i / buckets;
		const uint64_t hi = from + span * (i + 1) / buckets;
		out[i] = summarize(unit, lo, hi);
	}
	return out;
}

std::vector<float> RecordingReader::samples(int unit, uint64_t from, uint64_t to) const
{
	std::vector<float> out(to > from ? to - from : 0);
	readSamples(unit, from, to, out.data());
	return out;
}

void RecordingReader::readSamples(int unit, uint64_t from, uint64_t to, float *out) const
{
	if (to <= from)
		return;
	std::fill(out, out + (to - from), std::numeric_limits<float>::quiet_NaN());
	forEachStretch(unit, from, to, [&](uint64_t lo, uint64_t hi, const char *at) {
		if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
			std::memcpy(out + (lo - from), at, 4 * (hi - lo));
		} else {
			for (uint64_t s = lo; s < hi; ++s, at += 4)
				out[s - from] = floatAt(at);
		}
	});
}

std::vector<RecordingGap> RecordingReader::gaps(int unit) const
{
	std::vector<RecordingGap> out;
	uint64_t at = header().firstSample;
	for (const Run &run : runs_[unit]) {
		if (run.first > at)
			out.push_back({unit, at, run.first - at});
		at = std::max(at, run.first + run.count);
	}
	if (ends_[unit] > at)
		out.push_back({unit, at, ends_[unit] - at});
	return out;
}

} // namespace kelvra

#include "RecordingFormat.h"

#include "run/JournalFormat.h"

#include <QCoreApplication>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kelvra {

namespace {

constexpr qsizetype kFrameSize = 12;
// No record this program writes comes near this; a larger length is damage.
constexpr quint32 kMaxPayload = 16 * 1024 * 1024;

class Put {
public:
	explicit Put(QByteArray &out, RecordKind kind) : out_(out), begin_(out.size())
	{
		out_.append(kFrameSize, '\0');
		out_.append(static_cast<char>(kind));
	}

	~Put()
	{
		char *frame = out_.data() + begin_;
		const auto payload = static_cast<uint32_t>(out_.size() - begin_ - kFrameSize);
		qToLittleEndian(payload, frame);
		qToLittleEndian(~payload, frame + 4);
		qToLittleEndian(Crc32(frame + kFrameSize, payload), frame + 8);
	}

	template <typename T>
	Put &operator<<(T value)
	{
		char bytes[sizeof(T)];
		qToLittleEndian(value, bytes);
		out_.append(bytes, sizeof(T));
		return *this;
	}

	Put &operator<<(const QString &text)
	{
		const QByteArray utf8 = text.toUtf8().left(0xFFFF);
		*this << static_cast<uint16_t>(utf8.size());
		out_.append(utf8);
		return *this;
	}

	Put &raw(const char *data, qsizetype size)
	{
		out_.append(data, size);
		return *this;
	}

private:
	QByteArray &out_;
	qsizetype begin_;
};

// Reads fields off a payload; once a read runs past the end every later one fails.
class Get {
public:
	Get(const char *p, qsizetype size) : at_(p), end_(p + size) {}

	template <typename T>
	Get &operator>>(T &value)
	{
		if (fits(sizeof(T))) {
			value = qFromLittleEndian<T>(at_);
			at_ += sizeof(T);
		}
		return *this;
	}

	Get &operator>>(QString &text)
	{
		uint16_t size = 0;
		*this >> size;
		if (fits(size)) {
			text = QString::fromUtf8(at_, size);
			at_ += size;
		}
		return *this;
	}

	Get &raw(QByteArray &bytes, qsizetype size)
	{
		if (fits(size)) {
			bytes = QByteArray(at_, size);
			at_ += size;
		}
		return *this;
	}

	bool whole() const { return ok_ && at_ == end_; }
	bool more() const { return ok_ && at_ != end_; }

private:
	bool fits(qsizetype size)
	{
		ok_ = ok_ && end_ - at_ >= size;
		return ok_;
	}

	const char *at_;
	const char *end_;
	bool ok_ = true;
};

void putSettings(Put &put, const RunSettings &s)
{
	put << s.TimerType << s.IntervalTM << s.DataAverage << s.TrgMaxFlag << s.TrgVMax
	    << s.TrgMinFlag << s.TrgVMin << s.TrgDnum1 << s.TrgDnum2 << s.TrgUnitID << s.Sing;
	for (const UnitSettings &u : s.units)
		put << u.Mflag << u.Power << u.PowerSing << u.Capacity;
}

void getSettings(Get &get, RunSettings &s)
{
	get >> s.TimerType >> s.IntervalTM >> s.DataAverage >> s.TrgMaxFlag >> s.TrgVMax >>
			s.TrgMinFlag >> s.TrgVMin >> s.TrgDnum1 >> s.TrgDnum2 >> s.TrgUnitID >>
			s.Sing;
	for (UnitSettings &u : s.units)
		get >> u.Mflag >> u.Power >> u.PowerSing >> u.Capacity;
}

QString damagedHeader()
{
	return QCoreApplication::translate("RecordingReader", "記録のヘッダーが壊れています");
}

// The header's list of blocks: its size in bytes, then each block's tag, size
// and bytes. False, with the reason, for a damaged list or a block that must
// be understood: this version understands none yet.
bool getBlocks(Get &get, std::vector<HeaderBlock> &blocks, QString *refusal)
{
	uint32_t listSize = 0;
	QByteArray list;
	get >> listSize;
	get.raw(list, listSize);
	Get in(list.constData(), list.size());
	while (in.more()) {
		HeaderBlock block;
		uint32_t size = 0;
		in >> block.tag >> size;
		in.raw(block.bytes, size);
		if (block.tag & kMustUnderstand) {
			*refusal = QCoreApplication::translate("RecordingReader",
					"この記録には、このプログラムの知らない項目（%1）が"
					"あります。新しい版の Kelvra で開いて下さい。")
						   .arg(block.tag);
			return false;
		}
		blocks.push_back(std::move(block));
	}
	if (!in.whole()) {
		*refusal = damagedHeader();
		return false;
	}
	return true;
}

} // namespace

RecordingHeader RecordingHeaderOf(const ModuleData &md, const QDateTime &start, SplitPeriod split)
{
	RecordingHeader h;
	h.settings = SettingsOfRun(md);
	h.StartTimeStr = md.StartTimeStr;
	h.MemoStr = md.MemoStr;
	h.intervalS = md.settings.IntervalTM / 1000.0;
	h.startTimeIso = start.toOffsetFromUtc(start.offsetFromUtc()).toString(Qt::ISODate);
	h.unitText = md.GetSingStr();
	h.split = split;
	QByteArray ms(sizeof(qint64), Qt::Uninitialized);
	qToLittleEndian<qint64>(start.toMSecsSinceEpoch(), ms.data());
	h.blocks.push_back({kStartMsTag, ms});
	return h;
}

QString RecordingPartFile(const QString &baseName, int number)
{
	if (number == 0)
		return baseName + QStringLiteral(".kvr");
	return baseName + QStringLiteral("-%1.kvr").arg(number, 3, 10, QLatin1Char('0'));
}

QDateTime StartOf(const RecordingHeader &h)
{
	for (const HeaderBlock &block : h.blocks) {
		if (block.tag == kStartMsTag && block.bytes.size() == sizeof(qint64))
			return QDateTime::fromMSecsSinceEpoch(
					qFromLittleEndian<qint64>(block.bytes.constData()));
	}
	return QDateTime::fromString(h.startTimeIso, Qt::ISODate);
}

uint64_t SamplesPerPart(const RecordingHeader &h)
{
	const double seconds = h.split == SplitPeriod::Hour ? 3600.0
			: h.split == SplitPeriod::Day       ? 86400.0
							    : 0.0;
	return seconds > 0.0 ? std::max<uint64_t>(1, std::llround(seconds / h.intervalS)) : 0;
}

uint64_t PartSpanEnd(const RecordingHeader &h)
{
	const uint64_t perPart = SamplesPerPart(h);
	if (perPart > 0)
		return (h.firstSample / perPart + 1) * perPart;
	constexpr double kCentury = 100.0 * 365.25 * 86400.0;
	const auto numbers = static_cast<uint64_t>(kCentury / h.intervalS);
	return h.firstSample + std::min(numbers, UINT64_MAX / 2 - h.firstSample / 2);
}

void SampleSummary::add(float value)
{
	min = count == 0 ? value : std::min(min, value);
	max = count == 0 ? value : std::max(max, value);
	sum += value;
	sumSquares += double{value} * value;
	count += 1;
}

void SampleSummary::add(const SampleSummary &other)
{
	if (other.count == 0)
		return;
	min = count == 0 ? other.min : std::min(min, other.min);
	max = count == 0 ? other.max : std::max(max, other.max);
	sum += other.sum;
	sumSquares += other.sumSquares;
	count += other.count;
}

void AppendHeader(QByteArray &out, const RecordingHeader &h)
{
	Put put(out, RecordKind::Header);
	put << kRecordingVersion << h.part << static_cast<uint8_t>(h.split) << h.intervalS
	    << h.firstSample << h.startTimeIso << h.StartTimeStr << h.unitText;
	for (const QString &memo : h.MemoStr)
		put << memo;
	putSettings(put, h.settings);
	uint32_t listSize = 0;
	for (const HeaderBlock &block : h.blocks)
		listSize += 6 + static_cast<uint32_t>(block.bytes.size());
	put << listSize;
	for (const HeaderBlock &block : h.blocks) {
		put << block.tag << static_cast<uint32_t>(block.bytes.size());
		put.raw(block.bytes.constData(), block.bytes.size());
	}
}

void AppendSamples(QByteArray &out, int unit, uint64_t first, const float *values, qsizetype count)
{
	Put put(out, RecordKind::Samples);
	put << static_cast<uint8_t>(unit) << first;
	if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
		put.raw(reinterpret_cast<const char *>(values), count * qsizetype{sizeof(float)});
	} else {
		for (qsizetype i = 0; i < count; ++i)
			put << values[i];
	}
}

void AppendGap(QByteArray &out, const RecordingGap &gap)
{
	Put(out, RecordKind::Gap) << static_cast<uint8_t>(gap.unit) << gap.from << gap.count;
}

void AppendEvent(QByteArray &out, const RecordingEvent &event)
{
	const Put put(out, RecordKind::Event);
	AppendEventData(out, event);
}

void AppendSummary(QByteArray &out, const SummaryRecord &r)
{
	Put(out, RecordKind::Summary)
			<< static_cast<uint8_t>(r.unit) << static_cast<uint8_t>(r.level) << r.block
			<< r.covered << r.summary.count << r.summary.min << r.summary.max
			<< r.summary.sum << r.summary.sumSquares;
}

void AppendEnd(QByteArray &out, uint64_t nextSample)
{
	Put(out, RecordKind::End) << nextSample;
}

std::optional<RecordingHeader> DecodeHeader(const char *p, qsizetype size, QString *refusal)
{
	RecordingHeader h;
	uint8_t split = 0;
	Get get(p, size);
	get >> h.version;
	if (h.version < 1 || h.version > kRecordingVersion) {
		*refusal = QCoreApplication::translate("RecordingReader",
				"記録の形式 %1 はこのプログラムでは読めません（読めるのは %2 まで）。"
				"新しい版の Kelvra で開いて下さい。")
					   .arg(h.version)
					   .arg(kRecordingVersion);
		return std::nullopt;
	}
	get >> h.part >> split >> h.intervalS >> h.firstSample >> h.startTimeIso >>
			h.StartTimeStr >> h.unitText;
	for (QString &line : h.MemoStr)
		get >> line;
	getSettings(get, h.settings);
	if (h.version >= 2 && !getBlocks(get, h.blocks, refusal))
		return std::nullopt;
	// A checksum does not vouch for the writer: the settings get the data file's
	// check, and the interval is the one they give.
	if (!get.whole() || split > 2 || !(h.intervalS > 0.0) ||
			h.intervalS != h.settings.IntervalTM / 1000.0 ||
			!ImplausibleSetting(h.settings).isEmpty()) {
		*refusal = damagedHeader();
		return std::nullopt;
	}
	h.split = static_cast<SplitPeriod>(split);
	return h;
}

std::optional<SamplesRecord> DecodeSamples(const char *p, qsizetype size)
{
	if (size < kSamplesFixedSize || (size - kSamplesFixedSize) % 4 != 0 ||
			uint8_t(p[0]) >= kUnitCount)
		return std::nullopt;
	return SamplesRecord{
			p[0], qFromLittleEndian<uint64_t>(p + 1), (size - kSamplesFixedSize) / 4};
}

std::optional<RecordingGap> DecodeGap(const char *p, qsizetype size)
{
	RecordingGap gap;
	uint8_t unit = 0;
	Get get(p, size);
	get >> unit >> gap.from >> gap.count;
	if (!get.whole() || unit >= kUnitCount)
		return std::nullopt;
	gap.unit = unit;
	return gap;
}

std::optional<DecodedEvent> DecodeEvent(const char *p, qsizetype size, uint8_t version)
{
	if (version >= 2)
		return DecodeEventData(p, size);
	// Version 1 kept a text in place of the data.
	DecodedEvent d;
	int8_t unit = 0;
	uint8_t kind = 0;
	Get get(p, size);
	get >> d.event.timeS >> unit >> kind >> d.event.text;
	if (!get.whole() || unit < -1 || unit >= kUnitCount || kind > uint8_t(EventKind::Trigger) ||
			!std::isfinite(d.event.timeS))
		return std::nullopt;
	d.event.unit = unit;
	d.event.kind = static_cast<EventKind>(kind);
	return d;
}

std::optional<SummaryRecord> DecodeSummary(const char *p, qsizetype size)
{
	SummaryRecord r;
	uint8_t unit = 0;
	uint8_t level = 0;
	Get get(p, size);
	get >> unit >> level >> r.block >> r.covered >> r.summary.count >> r.summary.min >>
			r.summary.max >> r.summary.sum >> r.summary.sumSquares;
	if (!get.whole() || unit >= kUnitCount || level >= kSummaryLevels ||
			r.block % SummaryBlockSize(level) != 0 ||
			r.covered > SummaryBlockSize(level) || r.summary.count > r.covered)
		return std::nullopt;
	r.unit = unit;
	r.level = level;
	return r;
}

std::optional<uint64_t> DecodeEnd(const char *p, qsizetype size)
{
	uint64_t next = 0;
	Get get(p, size);
	get >> next;
	return get.whole() ? std::optional(next) : std::nullopt;
}

std::optional<RecordSpan> RecordAt(const QByteArray &bytes, qsizetype pos, qsizetype *next)
{
	if (bytes.size() - pos < kFrameSize)
		return std::nullopt;
	const char *frame = bytes.constData() + pos;
	const auto length = qFromLittleEndian<quint32>(frame);
	if (length != ~qFromLittleEndian<quint32>(frame + 4) || length < 1 || length > kMaxPayload)
		return std::nullopt;
	if (bytes.size() - pos - kFrameSize < qsizetype{length})
		return std::nullopt; // cut off while it was written
	if (qFromLittleEndian<quint32>(frame + 8) != Crc32(frame + kFrameSize, length))
		return std::nullopt;
	*next = pos + kFrameSize + length;
	return RecordSpan{static_cast<RecordKind>(frame[kFrameSize]), pos + kFrameSize + 1,
			qsizetype{length} - 1};
}

} // namespace kelvra

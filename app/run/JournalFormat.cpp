#include "JournalFormat.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace kelvra {

namespace {

using namespace journal_record;

constexpr quint8 kVersion = 1;
constexpr qsizetype kTickFixedSize = 1 + 4;
constexpr qsizetype kSampleSize = 5;
constexpr unsigned char kNoValueBit = 0x80;
// No record of a real run comes near this; a larger length is damage.
constexpr quint32 kMaxPayload = 16 * 1024 * 1024;
constexpr int32_t kMaxAverageNum =
		10000; // the longest unit-timed interval, 100 s, in 10-ms readings

// CRC-32 (the polynomial of zip and PNG), four bytes a step ("slicing by 4").
using CrcTables = std::array<std::array<uint32_t, 256>, 4>;

constexpr CrcTables makeCrcTables()
{
	CrcTables t{};
	for (uint32_t i = 0; i < 256; ++i) {
		uint32_t c = i;
		for (int k = 0; k < 8; ++k)
			c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
		t[0][i] = c;
	}
	for (uint32_t i = 0; i < 256; ++i) {
		for (int s = 1; s < 4; ++s)
			t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
	}
	return t;
}

constexpr CrcTables kCrc = makeCrcTables();

void putUInt32(char *at, uint32_t value)
{
	qToLittleEndian(value, at);
}

// Fills in the length and checksum of the record that begins at `begin`.
void closeFrame(QByteArray &out, qsizetype begin)
{
	char *frame = out.data() + begin;
	const auto payload = static_cast<uint32_t>(out.size() - begin - kFrameSize);
	putUInt32(frame, payload);
	putUInt32(frame + 4, ~payload);
	putUInt32(frame + 8, Crc32(frame + kFrameSize, payload));
}

qsizetype openFrame(QByteArray &out, char kind)
{
	const qsizetype begin = out.size();
	out.append(kFrameSize, '\0');
	out.append(kind);
	return begin;
}

QDataStream &operator<<(QDataStream &s, const UnitSettings &u)
{
	return s << u.Mflag << u.Power << u.PowerSing << u.Capacity;
}

QDataStream &operator>>(QDataStream &s, UnitSettings &u)
{
	return s >> u.Mflag >> u.Power >> u.PowerSing >> u.Capacity;
}

void prepare(QDataStream &s)
{
	s.setByteOrder(QDataStream::LittleEndian);
	s.setFloatingPointPrecision(QDataStream::SinglePrecision);
	s.setVersion(QDataStream::Qt_6_4);
}

QByteArray encodeHeader(const JournalHeader &h)
{
	QByteArray bytes;
	QDataStream s(&bytes, QIODevice::WriteOnly);
	prepare(s);
	const RunSettings &r = h.settings;
	s << kVersion << h.StartTimeStr;
	for (const QString &memo : h.MemoStr)
		s << memo;
	s << r.TimerType << r.IntervalTM << r.DataAverage << h.AverageNum << r.TrgMaxFlag
	  << r.TrgVMax << r.TrgMinFlag << r.TrgVMin << r.TrgDnum1 << r.TrgDnum2 << r.TrgUnitID
	  << r.Sing << h.TrgMode << h.DataMaxNum << h.sampleLimit;
	for (const UnitSettings &unit : r.units)
		s << unit;
	return bytes;
}

// The run state beside the settings; a checksum does not vouch for the writer.
bool plausible(const JournalHeader &h)
{
	return ImplausibleSetting(h.settings).isEmpty() && IsFlag(h.TrgMode) && h.AverageNum >= 1 &&
			h.AverageNum <= kMaxAverageNum && h.DataMaxNum >= 1 &&
			h.DataMaxNum <= kBufferLength && h.sampleLimit >= 0;
}

int32_t wrapSlot(int64_t slot)
{
	const int64_t wrapped = slot % kBufferLength;
	return static_cast<int32_t>(wrapped < 0 ? wrapped + kBufferLength : wrapped);
}

bool isSlot(int32_t slot)
{
	return slot >= 0 && slot < kBufferLength;
}

template <typename T>
bool take(const char *&at, const char *end, T &value)
{
	if (end - at < static_cast<qsizetype>(sizeof(T)))
		return false;
	value = qFromLittleEndian<T>(at);
	at += sizeof(T);
	return true;
}

} // namespace

JournalHeader HeaderOfRun(const ModuleData &md)
{
	JournalHeader h;
	h.StartTimeStr = md.StartTimeStr;
	h.MemoStr = md.MemoStr;
	h.settings = SettingsOfRun(md);
	h.AverageNum = md.AverageNum;
	h.TrgMode = md.TrgMode;
	h.DataMaxNum = md.DataMaxNum;
	return h;
}

JournalRing RingOfRun(const ModuleData &md)
{
	JournalRing ring;
	// A later trigger fires on a later sample of the watched unit, so its
	// window begins at that unit's sample `watched + 1 - pre` at the earliest.
	const int64_t watched = IsUnitId(md.settings.TrgUnitID)
			? md.Channels[md.settings.TrgUnitID].DataNum
			: 0;
	const int64_t pre = std::max(md.settings.TrgDnum1, 0);
	for (int u = 0; u < kUnitCount; ++u) {
		const ChannelRecord &c = md.Channels[u];
		if (!c.inUse())
			continue;
		JournalRing::Unit &r = ring.units[u];
		r.DataNum = c.DataNum;
		r.StartPos = c.StartPos;
		r.WritePos = c.WritePos;
		const int64_t held = std::min<int64_t>(c.DataNum, kBufferLength);
		const int64_t keep = std::clamp<int64_t>(c.DataNum - watched + pre + 1, 0, held);
		r.latest.resize(static_cast<size_t>(keep));
		for (int64_t i = 0; i < keep; ++i)
			r.latest[static_cast<size_t>(i)] =
					c.Data[wrapSlot(c.WritePos - keep + 1 + i)];
	}
	return ring;
}

uint32_t Crc32(const char *data, qsizetype size)
{
	const auto *p = reinterpret_cast<const unsigned char *>(data);
	uint32_t c = 0xFFFFFFFFu;
	for (; size >= 4; size -= 4, p += 4) {
		c ^= uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
				uint32_t(p[3]) << 24;
		c = kCrc[3][c & 0xFF] ^ kCrc[2][(c >> 8) & 0xFF] ^ kCrc[1][(c >> 16) & 0xFF] ^
				kCrc[0][c >> 24];
	}
	for (; size > 0; --size, ++p)
		c = kCrc[0][(c ^ *p) & 0xFF] ^ (c >> 8);
	return c ^ 0xFFFFFFFFu;
}

void AppendHeaderRecord(QByteArray &out, const JournalHeader &header)
{
	const qsizetype begin = openFrame(out, kHeader);
	out.append(encodeHeader(header));
	closeFrame(out, begin);
}

void AppendRingRecord(QByteArray &out, const JournalRing &ring)
{
	const qsizetype begin = openFrame(out, kRing);
	for (const JournalRing::Unit &unit : ring.units) {
		char fixed[16];
		qToLittleEndian(unit.DataNum, fixed);
		qToLittleEndian(unit.StartPos, fixed + 4);
		qToLittleEndian(unit.WritePos, fixed + 8);
		qToLittleEndian(static_cast<uint32_t>(unit.latest.size()), fixed + 12);
		out.append(fixed, sizeof fixed);
		const qsizetype at = out.size();
		out.resize(at + static_cast<qsizetype>(unit.latest.size() * 4));
		if (!unit.latest.empty()) // an empty vector's data() may be null
			qToLittleEndian<float>(unit.latest.data(),
					static_cast<qsizetype>(unit.latest.size()),
					out.data() + at);
	}
	closeFrame(out, begin);
}

void AppendEndRecord(QByteArray &out, const QString &startTime)
{
	const qsizetype begin = openFrame(out, kEnd);
	QByteArray bytes;
	QDataStream s(&bytes, QIODevice::WriteOnly);
	prepare(s);
	s << startTime;
	out.append(bytes);
	closeFrame(out, begin);
}

void AppendEventRecord(QByteArray &out, const RunEvent &event)
{
	const qsizetype begin = openFrame(out, kEvent);
	AppendEventData(out, event);
	closeFrame(out, begin);
}

qsizetype BeginTickRecord(QByteArray &out)
{
	const qsizetype begin = openFrame(out, kTick);
	out.append(4, '\0'); // DataCount, known when the tick is done
	return begin;
}

void AddTickSample(QByteArray &out, int unit, std::optional<float> value)
{
	char sample[kSampleSize];
	sample[0] = static_cast<char>(unit | (value ? 0 : kNoValueBit));
	qToLittleEndian(value.value_or(0.0f), sample + 1);
	out.append(sample, kSampleSize);
}

void FinishTickRecord(QByteArray &out, qsizetype begin, int32_t dataCount)
{
	qToLittleEndian(dataCount, out.data() + begin + kFrameSize + 1);
	closeFrame(out, begin);
}

namespace journal_record {

std::optional<uint32_t> PayloadLength(const char *frame)
{
	const auto length = qFromLittleEndian<quint32>(frame);
	if (length != ~qFromLittleEndian<quint32>(frame + 4) || length < 1 || length > kMaxPayload)
		return std::nullopt;
	return length;
}

bool Intact(const char *frame, const char *payload, uint32_t length)
{
	return qFromLittleEndian<quint32>(frame + 8) == Crc32(payload, length);
}

std::optional<JournalHeader> DecodeHeader(const char *body, qsizetype size)
{
	QDataStream s(QByteArray::fromRawData(body, size));
	prepare(s);
	quint8 version = 0;
	JournalHeader h;
	RunSettings &r = h.settings;
	s >> version;
	if (version != kVersion)
		return std::nullopt;
	s >> h.StartTimeStr;
	for (QString &memo : h.MemoStr)
		s >> memo;
	s >> r.TimerType >> r.IntervalTM >> r.DataAverage >> h.AverageNum >> r.TrgMaxFlag >>
			r.TrgVMax >> r.TrgMinFlag >> r.TrgVMin >> r.TrgDnum1 >> r.TrgDnum2 >>
			r.TrgUnitID >> r.Sing >> h.TrgMode >> h.DataMaxNum >> h.sampleLimit;
	for (UnitSettings &unit : r.units)
		s >> unit;
	if (s.status() != QDataStream::Ok || !s.atEnd() || !plausible(h))
		return std::nullopt;
	return h;
}

// The positions and counts the ring code relies on are bounded here.
std::optional<JournalRing> DecodeRing(const char *body, qsizetype size)
{
	const char *at = body;
	const char *end = body + size;
	JournalRing ring;
	for (JournalRing::Unit &unit : ring.units) {
		uint32_t count = 0;
		if (!take(at, end, unit.DataNum) || !take(at, end, unit.StartPos) ||
				!take(at, end, unit.WritePos) || !take(at, end, count))
			return std::nullopt;
		if (unit.DataNum < 0 || !isSlot(unit.StartPos) || !isSlot(unit.WritePos) ||
				count > static_cast<uint32_t>(
							std::min(unit.DataNum, kBufferLength)) ||
				end - at < static_cast<qsizetype>(count) * 4)
			return std::nullopt;
		unit.latest.resize(count);
		if (count > 0)
			qFromLittleEndian<float>(at, count, unit.latest.data());
		at += static_cast<qsizetype>(count) * 4;
	}
	if (at != end)
		return std::nullopt;
	return ring;
}

bool DecodeTick(const char *body, qsizetype size, JournalTick &tick)
{
	if (size < kTickFixedSize - 1 || (size - (kTickFixedSize - 1)) % kSampleSize != 0)
		return false;
	tick.DataCount = qFromLittleEndian<int32_t>(body);
	tick.samples.clear();
	for (const char *at = body + 4; at < body + size; at += kSampleSize) {
		const auto tag = static_cast<unsigned char>(at[0]);
		const int unit = tag & ~kNoValueBit;
		if (unit >= kUnitCount)
			return false;
		std::optional<float> value;
		if (!(tag & kNoValueBit))
			value = qFromLittleEndian<float>(at + 1);
		tick.samples.push_back({unit, value});
	}
	return true;
}

std::optional<QString> DecodeEnd(const char *body, qsizetype size)
{
	QDataStream s(QByteArray::fromRawData(body, size));
	prepare(s);
	QString startTime;
	s >> startTime;
	if (s.status() != QDataStream::Ok || !s.atEnd())
		return std::nullopt;
	return startTime;
}

std::optional<DecodedEvent> DecodeEvent(char kind, const char *body, qsizetype size)
{
	if (kind == kEvent)
		return DecodeEventData(body, size);
	QDataStream s(QByteArray::fromRawData(body, size));
	prepare(s);
	s.setFloatingPointPrecision(QDataStream::DoublePrecision);
	DecodedEvent d;
	qint8 unit = 0;
	quint8 eventKind = 0;
	s >> d.event.timeS >> unit >> eventKind >> d.event.text;
	if (s.status() != QDataStream::Ok || !s.atEnd() || unit < -1 || unit >= kUnitCount ||
			eventKind > static_cast<quint8>(EventKind::Trigger) ||
			!(d.event.timeS >= 0.0))
		return std::nullopt;
	d.event.unit = unit;
	d.event.kind = static_cast<EventKind>(eventKind);
	return d;
}

} // namespace journal_record

} // namespace kelvra

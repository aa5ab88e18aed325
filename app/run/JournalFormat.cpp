#include "JournalFormat.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace kelvra {

namespace {

constexpr char kHeaderKind = 'H';
constexpr char kTickKind = 'T';
constexpr char kEndKind = 'E';
constexpr quint8 kVersion = 1;
constexpr qsizetype kFrameSize = 12;
constexpr qsizetype kTickFixedSize = 1 + 4;
constexpr qsizetype kSampleSize = 5;
constexpr unsigned char kNoValueBit = 0x80;
// No record of a real run comes near this; a larger length is damage.
constexpr quint32 kMaxPayload = 16 * 1024 * 1024;

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

QDataStream &operator<<(QDataStream &s, const JournalUnit &u)
{
	return s << u.Mflag << u.Power << u.PowerSing << u.Capacity;
}

QDataStream &operator>>(QDataStream &s, JournalUnit &u)
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
	s << kVersion << h.StartTimeStr;
	for (const QString &memo : h.MemoStr)
		s << memo;
	s << h.TimerType << h.IntervalTM << h.DataAverage << h.AverageNum << h.TrgMaxFlag << h.TrgVMax
	  << h.TrgMinFlag << h.TrgVMin << h.TrgDnum1 << h.TrgDnum2 << h.TrgUnitID << h.Sing << h.TrgMode
	  << h.DataMaxNum << h.sampleLimit;
	for (const JournalUnit &unit : h.units)
		s << unit;
	return bytes;
}

// Settings the storing code relies on; a checksum does not vouch for the writer.
bool isFlag(int16_t value)
{
	return value == kTrue || value == kFalse;
}

// The ranges a run can have; anything else is a damaged or foreign file
// whose settings would misdrive the next run.
bool plausible(const JournalHeader &h)
{
	return isFlag(h.TimerType) && isFlag(h.DataAverage) && isFlag(h.TrgMaxFlag) && isFlag(h.TrgMinFlag) &&
			isFlag(h.TrgMode) && h.IntervalTM >= 0 && h.IntervalTM <= 65535000 && h.AverageNum >= 1 &&
			h.AverageNum <= 10000 && h.TrgUnitID >= 0 && h.TrgUnitID < kUnitCount && h.Sing >= 0 &&
			h.Sing <= 5 && h.DataMaxNum >= 1 && h.DataMaxNum <= kBufferLength && h.TrgDnum1 >= 0 &&
			h.TrgDnum2 >= 0 && int64_t{h.TrgDnum1} + h.TrgDnum2 <= kBufferLength && h.sampleLimit >= 0;
}

std::optional<JournalHeader> decodeHeader(const QByteArray &bytes)
{
	QDataStream s(bytes);
	prepare(s);
	quint8 version = 0;
	JournalHeader h;
	s >> version;
	if (version != kVersion)
		return std::nullopt;
	s >> h.StartTimeStr;
	for (QString &memo : h.MemoStr)
		s >> memo;
	s >> h.TimerType >> h.IntervalTM >> h.DataAverage >> h.AverageNum >> h.TrgMaxFlag >> h.TrgVMax >>
			h.TrgMinFlag >> h.TrgVMin >> h.TrgDnum1 >> h.TrgDnum2 >> h.TrgUnitID >> h.Sing >>
			h.TrgMode >> h.DataMaxNum >> h.sampleLimit;
	for (JournalUnit &unit : h.units)
		s >> unit;
	if (s.status() != QDataStream::Ok || !s.atEnd() || !plausible(h))
		return std::nullopt;
	return h;
}

std::optional<JournalTick> decodeTick(const char *p, qsizetype size)
{
	if (size < kTickFixedSize - 1 || (size - (kTickFixedSize - 1)) % kSampleSize != 0)
		return std::nullopt;
	JournalTick tick;
	tick.DataCount = qFromLittleEndian<int32_t>(p);
	for (const char *at = p + 4; at < p + size; at += kSampleSize) {
		const auto tag = static_cast<unsigned char>(at[0]);
		const int unit = tag & ~kNoValueBit;
		if (unit >= kUnitCount)
			return std::nullopt;
		std::optional<float> value;
		if (!(tag & kNoValueBit))
			value = qFromLittleEndian<float>(at + 1);
		tick.samples.push_back({unit, value});
	}
	return tick;
}

std::optional<QString> decodeEnd(const QByteArray &bytes)
{
	QDataStream s(bytes);
	prepare(s);
	QString startTime;
	s >> startTime;
	if (s.status() != QDataStream::Ok || !s.atEnd())
		return std::nullopt;
	return startTime;
}

// Takes one record's payload into the content; false when it makes no sense.
bool takeRecord(JournalContent &content, const char *payload, qsizetype size)
{
	const QByteArray body = QByteArray::fromRawData(payload + 1, size - 1);
	if (payload[0] == kTickKind && !content.endTime) {
		auto tick = decodeTick(body.constData(), body.size());
		if (tick)
			content.ticks.push_back(std::move(*tick));
		return tick.has_value();
	}
	if (payload[0] == kEndKind && !content.endTime) {
		content.endTime = decodeEnd(body);
		return content.endTime.has_value();
	}
	return false;
}

bool allZero(const QByteArray &bytes, qsizetype from)
{
	return std::all_of(bytes.cbegin() + from, bytes.cend(), [](char c) { return c == 0; });
}

} // namespace

JournalHeader HeaderOfRun(const ModuleData &md)
{
	JournalHeader h;
	h.StartTimeStr = md.StartTimeStr;
	h.MemoStr = md.MemoStr;
	h.TimerType = md.TimerType;
	h.IntervalTM = md.IntervalTM;
	h.DataAverage = md.DataAverage;
	h.AverageNum = md.AverageNum;
	h.TrgMaxFlag = md.TrgMaxFlag;
	h.TrgVMax = md.TrgVMax;
	h.TrgMinFlag = md.TrgMinFlag;
	h.TrgVMin = md.TrgVMin;
	h.TrgDnum1 = md.TrgDnum1;
	h.TrgDnum2 = md.TrgDnum2;
	h.TrgUnitID = md.TrgUnitID;
	h.Sing = md.Sing;
	h.TrgMode = md.TrgMode;
	h.DataMaxNum = md.DataMaxNum;
	for (int u = 0; u < kUnitCount; ++u) {
		const ChannelRecord &c = md.Channels[u];
		h.units[u] = {c.Mflag, c.Power, c.PowerSing, c.Capacity};
	}
	return h;
}

uint32_t Crc32(const char *data, qsizetype size)
{
	const auto *p = reinterpret_cast<const unsigned char *>(data);
	uint32_t c = 0xFFFFFFFFu;
	for (; size >= 4; size -= 4, p += 4) {
		c ^= uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
		c = kCrc[3][c & 0xFF] ^ kCrc[2][(c >> 8) & 0xFF] ^ kCrc[1][(c >> 16) & 0xFF] ^ kCrc[0][c >> 24];
	}
	for (; size > 0; --size, ++p)
		c = kCrc[0][(c ^ *p) & 0xFF] ^ (c >> 8);
	return c ^ 0xFFFFFFFFu;
}

void AppendHeaderRecord(QByteArray &out, const JournalHeader &header)
{
	const qsizetype begin = openFrame(out, kHeaderKind);
	out.append(encodeHeader(header));
	closeFrame(out, begin);
}

void AppendEndRecord(QByteArray &out, const QString &startTime)
{
	const qsizetype begin = openFrame(out, kEndKind);
	QByteArray bytes;
	QDataStream s(&bytes, QIODevice::WriteOnly);
	prepare(s);
	s << startTime;
	out.append(bytes);
	closeFrame(out, begin);
}

qsizetype BeginTickRecord(QByteArray &out)
{
	const qsizetype begin = openFrame(out, kTickKind);
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

std::optional<JournalContent> ParseJournal(const QByteArray &bytes, QString *error)
{
	JournalContent content;
	qsizetype pos = 0;
	bool haveHeader = false;
	auto damaged = [&] {
		content.warning = QStringLiteral("the journal is damaged at byte %1; the run is rebuilt "
		                                 "from the %2 ticks before it")
		                          .arg(pos)
		                          .arg(content.ticks.size());
	};
	while (bytes.size() - pos >= kFrameSize) {
		const char *frame = bytes.constData() + pos;
		const auto length = qFromLittleEndian<quint32>(frame);
		const qsizetype end = pos + kFrameSize + static_cast<qsizetype>(length);
		if (length != ~qFromLittleEndian<quint32>(frame + 4) || length < 1 || length > kMaxPayload) {
			if (!allZero(bytes, pos))
				damaged(); // zeros are a tail the file system had not filled yet
			break;
		}
		if (end > bytes.size())
			break; // cut off while it was written
		const char *payload = frame + kFrameSize;
		const bool intact = qFromLittleEndian<quint32>(frame + 8) == Crc32(payload, length);
		if (intact && !haveHeader && payload[0] == kHeaderKind) {
			auto header = decodeHeader(QByteArray::fromRawData(payload + 1, length - 1));
			if (!header)
				break;
			content.header = std::move(*header);
			haveHeader = true;
		} else if (!intact && end == bytes.size()) {
			break; // the last record's bytes did not all reach the disk
		} else if (!intact || !haveHeader || !takeRecord(content, payload, length)) {
			damaged();
			break;
		}
		pos = end;
	}
	if (!haveHeader) {
		if (error)
			*error = QStringLiteral("not a run journal, or its header is damaged");
		return std::nullopt;
	}
	return content;
}

} // namespace kelvra

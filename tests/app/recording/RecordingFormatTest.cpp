// The .kvr records against the files a reader can meet: those of version 1,
// those of later versions, and CRC-valid records whose numbers cannot belong
// to the file they are in.

#include "recording/RecordingReader.h"
#include "run/JournalFormat.h"

#include <gtest/gtest.h>

#include <QTimeZone>
#include <QtEndian>

using namespace kelvra;

namespace {

// Units 0 and 1 in use at 100 ms.
RecordingHeader twoUnits(SplitPeriod split = SplitPeriod::None)
{
	ModuleData md;
	md.Channels[0].Mflag = md.Channels[1].Mflag = kTrue;
	md.settings.IntervalTM = 100;
	md.StartTimeStr = QStringLiteral("2026/12/9 13:40:0");
	return RecordingHeaderOf(
			md, QDateTime(QDate(2026, 12, 9), QTime(13, 40), QTimeZone::utc()), split);
}

QByteArray framed(char kind, const QByteArray &body)
{
	const QByteArray payload = kind + body;
	QByteArray out(12, '\0');
	const auto n = static_cast<uint32_t>(payload.size());
	qToLittleEndian(n, out.data());
	qToLittleEndian(~n, out.data() + 4);
	qToLittleEndian(Crc32(payload.constData(), payload.size()), out.data() + 8);
	return out + payload;
}

QByteArray samples(int unit, uint64_t first, int count)
{
	std::vector<float> values(static_cast<size_t>(count));
	for (int i = 0; i < count; ++i)
		values[static_cast<size_t>(i)] = static_cast<float>(first + i);
	QByteArray out;
	AppendSamples(out, unit, first, values.data(), count);
	return out;
}

// Ten samples of each unit, summaries of them, no end record.
QByteArray tenSamples(const RecordingHeader &header)
{
	QByteArray out;
	AppendHeader(out, header);
	for (int unit : {0, 1})
		out += samples(unit, header.firstSample, 10);
	return out;
}

std::unique_ptr<RecordingReader> reading(const QByteArray &bytes, QString *error = nullptr)
{
	QString ignored;
	return RecordingReader::read(bytes, QStringLiteral("r.kvr"), error ? error : &ignored);
}

QByteArray withEnd(QByteArray bytes, uint64_t next)
{
	AppendEnd(bytes, next);
	return bytes;
}

} // namespace

TEST(RecordingFormat, ARecordWhoseNumbersCannotBelongToTheFileEndsWhatIsRead)
{
	const RecordingHeader plain = twoUnits();
	RecordingHeader hourly = twoUnits(SplitPeriod::Hour); // 36000 numbers a part
	hourly.firstSample = 36000;
	QByteArray gap;
	AppendGap(gap, {0, 10, 5000000000});
	QByteArray summary;
	AppendSummary(summary, {1, 0, 0, 1000, {}});
	QByteArray offHour;
	AppendGap(offHour, {1, 36010, 36000});
	const struct {
		const char *what;
		QByteArray bytes;
		uint64_t held; // of unit 0, read before the record
	} cases[] = {
			{"a sample far after the unit's last",
					tenSamples(plain) + samples(0, 5000000000, 1), 10},
			{"a unit's first sample far after the part's first",
					[&] {
						QByteArray b;
						AppendHeader(b, plain);
						return b + samples(0, 5000000000, 1);
					}(),
					0},
			{"a unit not in use", tenSamples(plain) + samples(2, 0, 3), 10},
			{"a gap beyond the end record", withEnd(tenSamples(plain) + gap, 10), 10},
			{"a gap beyond the part's hour", tenSamples(hourly) + offHour, 36010},
			{"a summary of more than the samples", tenSamples(plain) + summary, 10},
			{"an end record before the samples", withEnd(tenSamples(plain), 4), 0},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.what);
		const auto reader = reading(c.bytes);
		ASSERT_TRUE(reader);
		EXPECT_EQ(c.held, reader->sampleEnd(0));
		EXPECT_LE(reader->sampleEnd(), reader->header().firstSample + 10);
		EXPECT_FALSE(reader->ended());
		EXPECT_TRUE(reader->stopReason().startsWith(QStringLiteral("r.kvr")))
				<< reader->stopReason().toStdString();
	}
	const auto whole = reading(withEnd(tenSamples(plain), 10));
	EXPECT_TRUE(whole->ended() && whole->stopReason().isEmpty());
}

TEST(RecordingFormat, VersionOneFilesReadAndLaterAdditionsArePassedOverOrRefused)
{
	RecordingHeader header = twoUnits();
	header.blocks.clear(); // the start to the millisecond
	QByteArray v2;
	AppendHeader(v2, header);
	// Version 1: the same fields without the list of blocks, events with a text.
	QByteArray v1Header = v2.mid(12).chopped(4).mid(1);
	v1Header[0] = 1;
	QByteArray v1Event(10, '\0');
	qToLittleEndian(2.5, v1Event.data());
	v1Event[8] = 1;
	v1Event[9] = static_cast<char>(EventKind::Dropout);
	const QByteArray text = QStringLiteral("USB通信エラー").toUtf8();
	QByteArray length(2, '\0');
	qToLittleEndian(static_cast<uint16_t>(text.size()), length.data());
	const QByteArray v1 = framed('R', v1Header) + samples(0, 0, 3) +
			framed('V', v1Event + length + text);
	const auto old = reading(withEnd(v1, 3));
	ASSERT_TRUE(old);
	EXPECT_EQ(1, old->header().version);
	EXPECT_EQ(3u, old->sampleEnd(0));
	ASSERT_EQ(1u, old->events().size());
	EXPECT_EQ((RunEvent{2.5, 1, EventKind::Dropout, QStringLiteral("USB通信エラー")}),
			old->events()[0])
			<< "its text as it was stored";

	// Version 2: events keep their data; an event or record of a later kind is passed over.
	const std::vector<RunEvent> events{LevelEvent(0.1, 0, EventKind::Clear, EventSide::Lower,
							   EventLevel::Alarm, -5.5f, -1.0f),
			UnitLostEvent(0.2, 1, 9),
			DiskLossEvent(0.3, 28, QStringLiteral("No space left on device")),
			{0.4, -1, EventKind::Marker, QStringLiteral("荷重 5 kN")},
			HookRanEvent(0.5, 0, HookCause::Alarm, HookEnd::Exited, 3, 30.0f,
					QStringLiteral("sent")),
			SpaceEvent(0.6, true, 1.5e9, 2e9), ResumedEvent(0.7, 125.5)};
	RunEvent later = events[0];
	later.kind = static_cast<EventKind>(200);
	QByteArray bytes = tenSamples(header);
	AppendEvent(bytes, later);
	bytes += framed('Z', QByteArray("of a later version"));
	for (const RunEvent &event : events)
		AppendEvent(bytes, event);
	// Written before events had the hook's two bytes after their text.
	QByteArray shorter;
	AppendEventData(shorter, events[1]);
	bytes += framed('V', shorter.chopped(2));
	const auto now = reading(withEnd(bytes, 10));
	ASSERT_TRUE(now);
	EXPECT_TRUE(now->ended());
	std::vector<RunEvent> expected = events;
	expected.push_back(events[1]);
	EXPECT_EQ(expected, now->events());

	// Blocks of the header's list: one a reader does not know is passed over,
	// unless it must be understood; a later version is refused.
	header.blocks = {{0x0030, QByteArray("strain setup")}};
	const auto skipped = reading(withEnd(tenSamples(header), 10));
	ASSERT_TRUE(skipped);
	EXPECT_EQ(header.blocks, skipped->header().blocks);
	header.blocks = {{0x0030 | kMustUnderstand, QByteArray("channels")}};
	QString error;
	EXPECT_FALSE(reading(tenSamples(header), &error));
	EXPECT_TRUE(error.contains(QStringLiteral("32816"))) << error.toStdString();
	QByteArray v3 = v2.mid(13);
	v3[0] = 3;
	EXPECT_FALSE(reading(framed('R', v3), &error));
	EXPECT_TRUE(error.startsWith(QStringLiteral("r.kvr: "))) << error.toStdString();
	EXPECT_TRUE(error.contains(QLatin1Char('3'))) << error.toStdString();
}

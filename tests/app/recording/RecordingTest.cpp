#include "fakes/SmallFileSystem.h"
#include "files/DataFile.h"
#include "recording/RecordingExport.h"
#include "recording/RecordingResume.h"
#include "recording/RecordingStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace kelvra;

namespace {

// Every sample tells its unit and number, so a kept sample shows where it belongs.
float valueOf(int unit, uint64_t n)
{
	return static_cast<float>(unit * 1000000 + n % 1000000);
}

RecordingHeader headerFor(int32_t intervalMs, SplitPeriod split = SplitPeriod::None)
{
	ModuleData md;
	for (auto &channel : md.Channels)
		channel.Mflag = kTrue;
	md.settings.IntervalTM = intervalMs;
	md.StartTimeStr = QStringLiteral("2026/12/9 13:40:0");
	md.MemoStr[0] = QStringLiteral("クリープ試験");
	return RecordingHeaderOf(
			md, QDateTime(QDate(2026, 12, 9), QTime(13, 40), QTimeZone::utc()), split);
}

// A run of `ticks` ticks of uneven sizes; `missing` marks the samples a unit did not deliver.
struct ScriptedRun {
	RecordingHeader header = headerFor(10);
	uint64_t samples = 5000;
	std::function<bool(int, uint64_t)> missing = [](int, uint64_t) { return false; };

	void record(const QString &base, RecordingWriter &writer, int64_t msPerTick = 100) const
	{
		RecordingStore store(header, base, writer, 0);
		std::array<uint64_t, kUnitCount> at{};
		int64_t now = 0;
		for (int tick = 0; *std::min_element(at.begin(), at.end()) < samples; ++tick) {
			for (int u = 0; u < kUnitCount; ++u) {
				const uint64_t end = std::min(
						samples, at[u] + 7 + (tick * 13 + u * 5) % 29);
				for (; at[u] < end; ++at[u]) {
					const float v = valueOf(u, at[u]);
					if (missing(u, at[u]))
						store.skip(u, 1);
					else
						store.add(u, &v, 1);
				}
			}
			if (tick == 3)
				store.event({0.5, 2, EventKind::Marker,
						QStringLiteral("荷重 2 kN")});
			store.tick(now += msPerTick);
		}
	}
};

void expectSamples(const RecordingReader &reader, uint64_t end, const ScriptedRun &run)
{
	for (int u = 0; u < kUnitCount; ++u) {
		const std::vector<float> got = reader.samples(u, 0, end);
		uint64_t wrong = 0;
		for (uint64_t n = 0; n < end; ++n) {
			const bool gap = run.missing(u, n);
			wrong += gap ? !std::isnan(got[n]) : got[n] != valueOf(u, n);
		}
		EXPECT_EQ(0u, wrong) << "unit " << u;
	}
}

QByteArray bytesOf(const QString &fileName)
{
	QFile file(fileName);
	return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &fileName, const QByteArray &bytes)
{
	QFile file(fileName);
	ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
	file.write(bytes);
}

} // namespace

TEST(Recording, ReadsBackEverySampleGapEventAndSummary)
{
	QTemporaryDir dir;
	ScriptedRun run;
	run.samples = 70000;
	run.missing = [](int u, uint64_t n) { return u == 2 && n >= 3000 && n < 40000; };
	{
		RecordingWriter writer;
		run.record(dir.filePath(QStringLiteral("r")), writer);
	}
	QString error;
	auto reader = RecordingReader::open(dir.filePath(QStringLiteral("r.kvr")), &error);
	ASSERT_TRUE(reader) << error.toStdString();
	EXPECT_TRUE(reader->ended());
	EXPECT_EQ(QStringLiteral("クリープ試験"), reader->header().MemoStr[0]);
	EXPECT_EQ(70000u, reader->sampleEnd());
	expectSamples(*reader, 70000, run);
	EXPECT_EQ(70000u - 37000u, reader->sampleCount(2));
	ASSERT_EQ(1u, reader->gaps(2).size());
	EXPECT_EQ(3000u, reader->gaps(2)[0].from);
	EXPECT_EQ(37000u, reader->gaps(2)[0].count);
	ASSERT_EQ(1u, reader->events().size());
	EXPECT_EQ(QStringLiteral("荷重 2 kN"), reader->events()[0].text);

	// The envelope of a span agrees with its samples, peaks included.
	for (const auto &[from, to] :
			{std::pair<uint64_t, uint64_t>{0, 70000}, {1, 69999}, {2047, 65537}}) {
		const SampleSummary whole = reader->summarize(1, from, to);
		EXPECT_EQ(to - from, whole.count);
		EXPECT_EQ(valueOf(1, from), whole.min);
		EXPECT_EQ(valueOf(1, to - 1), whole.max);
	}
	const double size = static_cast<double>(QFile(reader->files()[0]).size());
	EXPECT_LE(size / (4 * 70000 - 37000), 4.4) << "bytes a sample";
}

TEST(Recording, AFileCutAtAnyByteOfItsLastRecordsReadsAnExactPrefix)
{
	// Thousands of files: in memory where the system has it.
	QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
					? QStringLiteral("/dev/shm/kelvra-XXXXXX")
					: QDir::tempPath() + QStringLiteral("/kelvra-XXXXXX"));
	ScriptedRun run;
	run.missing = [](int u, uint64_t n) { return u == 1 && n >= 4000 && n < 4100; };
	{
		RecordingWriter writer;
		run.record(dir.filePath(QStringLiteral("whole")), writer, 1000);
	}
	const QByteArray whole = bytesOf(dir.filePath(QStringLiteral("whole.kvr")));
	const QString cut = dir.filePath(QStringLiteral("cut.kvr"));
	uint64_t lastEnd = UINT64_MAX;
	for (qsizetype size = whole.size(); size >= whole.size() - 2500; --size) {
		writeBytes(cut, whole.left(size));
		QString error;
		auto reader = RecordingReader::open(cut, &error);
		ASSERT_TRUE(reader) << size;
		const uint64_t end = reader->sampleEnd();
		EXPECT_LE(end, lastEnd) << "a shorter file never holds more";
		lastEnd = end;
		for (int u = 0; u < kUnitCount; ++u) {
			const uint64_t held = reader->sampleEnd(u);
			const std::vector<float> got = reader->samples(u, 0, held);
			for (uint64_t n = 0; n < held; ++n) {
				if (run.missing(u, n) ? !std::isnan(got[n])
						      : got[n] != valueOf(u, n))
					FAIL() << "cut at " << size << ": unit " << u << " sample "
					       << n;
			}
			EXPECT_EQ(reader->sampleCount(u),
					held -
							(u == 1 ? std::clamp<uint64_t>(held, 4000,
										  4100) - 4000
								: 0));
		}
	}
	EXPECT_LT(lastEnd, run.samples);
}

TEST(Recording, HourlyPartsOfADayOpenAloneAndJoinToEverySampleOnce)
{
	QTemporaryDir dir;
	ScriptedRun run;
	run.header = headerFor(100, SplitPeriod::Hour);
	run.samples = 864000; // a day at 100 ms
	{
		RecordingWriter writer;
		run.record(dir.filePath(QStringLiteral("day")), writer);
	}
	const QStringList parts = QDir(dir.path())
						  .entryList({QStringLiteral("*.kvr")}, QDir::Files,
								  QDir::Name);
	ASSERT_EQ(24, parts.size());
	EXPECT_EQ(QStringLiteral("day-001.kvr"), parts.front());
	EXPECT_EQ(QStringLiteral("day-024.kvr"), parts.back());
	QString error;
	auto alone = RecordingReader::open(dir.filePath(QStringLiteral("day-024.kvr")), &error);
	ASSERT_TRUE(alone);
	EXPECT_EQ(23u * 36000u, alone->header().firstSample);
	EXPECT_EQ(1, alone->files().size());
	EXPECT_EQ(36000u, alone->sampleCount(3));

	auto joined = RecordingReader::open(dir.filePath(QStringLiteral("day-001.kvr")), &error);
	ASSERT_TRUE(joined);
	EXPECT_EQ(24, joined->files().size());
	EXPECT_EQ(864000u, joined->sampleEnd());
	expectSamples(*joined, 864000, run);
	for (int u = 0; u < kUnitCount; ++u)
		EXPECT_EQ(864000u, joined->sampleCount(u))
				<< "from the summaries, across the parts";
}

// A split recording of a folder, cut off in its second hour as its third part
// was begun, goes on three hours later: the outage is a gap through the hours
// between, in parts of their own.
TEST(Recording, AnHourlyRecordingCutOffGoesOnAtTheClocksSampleAcrossTheHoursBetween)
{
	QTemporaryDir dir;
	ScriptedRun run;
	run.header = headerFor(100, SplitPeriod::Hour);
	run.samples = 40000; // 36000 to an hour
	{
		RecordingWriter writer;
		run.record(dir.filePath(QStringLiteral("kelvra-20261209-134000")), writer);
	}
	const QString second = dir.filePath(QStringLiteral("kelvra-20261209-134000-002.kvr"));
	writeBytes(second, bytesOf(second).chopped(5000)); // the power failed
	writeBytes(dir.filePath(QStringLiteral("kelvra-20261209-134000-003.kvr")), {});
	const ResumeLookup found = FindResumePoint(dir.path());
	ASSERT_EQ(found.kind, ResumeLookup::Kind::Interrupted);
	EXPECT_EQ(found.file, dir.filePath(QStringLiteral("kelvra-20261209-134000-001.kvr")));
	const ResumePoint &point = *found.point;
	EXPECT_EQ(point.nextPart, 4) << "the empty part keeps its number";
	const QDateTime start = StartOf(point.header);
	const uint64_t first = 3 * 36000 + 500;
	ASSERT_EQ(ResumeSample(point, start.addSecs(first / 10)), first);
	EXPECT_EQ(ResumeSample(point, start.addSecs(-60)), point.end()) << "a clock set back";
	{
		RecordingWriter writer;
		RecordingHeader header = point.header;
		header.firstSample = point.earliestEnd();
		RecordingStore store(header, point.baseName, writer, 0,
				RecordingStore::Continuation{point.nextPart, point.unitEnds});
		std::vector<float> values(1000);
		for (int u = 0; u < kUnitCount; ++u) {
			store.skip(u, first - point.unitEnds[u]);
			for (uint64_t n = 0; n < values.size(); ++n)
				values[n] = valueOf(u, first + n);
			store.add(u, values.data(), static_cast<qsizetype>(values.size()));
		}
		for (int64_t now = 1000; now <= 10000; now += 1000)
			store.tick(now);
	}
	QString error;
	const auto joined = RecordingReader::open(found.file, &error);
	ASSERT_TRUE(joined) << error.toStdString();
	EXPECT_TRUE(joined->ended());
	EXPECT_EQ(joined->files().size(), 5) << "hours 2, 3 and 4 resumed";
	EXPECT_EQ(FindResumePoint(found.file).kind, ResumeLookup::Kind::Ended);
	for (int u = 0; u < kUnitCount; ++u) {
		SCOPED_TRACE(u);
		const uint64_t end = point.unitEnds[u];
		const std::vector<RecordingGap> gaps = joined->gaps(u);
		ASSERT_EQ(gaps.size(), 1u);
		EXPECT_EQ(gaps[0].from, end);
		EXPECT_EQ(gaps[0].count, first - end);
		EXPECT_EQ(joined->sampleCount(u), end + 1000) << "from the summaries";
		const std::vector<float> after = joined->samples(u, first, first + 1000);
		EXPECT_EQ(after.front(), valueOf(u, first));
		EXPECT_EQ(after.back(), valueOf(u, first + 999));
	}
}

TEST(Recording, AFullDiskIsToldKeepsTheFileAndGoesOnInANewPart)
{
	const kelvra::testing::SmallFileSystem dir("256k");
	ASSERT_TRUE(dir.mounted()) << dir.reason();
	const QString filler = dir.filePath(QStringLiteral("filler"));
	writeBytes(filler, QByteArray(96 * 1024, 'x'));
	{
		RecordingWriter writer;
		RecordingStore store(headerFor(10), dir.filePath(QStringLiteral("r")), writer, 0);
		int64_t now = 0;
		uint64_t n = 0;
		auto second = [&] {
			for (int i = 0; i < 100; ++i, ++n) {
				for (int u = 0; u < kUnitCount; ++u) {
					const float v = valueOf(u, n);
					store.add(u, &v, 1);
				}
			}
			store.tick(now += 1000);
			std::this_thread::sleep_for(std::chrono::milliseconds(30));
		};
		while (!store.lostToDisk() && n < 1000000)
			second();
		EXPECT_TRUE(store.lostToDisk());
		EXPECT_TRUE(writer.error().contains(QStringLiteral("cannot write the recording")))
				<< writer.error().toStdString();
		QFile::remove(filler);
		for (int s = 0; s < 8; ++s)
			second();
		EXPECT_TRUE(store.currentFile().endsWith(QStringLiteral("r-001.kvr")));
	}
	QString error;
	auto reader = RecordingReader::open(dir.filePath(QStringLiteral("r.kvr")), &error);
	ASSERT_TRUE(reader) << error.toStdString();
	EXPECT_EQ(2, reader->files().size()) << "the part after the full disk joins on";
	EXPECT_TRUE(reader->ended());
	for (int u = 0; u < kUnitCount; ++u) {
		const uint64_t end = reader->sampleEnd(u);
		const std::vector<float> got = reader->samples(u, 0, end);
		uint64_t wrong = 0;
		for (uint64_t n = 0; n < end; ++n)
			wrong += !std::isnan(got[n]) && got[n] != valueOf(u, n);
		EXPECT_EQ(0u, wrong);
		EXPECT_EQ(1u, reader->gaps(u).size()) << "one stretch lost to the disk";
	}
	ASSERT_FALSE(reader->events().empty());
	EXPECT_EQ(EventKind::Dropout, reader->events().back().kind);
	reader.reset(); // its files are mapped until then
}

// The disk refuses everything while `failing` is set: a part that begins then
// is not made, and its number is the next part's.
TEST(Recording, PartsOfAFailingDiskAreNumberedOnAndTheOneAfterTheLossTellsIt)
{
	QTemporaryDir dir;
	std::atomic<bool> failing{false};
	auto refuse = [&] {
		errno = ENOSPC;
		return failing.load();
	};
	RecordingWriter::FileCalls disk{
			[&](const QByteArray &name) {
				return refuse() ? -1
						: ::open(name.constData(),
								  O_WRONLY | O_CREAT | O_TRUNC,
								  0644);
			},
			[&](int fd, const char *data, size_t size) {
				return refuse() ? ssize_t{-1} : ::write(fd, data, size);
			},
			[&](int fd) { return refuse() ? -1 : ::fdatasync(fd); }};
	constexpr int kPerTick = 6; // a tick of 6 samples, an hour part of 36 at 100 s
	constexpr uint64_t kSamples = 130;
	{
		RecordingWriter writer(disk, std::chrono::milliseconds(0));
		RecordingStore store(headerFor(100000, SplitPeriod::Hour),
				dir.filePath(QStringLiteral("r")), writer, 0);
		for (uint64_t tick = 0; tick * kPerTick < kSamples; ++tick) {
			// Out from the fifth tick, back after the retry and the next
			// part's start have failed, before the part after that.
			failing = tick >= 4 && tick < 10;
			for (uint64_t n = tick * kPerTick; n < (tick + 1) * kPerTick; ++n) {
				for (int u = 0; u < kUnitCount; ++u) {
					const float v = valueOf(u, n);
					store.add(u, &v, 1);
				}
			}
			store.tick(static_cast<int64_t>(tick + 1) * 1000);
			writer.waitUntilTaken();
		}
	}
	EXPECT_EQ((QStringList{QStringLiteral("r-001.kvr"), QStringLiteral("r-002.kvr"),
				  QStringLiteral("r-003.kvr")}),
			QDir(dir.path())
					.entryList({QStringLiteral("*.kvr")}, QDir::Files,
							QDir::Name));
	QString error;
	auto reader = RecordingReader::open(dir.filePath(QStringLiteral("r-001.kvr")), &error);
	ASSERT_TRUE(reader) << error.toStdString();
	EXPECT_TRUE(reader->ended());
	EXPECT_TRUE(reader->stopReason().isEmpty()) << reader->stopReason().toStdString();
	ASSERT_EQ(1u, reader->events().size());
	EXPECT_EQ(DiskLossEvent(72 * 100.0, ENOSPC, QString::fromLocal8Bit(std::strerror(ENOSPC))),
			reader->events()[0])
			<< "told by the part that begins at sample 72, after the loss";
	for (int u = 0; u < kUnitCount; ++u) {
		const std::vector<float> got = reader->samples(u, 0, kSamples);
		for (uint64_t n = 0; n < kSamples; ++n) {
			const bool lost = n >= 24 && n < 72;
			EXPECT_TRUE(lost ? std::isnan(got[n]) : got[n] == valueOf(u, n))
					<< "unit " << u << " sample " << n;
		}
	}
	reader.reset();
}

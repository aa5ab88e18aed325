// kelvra-cli record --continuous against emulated units whose clocks run fast.

#include "fakes/KelvraCliRunner.h"
#include "recording/RecordingReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <sys/mount.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

// Sample k of a unit reads `first` + k: a lost, repeated or misplaced sample shows.
struct Count {
	int unit;
	uint64_t first;

	float at(uint64_t sample) const { return static_cast<float>(first + sample); }
};

// Far apart, so that no unit's samples pass for another's within a day at 10 ms.
const std::vector<Count> kFourUnits{{0, 0}, {1, 9000000}, {2, 100}, {3, 4000000}};

QString describe(const std::vector<Count> &units, const QString &extra)
{
	QStringList parts;
	for (const Count &c : units)
		parts << QStringLiteral("id=%1,kind=1,span=12000,zero=0,signal=count:%2,%3")
						.arg(c.unit)
						.arg(c.first)
						.arg(extra);
	return parts.join(QLatin1Char(';'));
}

// The samples of `unit` numbered from..to-1 that differ from the count;
// missing ones too unless `missingAllowed`.
uint64_t mismatches(const RecordingReader &reader, const Count &c, uint64_t from, uint64_t to,
		bool missingAllowed = false)
{
	const std::vector<float> got = reader.samples(c.unit, from, to);
	uint64_t wrong = 0;
	for (uint64_t k = from; k < to; ++k)
		wrong += got[k - from] != c.at(k) && !(missingAllowed && std::isnan(got[k - from]));
	return wrong;
}

std::unique_ptr<RecordingReader> openRecording(const QString &file)
{
	QString error;
	auto reader = RecordingReader::open(file, &error);
	EXPECT_TRUE(reader) << error.toStdString();
	return reader;
}

} // namespace

TEST_F(KelvraCli, FastUnitsAreRecordedSampleForSampleInTheFileAndItsCsv)
{
	const Outcome outcome =
			run({QStringLiteral("record"), QStringLiteral("--continuous"),
					    QStringLiteral("--out"), path("fast.kvr"),
					    QStringLiteral("--emulate"),
					    describe(kFourUnits, QStringLiteral("speed=100")),
					    QStringLiteral("--units"), QStringLiteral("0,1,2,3"),
					    QStringLiteral("--interval-ms"), QStringLiteral("10"),
					    QStringLiteral("--samples"), QStringLiteral("300000")},
					120000);
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const auto reader = openRecording(path("fast.kvr"));
	ASSERT_TRUE(reader);
	EXPECT_TRUE(reader->ended());
	for (const Count &c : kFourUnits) {
		EXPECT_EQ(300000u, reader->sampleCount(c.unit)) << "ID" << c.unit;
		EXPECT_EQ(0u, mismatches(*reader, c, 0, 300000)) << "ID" << c.unit;
	}

	ASSERT_EQ(0, run({QStringLiteral("convert"), path("fast.kvr"), path("fast.csv")}).status);
	const auto rows = csvRows(path("fast.csv"));
	ASSERT_EQ(300000u, rows.size());
	uint64_t wrong = 0;
	for (uint64_t k = 0; k < rows.size(); ++k) {
		for (const Count &c : kFourUnits)
			wrong += rows[k][c.unit].toDouble() != c.at(k);
	}
	EXPECT_EQ(0u, wrong);
}

// 100000 samples a second from each of four units: the run keeps up, or the
// units' overflow is told as missing samples and exit status 1; never a
// sample lost or moved in silence.
TEST_F(KelvraCli, UnitsTooFastToReadLoseNoSampleSilently)
{
	const Outcome outcome =
			run({QStringLiteral("record"), QStringLiteral("--continuous"),
					    QStringLiteral("--out"), path("fastest.kvr"),
					    QStringLiteral("--emulate"),
					    describe(kFourUnits, QStringLiteral("speed=1000")),
					    QStringLiteral("--units"), QStringLiteral("0,1,2,3"),
					    QStringLiteral("--interval-ms"), QStringLiteral("10"),
					    QStringLiteral("--samples"), QStringLiteral("500000")},
					120000);
	const bool overflowed = outcome.errors.contains(QStringLiteral("buffer overflowed"));
	EXPECT_EQ(overflowed ? 1 : 0, outcome.status) << outcome.errors.toStdString();
	const auto reader = openRecording(path("fastest.kvr"));
	ASSERT_TRUE(reader);
	for (const Count &c : kFourUnits) {
		EXPECT_EQ(500000u, reader->sampleEnd(c.unit)) << "ID" << c.unit;
		EXPECT_EQ(0u, mismatches(*reader, c, 0, 500000, overflowed)) << "ID" << c.unit;
	}
}

// Killed at a moment of the run, the file holds an exact prefix of what was
// measured, short by at most a second of wall time (and the start-up).
TEST_F(KelvraCli, TheMemoOfALongRecordingIsInItsHeaderAndItsExports)
{
	ASSERT_EQ(0,
			run({QStringLiteral("record"), QStringLiteral("--continuous"),
					    QStringLiteral("--out"), path("m.kvr"),
					    QStringLiteral("--emulate"), QStringLiteral("id=0"),
					    QStringLiteral("--samples"), QStringLiteral("5"),
					    QStringLiteral("--memo"), QStringLiteral("hello"),
					    QStringLiteral("--memo"), QStringLiteral("試験 B")})
					.status);
	ASSERT_EQ(0, run({QStringLiteral("convert"), path("m.kvr"), path("m.vn2")}).status);
	for (const char *file : {"m.kvr", "m.vn2"}) {
		const Outcome info = run({QStringLiteral("info"), path(file)});
		EXPECT_TRUE(info.output.contains(QStringLiteral("memo 1: hello\nmemo 2: 試験 B\n")))
				<< file << ": " << info.output.toStdString();
	}
}

TEST_F(KelvraCli, AKilledRecordingOpensAsAnExactPrefix)
{
	constexpr double kSamplesPerSecond = 100.0 * 100.0; // 10 ms at speed 100
	for (const int killAfterMs : {1900, 3700}) {
		const QString file = path("killed.kvr");
		QFile::remove(file);
		QProcess process;
		QElapsedTimer clock;
		clock.start();
		start(process,
				{QStringLiteral("record"), QStringLiteral("--continuous"),
						QStringLiteral("--out"), file,
						QStringLiteral("--emulate"),
						describe({kFourUnits[0], kFourUnits[1]},
								QStringLiteral("speed=100")),
						QStringLiteral("--units"), QStringLiteral("0,1"),
						QStringLiteral("--interval-ms"),
						QStringLiteral("10")});
		ASSERT_TRUE(process.waitForStarted());
		QThread::msleep(killAfterMs);
		process.kill();
		process.waitForFinished();
		const double measuredS = clock.elapsed() / 1000.0 - 0.5; // start-up included
		const auto reader = openRecording(file);
		ASSERT_TRUE(reader) << "killed after " << killAfterMs << " ms";
		EXPECT_FALSE(reader->ended());
		for (int u = 0; u < 2; ++u) {
			const uint64_t held = reader->sampleEnd(u);
			EXPECT_GE(static_cast<double>(held), (measuredS - 1.0) * kSamplesPerSecond)
					<< "ID" << u << " killed after " << killAfterMs << " ms";
			EXPECT_EQ(held, reader->sampleCount(u)) << "no gap";
			EXPECT_EQ(0u, mismatches(*reader, kFourUnits[u], 0, held));
		}
	}
}

TEST_F(KelvraCli, AnUnpluggedUnitLeavesAGapWhileTheOtherGoesOn)
{
	locale = QStringLiteral("C.UTF-8"); // Japanese: the files do not depend on it
	const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--continuous"),
			QStringLiteral("--out"), path("unplugged.kvr"), QStringLiteral("--emulate"),
			describe({kFourUnits[0]},
					QStringLiteral("speed=10,detach_ms=1500,return_ms=1000")) +
					QLatin1Char(';') +
					describe({kFourUnits[1]}, QStringLiteral("speed=10")),
			QStringLiteral("--units"), QStringLiteral("0,1"),
			QStringLiteral("--interval-ms"), QStringLiteral("10"),
			QStringLiteral("--duration"), QStringLiteral("50s")});
	EXPECT_EQ(1, outcome.status) << "samples were lost";
	EXPECT_TRUE(outcome.errors.contains(QStringLiteral("イベント: ")))
			<< outcome.errors.toStdString();
	EXPECT_TRUE(outcome.errors.contains(QStringLiteral(" ID0 切断 ")));
	EXPECT_TRUE(outcome.errors.contains(QStringLiteral(" ID0 再接続")));
	QByteArray events[2];
	for (QByteArray &csv : events) {
		ASSERT_EQ(0,
				run({QStringLiteral("convert"), path("unplugged.kvr"),
						    path("unplugged.csv"),
						    QStringLiteral("--csv-encoding"),
						    QStringLiteral("utf-8")})
						.status);
		QFile file(path("unplugged-events.csv"));
		ASSERT_TRUE(file.open(QIODevice::ReadOnly));
		csv = file.readAll();
		locale = QStringLiteral("en_US.UTF-8");
	}
	EXPECT_EQ(events[0], events[1]) << "the export's texts are in English under either";
	EXPECT_TRUE(events[0].contains(",0,dropout,\"The unit is not open\"\r\n"))
			<< events[0].toStdString();

	const auto reader = openRecording(path("unplugged.kvr"));
	ASSERT_TRUE(reader);
	EXPECT_EQ(5000u, reader->sampleCount(1));
	EXPECT_EQ(0u, mismatches(*reader, kFourUnits[1], 0, 5000));
	const std::vector<RecordingGap> gaps = reader->gaps(0);
	ASSERT_EQ(1u, gaps.size());
	EXPECT_EQ(5000u, reader->sampleEnd(0));
	EXPECT_EQ(5000u, reader->sampleCount(0) + gaps[0].count);
	std::vector<EventKind> kinds;
	for (const RecordingEvent &event : reader->events())
		kinds.push_back(event.kind);
	EXPECT_EQ((std::vector{EventKind::Dropout, EventKind::Reconnect}), kinds);
}

// A day of measurement time at 100 ms, recorded in about 90 s.
TEST_F(KelvraCli, ADaySplitByTheHourJoinsToEverySampleOnce)
{
	const Outcome outcome =
			run({QStringLiteral("record"), QStringLiteral("--continuous"),
					    QStringLiteral("--folder"), dir.path(),
					    QStringLiteral("--emulate"),
					    describe({kFourUnits[0]}, QStringLiteral("speed=1000")),
					    QStringLiteral("--units"), QStringLiteral("0"),
					    QStringLiteral("--interval-ms"), QStringLiteral("100"),
					    QStringLiteral("--split"), QStringLiteral("1h"),
					    QStringLiteral("--duration"), QStringLiteral("1d")},
					240000);
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const QStringList parts = QDir(dir.path())
						  .entryList({QStringLiteral("kelvra-*.kvr")},
								  QDir::Files, QDir::Name);
	ASSERT_EQ(24, parts.size());
	EXPECT_TRUE(parts.front().endsWith(QStringLiteral("-001.kvr")));
	EXPECT_TRUE(parts.back().endsWith(QStringLiteral("-024.kvr")));
	for (int i = 0; i < parts.size(); i += 23) {
		const auto part = openRecording(dir.filePath(parts[i]));
		ASSERT_TRUE(part);
		EXPECT_EQ(uint64_t(i) * 36000, part->partHeaders().front().firstSample);
	}
	const auto joined = openRecording(dir.filePath(parts.front()));
	ASSERT_TRUE(joined);
	EXPECT_EQ(24, joined->files().size());
	EXPECT_EQ(864000u, joined->sampleCount(0));
	EXPECT_EQ(0u, mismatches(*joined, kFourUnits[0], 0, 864000));
}

TEST_F(KelvraCli, RepeatedTriggerCapturesAreSavedAlignedOnEveryUnit)
{
	const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--continuous"),
			QStringLiteral("--folder"), dir.path(), QStringLiteral("--emulate"),
			QStringLiteral("id=0,kind=1,signal=seq:0:0:0:0:0:0:0:0:0:500:0:0:0:0:0:0:0:0:0:0,"
				       "speed=10;id=1,kind=1,signal=seq:1:2:3:4:5:6:7:8:9:10:11:12:13:"
				       "14:15:16:17:18:19:20,speed=10"),
			QStringLiteral("--units"), QStringLiteral("0,1"),
			QStringLiteral("--interval-ms"), QStringLiteral("10"),
			QStringLiteral("--trigger-upper"), QStringLiteral("100"),
			QStringLiteral("--trigger-unit"), QStringLiteral("0"),
			QStringLiteral("--pre"), QStringLiteral("3"), QStringLiteral("--post"),
			QStringLiteral("5"), QStringLiteral("--repeat-trigger"),
			QStringLiteral("--samples"), QStringLiteral("100")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const QStringList captures =
			QDir(dir.path())
					.entryList({QStringLiteral("kelvra-*-trg-*.vn2")},
							QDir::Files, QDir::Name);
	ASSERT_GE(captures.size(), 5) << "a trigger every 20 samples";
	for (const QString &name : captures) {
		ASSERT_EQ(0,
				run({QStringLiteral("convert"), dir.filePath(name),
						    path("capture.csv")})
						.status);
		const auto rows = csvRows(path("capture.csv"));
		ASSERT_EQ(8u, rows.size()) << name.toStdString();
		EXPECT_EQ(QStringLiteral("500"), rows[3][0]) << name.toStdString();
		EXPECT_EQ(QStringLiteral("10"), rows[3][1]) << "the same moment on ID1";
	}
}

// The events of a limit check are told on standard error as they happen and
// kept in the recording, its CSV export's companion and its HDF5 export.
TEST_F(KelvraCli, LimitEventsOfALongRecordingAreKeptInItAndItsExports)
{
	const auto watching = [&](const char *file, const QStringList &more) {
		return run(QStringList{QStringLiteral("record"), QStringLiteral("--continuous"),
					   QStringLiteral("--out"), path(file),
					   QStringLiteral("--emulate"),
					   QStringLiteral("id=0,signal=seq:0:50:150:250:150:50:0"),
					   QStringLiteral("--units"), QStringLiteral("0"),
					   QStringLiteral("--interval-ms"), QStringLiteral("10"),
					   QStringLiteral("--limit"),
					   QStringLiteral("0:upper:alarm:200"),
					   QStringLiteral("--limit"),
					   QStringLiteral("0:upper:warning:100"),
					   QStringLiteral("--hysteresis"), QStringLiteral("0:60")} +
				more);
	};
	const Outcome outcome =
			watching("watched.kvr", {QStringLiteral("--samples"), QStringLiteral("7")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	EXPECT_TRUE(outcome.errors.endsWith(QStringLiteral(
			"kelvra-cli: event: 0.02 s ID0 warning upper 100 (150)\n"
			"kelvra-cli: event: 0.03 s ID0 alarm upper 200 (250)\n"
			"kelvra-cli: event: 0.05 s ID0 clear alarm upper 200 (50)\n"
			"kelvra-cli: event: 0.06 s ID0 clear warning upper 100 (0)\n"
			"kelvra-cli: the recording ended; %1 holds 7 samples per unit\n")
							    .arg(path("watched.kvr"))))
			<< outcome.errors.toStdString();
	const auto reader = openRecording(path("watched.kvr"));
	ASSERT_TRUE(reader);
	ASSERT_EQ(4u, reader->events().size());
	EXPECT_EQ(LevelEvent(0.05, 0, EventKind::Clear, EventSide::Upper, EventLevel::Alarm, 200.0f,
				  50.0f),
			reader->events()[2]);

	ASSERT_EQ(0,
			run({QStringLiteral("convert"), path("watched.kvr"), path("watched.csv"),
					    QStringLiteral("--csv-encoding"),
					    QStringLiteral("utf-8")})
					.status);
	QFile events(path("watched-events.csv"));
	ASSERT_TRUE(events.open(QIODevice::ReadOnly));
	EXPECT_EQ(QByteArray("\xEF\xBB\xBFtime_s,unit,kind,text\r\n"
			     "0.02,0,warning,\"upper 100 (150)\"\r\n"
			     "0.03,0,alarm,\"upper 200 (250)\"\r\n"
			     "0.05,0,clear,\"alarm upper 200 (50)\"\r\n"
			     "0.06,0,clear,\"warning upper 100 (0)\"\r\n"),
			events.readAll());
	ASSERT_EQ(0,
			run({QStringLiteral("convert"), path("watched.kvr"), path("watched.h5")})
					.status);
	QProcess h5;
	h5.start(QStringLiteral("/usr/bin/python3"),
			{QStringLiteral("-c"),
					QStringLiteral("import sys, h5py; f = h5py.File(sys.argv[1]); "
						       "print([(round(float(t), 2), int(u), k) for t, u, k in "
						       "zip(f['event_time'], f['event_unit'], "
						       "f['event_kind'].asstr())])"),
					path("watched.h5")});
	ASSERT_TRUE(h5.waitForFinished(30000)) << h5.errorString().toStdString();
	ASSERT_EQ(0, h5.exitCode()) << h5.readAllStandardError().toStdString();
	EXPECT_EQ("[(0.02, 0, 'warning'), (0.03, 0, 'alarm'), (0.05, 0, 'clear'), (0.06, 0, "
		  "'clear')]\n",
			h5.readAllStandardOutput().toStdString());

	const Outcome alarm = watching("alarm.kvr", {QStringLiteral("--fail-on-alarm")});
	EXPECT_EQ(3, alarm.status) << alarm.errors.toStdString();
	EXPECT_TRUE(alarm.errors.endsWith(QStringLiteral(
			"stopped at an alarm; %1 holds the 4 samples per unit up to it\n")
							  .arg(path("alarm.kvr"))))
			<< alarm.errors.toStdString();
	const auto stopped = openRecording(path("alarm.kvr"));
	ASSERT_TRUE(stopped);
	EXPECT_TRUE(stopped->ended()) << "written as at a stop";
	EXPECT_EQ(4u, stopped->sampleEnd()) << "up to the alarm's sample, not the tick's end";
	std::vector<EventKind> kinds;
	for (const RecordingEvent &event : stopped->events())
		kinds.push_back(event.kind);
	EXPECT_EQ((std::vector{EventKind::Warning, EventKind::Alarm}), kinds) << "none after it";
}

// A peak held longer than a capture makes one capture, not one for each
// time the trigger is armed again on it.
TEST_F(KelvraCli, OneExcursionMakesOneCaptureAndOneTriggerEvent)
{
	const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--continuous"),
			QStringLiteral("--folder"), dir.path(), QStringLiteral("--emulate"),
			QStringLiteral("id=0,kind=1,signal=sine:1000:2,speed=10"),
			QStringLiteral("--units"), QStringLiteral("0"),
			QStringLiteral("--interval-ms"), QStringLiteral("10"),
			QStringLiteral("--trigger-upper"), QStringLiteral("500"),
			QStringLiteral("--pre"), QStringLiteral("10"), QStringLiteral("--post"),
			QStringLiteral("20"), QStringLiteral("--repeat-trigger"),
			QStringLiteral("--samples"), QStringLiteral("3000")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const QStringList captures =
			QDir(dir.path())
					.entryList({QStringLiteral("kelvra-*-trg-*.vn2")},
							QDir::Files);
	EXPECT_EQ(15, captures.size()) << "a peak every 2 s of the 30 s";
	const QStringList recordings =
			QDir(dir.path())
					.entryList({QStringLiteral("kelvra-*[0-9].kvr")},
							QDir::Files);
	ASSERT_EQ(1, recordings.size());
	const auto reader = openRecording(dir.filePath(recordings.front()));
	ASSERT_TRUE(reader);
	std::vector<double> triggers;
	for (const RecordingEvent &event : reader->events()) {
		if (event.kind == EventKind::Trigger)
			triggers.push_back(event.timeS);
	}
	ASSERT_EQ(15u, triggers.size());
	EXPECT_NEAR(0.16, triggers.front(), 1e-9) << "sin reaches 1/2 at 1/12 of its period";
}

// A folder of its own on a small file system; needs root.
TEST_F(KelvraCli, NoRoomForAMinuteIsRefusedAndAFullDiskNamesOnlyFilesThatExist)
{
	const QString small = path("small");
	ASSERT_TRUE(QDir().mkpath(small));
	const QByteArray at = QFile::encodeName(small);
	ASSERT_EQ(0, ::mount("tmpfs", at.constData(), "tmpfs", 0, "size=64k"))
			<< "mounting a small file system needs root";
	struct Unmount {
		QByteArray at;
		~Unmount() { ::umount(at.constData()); }
	} unmount{at};
	QFile filler(small + QStringLiteral("/filler"));
	ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
	while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
	}
	filler.close();
	const QStringList arguments{QStringLiteral("record"), QStringLiteral("--continuous"),
			QStringLiteral("--folder"), small, QStringLiteral("--emulate"),
			describe({kFourUnits[0]}, QStringLiteral("speed=100")),
			QStringLiteral("--units"), QStringLiteral("0"),
			QStringLiteral("--interval-ms"), QStringLiteral("10"),
			QStringLiteral("--samples"), QStringLiteral("100000")};

	const Outcome full = run(arguments);
	EXPECT_EQ(2, full.status);
	EXPECT_TRUE(full.errors.contains(QStringLiteral("less than a minute")))
			<< full.errors.toStdString();
	EXPECT_EQ(QStringList{QStringLiteral("filler")}, QDir(small).entryList(QDir::Files));

	ASSERT_TRUE(filler.remove()); // room for about two minutes at 10 ms
	const Outcome filled = run(arguments);
	EXPECT_EQ(1, filled.status) << "samples were lost to the disk";
	EXPECT_TRUE(filled.errors.contains(QStringLiteral("lost to the disk")))
			<< filled.errors.toStdString();
	const QRegularExpression named(
			QStringLiteral("kelvra-[0-9]{8}-[0-9]{6}(-[0-9]{3})?\\.kvr"));
	int names = 0;
	for (auto match = named.globalMatch(filled.errors); match.hasNext(); ++names) {
		const QString file = match.next().captured();
		EXPECT_TRUE(QFileInfo(QDir(small).filePath(file)).size() > 0) << file.toStdString();
	}
	EXPECT_GE(names, 1) << filled.errors.toStdString();
}

// kelvra-cli record --continuous against emulated units whose clocks run fast.

#include "fakes/KelvraCliRunner.h"
#include "recording/RecordingReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

struct Sequence {
	int unit;
	std::vector<float> values;

	float at(uint64_t sample) const { return values[sample % values.size()]; }
};

const std::vector<Sequence> kFourUnits{
		{0, {1, 2, 3, 4, 5, 6, 7}}, {1, {10, 20, 30}}, {2, {5, 6}}, {3, {9, 8, 7, 6, 5}}};

QString describe(const std::vector<Sequence> &units, const QString &extra)
{
	QStringList parts;
	for (const Sequence &s : units) {
		QStringList values;
		for (float v : s.values)
			values << QString::number(v);
		parts << QStringLiteral("id=%1,kind=1,signal=seq:%2,%3")
						.arg(s.unit)
						.arg(values.join(QLatin1Char(':')), extra);
	}
	return parts.join(QLatin1Char(';'));
}

// The samples of `unit` numbered from..to-1 that differ from the sequence.
uint64_t mismatches(const RecordingReader &reader, const Sequence &s, uint64_t from, uint64_t to)
{
	const std::vector<float> got = reader.samples(s.unit, from, to);
	uint64_t wrong = 0;
	for (uint64_t k = from; k < to; ++k)
		wrong += got[k - from] != s.at(k);
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
	for (const Sequence &s : kFourUnits) {
		EXPECT_EQ(300000u, reader->sampleCount(s.unit)) << "ID" << s.unit;
		EXPECT_EQ(0u, mismatches(*reader, s, 0, 300000)) << "ID" << s.unit;
	}

	ASSERT_EQ(0, run({QStringLiteral("convert"), path("fast.kvr"), path("fast.csv")}).status);
	const auto rows = csvRows(path("fast.csv"));
	ASSERT_EQ(300000u, rows.size());
	uint64_t wrong = 0;
	for (uint64_t k = 0; k < rows.size(); ++k) {
		for (const Sequence &s : kFourUnits)
			wrong += rows[k][s.unit].toFloat() != s.at(k);
	}
	EXPECT_EQ(0u, wrong);
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
			QStringLiteral("id=0,kind=1,signal=seq:1:2:3,speed=10,detach_ms=1500,"
				       "return_ms=1000;id=1,kind=1,signal=seq:4:5,speed=10"),
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
	EXPECT_EQ(0u, mismatches(*reader, {1, {4, 5}}, 0, 5000));
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
			"kelvra-cli: event: 0.06 s ID0 clear warning upper 100 (0)\n")))
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
	h5.start(QStringLiteral("python3"),
			{QStringLiteral("-c"),
					QStringLiteral("import sys, h5py; print([(round(float(e['time']), 2), "
						       "int(e['unit']), e['kind'].decode()) for e in "
						       "h5py.File(sys.argv[1])['events']])"),
					path("watched.h5")});
	if (h5.waitForFinished(30000) && h5.exitCode() == 0) { // skipped without h5py
		EXPECT_EQ("[(0.02, 0, 'warning'), (0.03, 0, 'alarm'), (0.05, 0, 'clear'), (0.06, 0, "
			  "'clear')]\n",
				h5.readAllStandardOutput().toStdString());
	}

	const Outcome alarm = watching("alarm.kvr", {QStringLiteral("--fail-on-alarm")});
	EXPECT_EQ(3, alarm.status) << alarm.errors.toStdString();
	const auto stopped = openRecording(path("alarm.kvr"));
	ASSERT_TRUE(stopped);
	EXPECT_TRUE(stopped->ended()) << "written as at a stop";
	EXPECT_TRUE(std::any_of(stopped->events().begin(), stopped->events().end(),
			[](const RecordingEvent &e) { return e.kind == EventKind::Alarm; }));
}

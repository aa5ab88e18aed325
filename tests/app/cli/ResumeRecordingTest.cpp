// kelvra-cli record --resume against emulated units: a recording killed with
// SIGKILL goes on as its next part, its outage a gap of every unit and a
// `resumed` event, at the sample number of the clock; a recording still being
// written and one that ended are refused.

#include "fakes/KelvraCliRunner.h"
#include "recording/RecordingReader.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <signal.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

constexpr double kIntervalS = 0.1;

// The folder's one recording, once its first unit has `samples` on the disk.
QString waitForSamples(const QString &folder, uint64_t samples)
{
	QElapsedTimer waited;
	waited.start();
	while (waited.elapsed() < 30000) {
		const QStringList files = QDir(folder).entryList({QStringLiteral("*.kvr")});
		QString error;
		const auto reader = files.isEmpty()
				? nullptr
				: RecordingReader::open(
						  QDir(folder).filePath(files.first()), &error);
		if (reader && reader->sampleEnd(0) >= samples)
			return reader->files().first();
		QThread::msleep(100);
	}
	return {};
}

} // namespace

TEST_F(KelvraCli, AKilledRecordingGoesOnAfterItsOutage)
{
	locale = QStringLiteral("C.UTF-8"); // Japanese
	const QString folder = path("runs");
	ASSERT_TRUE(QDir().mkpath(folder));
	const QStringList units{QStringLiteral("--emulate"),
			QStringLiteral("id=0,signal=seq:1:2:3;id=2,kind=1,signal=seq:-5"),
			QStringLiteral("--units"), QStringLiteral("0,2"),
			QStringLiteral("--interval-ms"), QStringLiteral("100")};
	QProcess killed;
	start(killed,
			QStringList{QStringLiteral("record"), QStringLiteral("--continuous"),
					QStringLiteral("--folder"), folder,
					QStringLiteral("--memo"), QStringLiteral("週末の試験")} +
					units);
	const QString file = waitForSamples(folder, 20);
	ASSERT_FALSE(file.isEmpty()) << killed.readAllStandardError().toStdString();
	const Outcome live = run(
			QStringList{QStringLiteral("record"), QStringLiteral("--resume"), folder} +
			units);
	EXPECT_EQ(live.status, 1);
	EXPECT_TRUE(live.errors.contains(QStringLiteral("記録しているところ")))
			<< live.errors.toStdString();
	::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
	ASSERT_TRUE(killed.waitForFinished());

	QString error;
	auto before = RecordingReader::open(file, &error);
	ASSERT_TRUE(before) << error.toStdString();
	ASSERT_FALSE(before->ended());
	const std::array<uint64_t, 2> ends{before->sampleEnd(0), before->sampleEnd(2)};
	const std::array<std::vector<float>, 2> held{
			before->samples(0, 0, ends[0]), before->samples(2, 0, ends[1])};
	const QDateTime start = StartOf(before->header());
	before.reset();

	// The hook is told the resume at the recording's time.
	const QString told = path("told.txt");
	QFile hook(path("hook.sh"));
	ASSERT_TRUE(hook.open(QIODevice::WriteOnly));
	hook.write("#!/bin/sh\necho \"$KELVRA_EVENT $KELVRA_TIME\" >> \"" + told.toUtf8() + "\"\n");
	hook.close();
	hook.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

	QThread::sleep(2); // the outage
	const QDateTime resumedAt = QDateTime::currentDateTime();
	// The whole recording lasts 10 s; the settings options are the recording's.
	const Outcome resumed =
			run(QStringList{QStringLiteral("record"), QStringLiteral("--resume"),
					    folder, QStringLiteral("--duration"),
					    QStringLiteral("10s"), QStringLiteral("--on-event"),
					    hook.fileName(), QStringLiteral("--on-event-kinds"),
					    QStringLiteral("resumed")} +
					units);
	ASSERT_EQ(resumed.status, 0) << resumed.errors.toStdString();
	EXPECT_TRUE(resumed.errors.contains(QStringLiteral("--units, --interval-ms")))
			<< resumed.errors.toStdString();

	const auto joined = RecordingReader::open(file, &error);
	ASSERT_TRUE(joined) << error.toStdString();
	EXPECT_TRUE(joined->ended());
	ASSERT_EQ(joined->files().size(), 2);
	EXPECT_EQ(joined->partHeaders().back().MemoStr[0], QStringLiteral("週末の試験"));
	const auto event = std::find_if(joined->events().begin(), joined->events().end(),
			[](const RunEvent &e) { return e.kind == EventKind::Resumed; });
	ASSERT_NE(event, joined->events().end());
	const auto first = static_cast<uint64_t>(std::llround(event->timeS / kIntervalS));
	// Sample numbers are the clock's: the resumed run began after resumedAt.
	const double late = first * kIntervalS - start.msecsTo(resumedAt) / 1000.0;
	EXPECT_GE(late, -0.2);
	EXPECT_LE(late, 10.0) << "the resumed program's start, however busy the machine";
	EXPECT_NEAR(event->value, (first - std::max(ends[0], ends[1])) * kIntervalS, 1e-3);
	EXPECT_GE(event->value, 2.0);
	QFile toldFile(told);
	ASSERT_TRUE(toldFile.open(QIODevice::ReadOnly));
	EXPECT_EQ(toldFile.readAll(), "resumed " + QByteArray::number(event->timeS, 'f', 3) + "\n");
	for (int i = 0; i < 2; ++i) {
		const int unit = i * 2;
		SCOPED_TRACE(unit);
		const std::vector<RecordingGap> gaps = joined->gaps(unit);
		ASSERT_EQ(gaps.size(), 1u);
		EXPECT_EQ(gaps[0].from, ends[i]);
		EXPECT_EQ(gaps[0].count, first - ends[i]);
		const std::vector<float> kept = joined->samples(unit, 0, ends[i]);
		EXPECT_TRUE(std::equal(
				kept.begin(), kept.end(), held[i].begin(), [](float a, float b) {
					return a == b || (std::isnan(a) && std::isnan(b));
				}));
		EXPECT_EQ(joined->samples(unit, first, first + 1).front(),
				unit == 0 ? 1.0f : -5.0f);
		// The ten seconds, and at most the samples of the program's start after
		// the resume's sample number was first reckoned.
		EXPECT_GE(joined->sampleEnd(unit), 100u);
		EXPECT_LE(joined->sampleEnd(unit), 101u + static_cast<uint64_t>(late / kIntervalS));
	}

	const Outcome again = run(
			QStringList{QStringLiteral("record"), QStringLiteral("--resume"), folder} +
			units);
	EXPECT_EQ(again.status, 2);
	EXPECT_TRUE(again.errors.contains(QStringLiteral("正常に終わった記録")))
			<< again.errors.toStdString();
}

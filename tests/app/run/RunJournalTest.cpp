// The run journal: its format against damage, the rebuild of a run through
// the storing code, hours of trigger wait, the writer thread and its
// failures, and the recovery offer.

#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"
#include "fakes/RecordingRunView.h"
#include "fakes/RunRig.h"
#include "run/JournalRebuild.h"
#include "run/JournalRecovery.h"
#include "run/RunControl.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

QByteArray journalOfTicks(int ticks)
{
	ModuleData md;
	md.Channels[1].Mflag = kTrue;
	QByteArray bytes;
	AppendHeaderRecord(bytes, HeaderOfRun(md));
	for (int t = 1; t <= ticks; ++t) {
		const qsizetype begin = BeginTickRecord(bytes);
		AddTickSample(bytes, 1, static_cast<float>(t));
		AddTickSample(bytes, 1, std::nullopt);
		FinishTickRecord(bytes, begin, 2 * t);
		if (t == 2)
			AppendEventRecord(
					bytes, {0.5, 1, EventKind::Marker, QStringLiteral("荷重")});
	}
	return bytes;
}

// A run with a journal in a folder of its own; the journal is left behind
// as a killed program leaves it.
struct JournaledRun : RunRig {
	explicit JournaledRun(const QString &folder)
		: journal(std::make_unique<RunJournal>(prompt, folder))
	{
		md.InitDataArray();
		run.setRecorder(journal.get());
	}

	void use(std::initializer_list<int> units)
	{
		for (int u : units)
			md.Channels[u].Mflag = kTrue;
		md.SetRange();
		md.ClearMeasData();
	}

	void runTicks(int limit, const std::vector<RunEvent> &atStart = {})
	{
		run.startRun();
		for (const RunEvent &event : atStart)
			run.addEvent(event);
		for (int t = 0; t < limit && md.MeasFlag == kTrue; ++t)
			md.settings.TimerType == kTrue ? run.onSampleTimer() : run.onBlockTimer();
	}

	// The journal as the program left it when it ended without a save.
	JournalContent content()
	{
		const QString fileName = journal->fileName();
		run.setRecorder(nullptr);
		journal.reset();
		QFile file(fileName);
		EXPECT_TRUE(file.open(QIODevice::ReadOnly));
		return ParseJournal(file.readAll(), nullptr).value();
	}

	std::unique_ptr<RunJournal> journal;
};

void expectSameCapture(
		const ModuleData &live, const ModuleData &rebuilt, std::initializer_list<int> units)
{
	EXPECT_EQ(live.TrgPoint, rebuilt.TrgPoint);
	EXPECT_EQ(live.DataCount, rebuilt.DataCount);
	EXPECT_EQ(live.Events, rebuilt.Events);
	for (int u : units) {
		const ChannelRecord &a = live.Channels[u];
		const ChannelRecord &b = rebuilt.Channels[u];
		EXPECT_EQ(a.StartPos, b.StartPos) << "unit " << u;
		EXPECT_EQ(a.WritePos, b.WritePos) << "unit " << u;
		ASSERT_EQ(a.DataNum, b.DataNum) << "unit " << u;
		for (int32_t k = 1; k <= a.DataNum; ++k)
			ASSERT_EQ(live.SampleAt(u, k), rebuilt.SampleAt(u, k))
					<< "unit " << u << " k " << k;
	}
}

} // namespace

TEST(JournalFormat, CutInsideTheLastRecordKeepsEveryWholeRecordBefore)
{
	const QByteArray whole = journalOfTicks(4);
	const qsizetype lastBegins = journalOfTicks(3).size();
	ASSERT_EQ(4u, ParseJournal(whole, nullptr)->ticks.size());
	for (qsizetype cut = lastBegins; cut < whole.size(); ++cut) {
		const auto content = ParseJournal(whole.left(cut), nullptr);
		ASSERT_TRUE(content) << "cut at " << cut;
		ASSERT_EQ(3u, content->ticks.size()) << "cut at " << cut;
		EXPECT_EQ(3.0f, content->ticks[2].samples[0].value);
		EXPECT_FALSE(content->ticks[2].samples[1].value);
		EXPECT_TRUE(content->warning.isEmpty()) << "cut at " << cut;
		EXPECT_EQ((std::vector<RunEvent>{
					  {0.5, 1, EventKind::Marker, QStringLiteral("荷重")}}),
				content->events);
	}
}

TEST(JournalFormat, EventsKeepTheirDataAndTheTextsOfOlderJournalsStillRead)
{
	ModuleData md;
	QByteArray bytes;
	AppendHeaderRecord(bytes, HeaderOfRun(md));
	// As journals were written before events kept their data.
	QByteArray old;
	QDataStream s(&old, QIODevice::WriteOnly);
	s.setByteOrder(QDataStream::LittleEndian);
	s << 'V' << 0.5 << qint8(1) << quint8(EventKind::Alarm) << QStringLiteral("upper 2 (3)");
	QByteArray frame(12, '\0');
	const auto n = static_cast<uint32_t>(old.size());
	qToLittleEndian(n, frame.data());
	qToLittleEndian(~n, frame.data() + 4);
	qToLittleEndian(Crc32(old.constData(), old.size()), frame.data() + 8);
	bytes += frame + old;
	const RunEvent now = LevelEvent(
			0.7, 1, EventKind::Alarm, EventSide::Upper, EventLevel::Alarm, 2, 3);
	RunEvent later = now;
	later.kind = static_cast<EventKind>(99);
	AppendEventRecord(bytes, later);
	AppendEventRecord(bytes, now);
	FinishTickRecord(bytes, BeginTickRecord(bytes), 0);
	const auto content = ParseJournal(bytes, nullptr);
	ASSERT_TRUE(content);
	EXPECT_TRUE(content->warning.isEmpty()) << content->warning.toStdString();
	EXPECT_EQ((std::vector<RunEvent>{
				  {0.5, 1, EventKind::Alarm, QStringLiteral("upper 2 (3)")}, now}),
			content->events)
			<< "a kind of a later version is passed over";
}

TEST(JournalFormat, DamageBeforeTheEndStopsTheRebuildThereWithAWarning)
{
	const QByteArray whole = journalOfTicks(5);
	const qsizetype thirdTick = journalOfTicks(2).size();
	struct Case {
		const char *what;
		qsizetype at;
		char byte;
	};
	for (const Case &c : {Case{"payload", thirdTick + 16, '\x55'},
			     Case{"checksum", thirdTick + 9, '\x01'},
			     Case{"length", thirdTick + 1, '\x01'}}) {
		QByteArray damaged = whole;
		damaged[c.at] = static_cast<char>(damaged[c.at] ^ c.byte);
		const auto content = ParseJournal(damaged, nullptr);
		ASSERT_TRUE(content) << c.what;
		EXPECT_EQ(2u, content->ticks.size()) << c.what;
		EXPECT_FALSE(content->warning.isEmpty()) << c.what;
	}
	QByteArray header = whole;
	header[20] = static_cast<char>(header[20] ^ 1);
	QString error;
	EXPECT_FALSE(ParseJournal(header, &error));
	EXPECT_FALSE(error.isEmpty());
	EXPECT_FALSE(ParseJournal(QByteArray(64, '\xff'), nullptr));
	EXPECT_EQ(0xCBF43926u, Crc32("123456789", 9)); // the standard check value
}

TEST(RunJournal, RebuiltTriggerCaptureEqualsTheLiveOne)
{
	struct Case {
		int watched;
		int32_t pre;
		bool single;
	};
	for (const Case &c : {Case{0, 20, false}, Case{2, 20, false}, Case{3, 20, false},
			     Case{2, 0, false}, Case{3, 0, false}, Case{0, 3, true},
			     Case{3, 0, true}}) {
		SCOPED_TRACE(::testing::Message() << "watched " << c.watched << " pre " << c.pre
						  << " single " << c.single);
		QTemporaryDir dir;
		ModuleData rebuilt;
		{
			JournaledRun live(dir.path());
			live.md.settings.TimerType = toFlag(c.single);
			live.md.settings.IntervalTM = c.single ? 1000 : 10;
			live.md.DeriveAverageNum();
			live.md.settings.TrgMaxFlag = kTrue;
			live.md.settings.TrgVMax = 130.0f;
			live.md.settings.TrgDnum1 = c.pre;
			live.md.settings.TrgDnum2 = 50;
			live.md.settings.TrgUnitID = static_cast<int16_t>(c.watched);
			live.use({0, 2, 3});
			for (int u : {0, 2, 3})
				live.api.units[u].deliveries = {7, 7, 40, 3, 100, 11, 60, 128, 9};
			live.runTicks(1000);
			ASSERT_EQ(kTrue, live.md.TrgOn);
			RebuildRun(live.content(), rebuilt);
			expectSameCapture(live.md, rebuilt, {0, 2, 3});
		}
	}
}

TEST(RunJournal, UnwritableJournalNeverStopsTheRunAndIsToldOnce)
{
	int argc = 1;
	char name[] = "journal_tests";
	char *argv[] = {name, nullptr};
	QCoreApplication app(argc, argv); // the message is posted to the event loop
	QTemporaryDir dir;
	QFile blocker(dir.filePath(QStringLiteral("file")));
	ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
	JournaledRun run(blocker.fileName() + QStringLiteral("/journals"));
	run.journal->setEchoToStandardError(false);
	run.md.settings.IntervalTM = 10;
	run.use({0});
	run.api.units[0].deliveries = {100, 100, 100};
	run.runTicks(3);
	EXPECT_TRUE(run.prompt.shown.empty())
			<< "told once the run has started, not before its first samples";
	QCoreApplication::sendPostedEvents();
	run.run.stopRun();
	EXPECT_EQ(300, run.md.DataCount);
	EXPECT_EQ(1u, run.prompt.shown.size());

	JournalWriter full(QStringLiteral("/dev/full"));
	full.append(QByteArray(100, 'x'));
	for (int i = 0; i < 300 && !full.failed(); ++i)
		QThread::msleep(10);
	EXPECT_TRUE(full.failed());
	EXPECT_FALSE(full.error().isEmpty());
}

TEST(JournalWriter, DataReachTheDiskWithinASecondAndAtMostOnceASecond)
{
	QTemporaryDir dir;
	JournalWriter writer(dir.filePath(QStringLiteral("j")));
	std::vector<qint64> syncs{0};
	qint64 appended = 0;
	const auto start = JournalWriter::Clock::now();
	while (JournalWriter::Clock::now() - start < std::chrono::milliseconds(2500)) {
		writer.append(QByteArray(100, 'x'));
		appended += 100;
		if (writer.syncedBytes() != syncs.back())
			syncs.push_back(writer.syncedBytes());
		QThread::msleep(5);
	}
	const auto lastAppend = JournalWriter::Clock::now();
	while (writer.syncedBytes() < appended &&
			JournalWriter::Clock::now() - lastAppend < std::chrono::seconds(3))
		QThread::msleep(5);
	EXPECT_LE(JournalWriter::Clock::now() - lastAppend, std::chrono::milliseconds(1300));
	EXPECT_EQ(appended, writer.syncedBytes());
	EXPECT_LE(syncs.size(), 1u + 3u); // the first sync at once, then one a second
	EXPECT_GE(syncs.size(), 1u + 2u);
}

TEST(RecoveryOffer, OffersLeftJournalsNewestFirstAndKeepsTheChosenOne)
{
	QTemporaryDir dir;
	auto leaveRun = [&](int32_t samples) {
		JournaledRun run(dir.path());
		run.md.settings.IntervalTM = 10;
		run.use({1});
		run.api.units[1].deliveries = {samples};
		run.runTicks(1);
		return run.journal->fileName();
	};
	const QString older = leaveRun(5);
	const QString newer = leaveRun(8);
	JournaledRun running(dir.path());
	running.md.settings.IntervalTM = 10;
	running.use({2});
	running.runTicks(1);

	ModuleData md;
	md.InitDataArray();
	RecordingPrompt prompt;
	prompt.answers = {false, true};
	RunJournal journal(prompt, dir.path());
	ASSERT_TRUE(OfferRecovery(md, prompt, journal, dir.path()));

	ASSERT_EQ(2u, prompt.shown.size());
	EXPECT_EQ(QStringLiteral("前回の測定データが保存されていません。復元しますか？"),
			prompt.shown[0].text);
	EXPECT_EQ(QStringLiteral("Message"), prompt.shown[0].caption);
	EXPECT_TRUE(prompt.shown[0].question);
	EXPECT_FALSE(QFile::exists(newer));
	EXPECT_EQ(older, journal.fileName());
	EXPECT_EQ(5, md.DataCount);
	EXPECT_EQ(kTrue, md.Channels[1].Mflag);
	EXPECT_EQ(kFalse, md.Channels[2].Mflag);
	EXPECT_TRUE(QFile::exists(running.journal->fileName()));

	journal.Discard();
	EXPECT_FALSE(QFile::exists(older));
	EXPECT_FALSE(OfferRecovery(
			md, prompt, journal, dir.path())); // the running program's is never offered
}

TEST(RunJournal, HoursOfTriggerWaitKeepTheJournalSmallAndTheCaptureWhole)
{
	struct Case {
		int watched;
		int32_t pre;
	};
	for (const Case &c : {Case{0, 1000}, Case{3, 0}, Case{2, 88000 - 50}}) {
		SCOPED_TRACE(::testing::Message() << "watched " << c.watched << " pre " << c.pre);
		QTemporaryDir dir;
		JournaledRun live(dir.path());
		live.md.settings.IntervalTM = 10;
		live.md.settings.TrgMaxFlag = kTrue;
		live.md.settings.TrgVMax =
				400000.0f; // sample 400000, after about 8 MB of waiting ticks
		live.md.settings.TrgDnum1 = c.pre;
		live.md.settings.TrgDnum2 = 50;
		live.md.settings.TrgUnitID = static_cast<int16_t>(c.watched);
		live.use({0, 2, 3});
		for (int u : {0, 2, 3}) {
			for (int t = 0; t < 500; ++t)
				live.api.units[u].deliveries.insert(
						live.api.units[u].deliveries.end(),
						{128, 7, 100, 3, 128, 60, 128, 90});
		}
		live.runTicks(10000, {{0.0, -1, EventKind::Marker, QStringLiteral("start")}});
		ASSERT_EQ(kTrue, live.md.TrgOn);
		ASSERT_EQ(2u, live.md.Events.size()) << "the marker and the trigger";
		const QString fileName = live.journal->fileName();
		const JournalContent content = live.content();
		EXPECT_LT(QFileInfo(fileName).size(),
				3 * RunJournal::kWaitingBytes + 2 * 4 * 4 * qint64{c.pre});
		ASSERT_TRUE(content.ring);
		ModuleData rebuilt;
		ASSERT_TRUE(RebuildJournal(fileName, rebuilt, nullptr));
		expectSameCapture(live.md, rebuilt, {0, 2, 3});
	}
}

TEST(RunJournal, AFailedLastWriteAfterTheRunIsTold)
{
	int argc = 1;
	char name[] = "journal_tests";
	char *argv[] = {name, nullptr};
	QCoreApplication app(argc, argv); // the last writes are watched from the event loop
	QTemporaryDir dir;
	JournaledRun run(dir.path());
	run.journal->setEchoToStandardError(false);
	run.md.settings.IntervalTM = 10;
	run.use({0});
	run.runTicks(3);
	ASSERT_TRUE(run.journal->Flush());

	// The disk takes no more bytes of this file: the end of the run cannot be written.
	std::signal(SIGXFSZ, SIG_IGN);
	rlimit limit{};
	getrlimit(RLIMIT_FSIZE, &limit);
	const rlimit full{static_cast<rlim_t>(QFileInfo(run.journal->fileName()).size()),
			limit.rlim_max};
	setrlimit(RLIMIT_FSIZE, &full);
	run.run.stopRun();
	for (int i = 0; i < 300 && run.prompt.shown.empty(); ++i) {
		QThread::msleep(10);
		QCoreApplication::processEvents();
	}
	setrlimit(RLIMIT_FSIZE, &limit);
	std::signal(SIGXFSZ, SIG_DFL);

	ASSERT_EQ(1u, run.prompt.shown.size());
	EXPECT_TRUE(run.prompt.shown[0].text.startsWith(
			QStringLiteral("測定データの控えを最後まで書き込めませんでした。")))
			<< run.prompt.shown[0].text.toStdString();
	EXPECT_FALSE(run.journal->Flush());
}

TEST(RecoveryOffer, AJournalWithoutAReadableHeaderIsSetAsideOnce)
{
	QTemporaryDir dir;
	QFile broken(dir.filePath(QStringLiteral("run-20260101-000000-000-1-000.kvj")));
	ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
	broken.write(QByteArray(64, '\x5a'));
	broken.close();

	ModuleData md;
	md.InitDataArray();
	RecordingPrompt prompt;
	RunJournal journal(prompt, dir.path());
	EXPECT_FALSE(OfferRecovery(md, prompt, journal, dir.path()));
	EXPECT_FALSE(OfferRecovery(md, prompt, journal, dir.path()));

	ASSERT_EQ(1u, prompt.shown.size());
	EXPECT_FALSE(prompt.shown[0].question);
	EXPECT_TRUE(prompt.shown[0].text.contains(
			QDir::toNativeSeparators(broken.fileName() + QStringLiteral(".bad"))))
			<< prompt.shown[0].text.toStdString();
	EXPECT_FALSE(QFile::exists(broken.fileName()));
	EXPECT_TRUE(QFile::exists(broken.fileName() + QStringLiteral(".bad")));
}

#include "run/RunControl.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"
#include "fakes/RecordingRunView.h"
#include "fakes/RunRig.h"
#include "run/EventTimes.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

const QString kCaptured =
		QStringLiteral("message 設定データ数を取込みましたので測定を終了します。");

class RunControlTest : public ::testing::Test, protected RunRig {
protected:
	RunControlTest()
	{
		md.InitDataArray();
		md.SetRange();
		md.Channels[0].Mflag = kTrue;
		md.Channels[2].Mflag = kTrue;
		md.ClearMeasData();
		prompt.log = &log;
		run.clock = [] { return QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)); };
	}

	void blockRun(int intervalMs = 1000)
	{
		md.settings.TimerType = kFalse;
		md.settings.IntervalTM = intervalMs;
		md.DeriveAverageNum();
	}

	void singleRun(int intervalMs = 1000)
	{
		md.settings.TimerType = kTrue;
		md.settings.IntervalTM = intervalMs;
		md.DeriveAverageNum();
	}

	void trigger(int32_t pre, int32_t post, float level)
	{
		md.settings.TrgMaxFlag = kTrue;
		md.settings.TrgVMax = level;
		md.settings.TrgDnum1 = pre;
		md.settings.TrgDnum2 = post;
	}

	// Runs ticks until the run ends; returns how many ran.
	int tickUntilEnd(void (RunControl::*tick)(), int limit = 200000)
	{
		int ticks = 0;
		while (md.MeasFlag == kTrue && ticks++ < limit)
			(run.*tick)();
		return ticks;
	}

	bool unitsClosed() const { return !api.units[0].open && !api.units[2].open; }

	// The log from the first entry that starts with `from`.
	QStringList logFrom(const QString &from) const
	{
		for (qsizetype i = 0; i < log.size(); ++i) {
			if (log[i].startsWith(from))
				return log.mid(i);
		}
		return {};
	}
};

} // namespace

TEST(RunControlTimer1, SplitsTheIntervalIntoTimerTicks)
{
	struct Row {
		int32_t interval, timerInterval, ticks;
		Flag result;
	};
	const Row rows[] = {{400, 0, 0, kFalse}, {500, 0, 0, kFalse}, {1000, 1000, 1, kTrue},
			{1500, 2000, 1, kTrue}, {2500, 2000, 1, kTrue}, {65000, 65000, 1, kTrue},
			{66000, 6600, 10, kTrue}, {100000, 10000, 10, kTrue},
			{655000, 65500, 10, kTrue}, {656000, 6560, 100, kTrue},
			{6553000, 65530, 100, kTrue}, {6554000, 6554, 1000, kTrue}};
	for (const Row &row : rows) {
		ModuleData md;
		FakeDeviceApi api;
		RecordingPrompt prompt;
		QStringList log;
		RecordingRunView view(md, log);
		DeviceControl devices(md, api, prompt);
		RunControl run(md, devices, prompt, view);
		md.settings.IntervalTM = row.interval;
		EXPECT_EQ(row.result, run.SetTimer1Param()) << row.interval;
		EXPECT_EQ(row.timerInterval, md.Timer1Interval) << row.interval;
		EXPECT_EQ(row.ticks, md.Timer1Ticks) << row.interval;
	}
}

TEST_F(RunControlTest, StartRefusedWithoutUnitsOrWhenTheUserSaysNo)
{
	md.Channels[0].Mflag = md.Channels[2].Mflag = kFalse;
	run.startRun();
	EXPECT_EQ(kFalse, md.MeasFlag);
	EXPECT_EQ("message 使用ユニットの指定がありません。", joined(log));

	md.Channels[0].Mflag = kTrue;
	md.DataCount = 5;
	prompt.answers = {false};
	log.clear();
	run.startRun();
	EXPECT_EQ("question 測定を開始するとデータが消去されます。よろしいですか？", joined(log));
	EXPECT_EQ(5, md.DataCount) << "the data stay";
	EXPECT_TRUE(api.calls.isEmpty());
}

TEST_F(RunControlTest, BlockRunFromStartToTheFullBuffer)
{
	blockRun(1000);
	run.startRun();
	ASSERT_EQ(kTrue, md.MeasFlag);
	EXPECT_TRUE(run.timer2().isActive());
	EXPECT_EQ(300, run.timer2().interval());
	EXPECT_FALSE(run.timer1().isActive());
	EXPECT_EQ("close list, buttons measuring, suspend, draw 1, trigger line 0, graph param, "
		  "header 開始時刻 [ 2026/3/4 5:6:7 ], resume",
			joined(log));
	EXPECT_TRUE(api.calls.contains(QStringLiteral("start 2 100")));

	log.clear();
	run.blockTick();
	EXPECT_EQ("resume, values by num, follow y -1, follow x, draw 1-128", joined(log))
			<< "the first tick with data lays out the axes";
	log.clear();
	run.blockTick();
	EXPECT_EQ("values by num, follow y 0, follow x, draw 128-256", joined(log));

	tickUntilEnd(&RunControl::blockTick);
	EXPECT_EQ(kBufferLength, md.DataCount);
	EXPECT_EQ((QStringList{QStringLiteral("buttons idle"), kCaptured}), log.mid(log.size() - 2))
			<< "stop, then the message";
	EXPECT_TRUE(unitsClosed());
	EXPECT_FALSE(run.timer2().isActive());
	EXPECT_EQ(RunControl::RunEnd::Complete, run.lastEnd());
}

TEST_F(RunControlTest, BlockRunWhereAUnitIsFullBeforeTheRead)
{
	blockRun();
	run.startRun();
	md.Channels[2].DataNum = kBufferLength;
	log.clear();
	run.blockTick();
	EXPECT_EQ((QStringList{kCaptured, QStringLiteral("buttons idle")}), log)
			<< "message, then stop";
}

TEST_F(RunControlTest, FirstBlockTickWithoutSamplesDrawsNothing)
{
	blockRun();
	api.units[0].deliveries = {0};
	run.startRun();
	log.clear();
	run.blockTick();
	EXPECT_EQ("resume", joined(log));
	EXPECT_EQ(1, md.ReadTickCount);
}

TEST_F(RunControlTest, AveragedBlockRunSamplesEveryTenMilliseconds)
{
	blockRun(300);
	md.settings.DataAverage = kTrue;
	md.DeriveAverageNum();
	run.startRun();
	EXPECT_TRUE(api.calls.contains(QStringLiteral("start 0 1")));
	run.blockTick();
	EXPECT_EQ(4, md.DataCount) << "128 readings of 30 each";
	EXPECT_FLOAT_EQ(15.5f, md.Channels[0].Data[0]);
	EXPECT_EQ(8, md.AveBuf[0].AveCount);
}

TEST_F(RunControlTest, SingleRunTicksOnTimer1AndEndsAtTheLimit)
{
	singleRun(100000);
	run.startRun();
	ASSERT_TRUE(run.timer1().isActive());
	EXPECT_EQ(10000, run.timer1().interval());
	for (int i = 0; i < 9; ++i)
		run.onSampleTimer();
	EXPECT_EQ(0, md.DataCount) << "samples every tenth tick";
	run.onSampleTimer();
	EXPECT_EQ(1, md.DataCount);
	EXPECT_TRUE(logFrom(QStringLiteral("resume"))
					.join(QLatin1Char(','))
					.contains(QStringLiteral(
							"values,follow y 0,follow x,draw 1")));

	md.DataMaxNum = 3;
	run.sampleTick();
	run.sampleTick();
	log.clear();
	run.sampleTick();
	EXPECT_EQ("message 設定数のデータを入力したため測定を終了します。, buttons idle",
			joined(log));
	EXPECT_TRUE(unitsClosed());
	EXPECT_FALSE(run.timer1().isActive());
}

TEST_F(RunControlTest, TimerSplitErrorLeavesTheRunIdleAndUnitsClosed)
{
	singleRun(500);
	md.DataCount = 3;
	run.startRun();
	EXPECT_EQ(kFalse, md.MeasFlag);
	EXPECT_EQ(0, md.DataCount) << "the data were already cleared";
	EXPECT_EQ((QStringList{QStringLiteral("message タイマー設定エラーのため測定開始できません。"),
				  QStringLiteral("buttons idle")}),
			log.mid(log.size() - 2));
	EXPECT_TRUE(unitsClosed());
}

TEST_F(RunControlTest, UnitStartFailureEndsTheRun)
{
	blockRun();
	api.units[2].startCodes = {9};
	run.startRun();
	EXPECT_EQ(kFalse, md.MeasFlag);
	EXPECT_EQ((QStringList{QStringLiteral("message USB通信エラー"),
				  QStringLiteral("message エラーのため測定開始できません。"),
				  QStringLiteral("buttons idle")}),
			log.mid(log.size() - 3));
	EXPECT_TRUE(unitsClosed());
	EXPECT_EQ(RunControl::RunEnd::StartFailed, run.lastEnd());
}

TEST_F(RunControlTest, GraphSetUpFailureDoesNotLeaveARunning)
{
	blockRun();
	view.graphParamResult = kFalse;
	run.startRun();
	EXPECT_EQ(kFalse, md.MeasFlag);
	EXPECT_TRUE(unitsClosed());
	EXPECT_FALSE(run.timer2().isActive());
}

TEST_F(RunControlTest, DeviceErrorsStopEveryPath)
{
	struct Path {
		bool single;
		bool withTrigger;
	};
	for (const Path path : {Path{false, false}, Path{false, true}, Path{true, false},
			     Path{true, true}}) {
		SCOPED_TRACE(::testing::Message()
				<< "single " << path.single << " trigger " << path.withTrigger);
		md.settings.TrgMaxFlag = toFlag(path.withTrigger);
		path.single ? singleRun() : blockRun();
		api.units[0].blockCodes = {9};
		api.units[2].singleCodes = {9};
		run.startRun();
		ASSERT_EQ(kTrue, md.MeasFlag);
		run.onSampleTimer();
		run.onBlockTimer();
		EXPECT_EQ(kFalse, md.MeasFlag);
		EXPECT_EQ(RunControl::RunEnd::DeviceError, run.lastEnd());
		EXPECT_TRUE(unitsClosed());
		EXPECT_EQ(QStringLiteral("message USB通信エラー"), log.at(log.size() - 2));
		api.units[0].blockCodes.clear();
		api.units[2].singleCodes.clear();
	}
}

TEST_F(RunControlTest, TriggerBlockRunCapturesAndStops)
{
	blockRun();
	trigger(100, 200, 1000.0f);
	run.startRun();
	EXPECT_EQ(kTrue, md.TrgMode);
	EXPECT_EQ(300, md.DataMaxNum);
	EXPECT_TRUE(log.contains(QStringLiteral("header トリガ待ち...")));

	for (int i = 0; i < 7; ++i)
		run.triggerBlockTick();
	EXPECT_EQ(kFalse, md.TrgOn);
	EXPECT_EQ(0, md.ReadTickCount) << "not advanced while waiting";
	log.clear();
	run.triggerBlockTick(); // samples 897..1024 hold 1000
	ASSERT_EQ(kTrue, md.TrgOn);
	EXPECT_EQ("resume, follow y 0, draw 1-125, trigger line -1, values by num", joined(log))
			<< "redraw is resumed on every tick until the first after the trigger";
	EXPECT_EQ(kFalse, md.TrgFirst);
	EXPECT_EQ((std::vector<RunEvent>{LevelEvent(999 * md.settings.IntervalTM / 1000.0,
				  md.settings.TrgUnitID, EventKind::Trigger, EventSide::Upper,
				  EventLevel::None, 1000.0f, 1000.0f)}),
			md.Events)
			<< "the trigger moment is an event at sample 1000 of the run, which holds 1000";
	EXPECT_EQ(101, SampleOfTime(md, md.Events[0].timeS))
			<< "the window's sample after the 100 before";
	EXPECT_EQ(0.0, GraphX(md, md.Events[0].timeS)) << "where the trigger line is drawn";
	log.clear();
	run.triggerBlockTick();
	EXPECT_EQ("follow y -1, follow x, draw 125-253, values by num", joined(log))
			<< "a steady tick after the trigger draws from the smallest count before its read";

	tickUntilEnd(&RunControl::triggerBlockTick);
	EXPECT_EQ(300, md.DataCount);
	EXPECT_EQ((QStringList{QStringLiteral("buttons idle"), kCaptured}),
			log.mid(log.size() - 2));
	EXPECT_FLOAT_EQ(1000.0f, md.SampleAt(2, 101))
			<< "the trigger sample follows the 100 before it";
	EXPECT_TRUE(unitsClosed());
}

TEST_F(RunControlTest, TriggerSingleRunAveragedCaptures)
{
	singleRun();
	md.settings.DataAverage = kTrue;
	md.DeriveAverageNum(); // 100 readings per sample
	trigger(2, 3, 450.0f);
	run.startRun();
	for (int ticks = 0; md.TrgOn != kTrue && ticks < 10; ++ticks) {
		log.clear();
		run.triggerSampleTick();
	}
	EXPECT_EQ("resume, values trg, follow y 0, draw 1-3, trigger line -1", joined(log))
			<< "the trigger tick";
	log.clear();
	run.triggerSampleTick();
	EXPECT_EQ("values trg, follow y -1, follow x, draw 4", joined(log)) << "the tick after it";
	tickUntilEnd(&RunControl::triggerSampleTick);
	EXPECT_EQ(5, md.DataCount);
	EXPECT_FLOAT_EQ(450.5f, md.SampleAt(0, 3)) << "mean of readings 401..500";
	EXPECT_FLOAT_EQ(450.5f, md.SampleAt(2, 3));
	EXPECT_EQ(kCaptured, log.last());
}

TEST_F(RunControlTest, StopAfterTheTriggerBlanksTheTime)
{
	blockRun();
	trigger(0, 50000, 1.0f);
	run.startRun();
	run.triggerBlockTick();
	ASSERT_EQ(kTrue, md.TrgOn);
	log.clear();
	run.stopRun();
	const QString blanks(19, QLatin1Char(' '));
	EXPECT_EQ(QStringLiteral("header トリガ時刻 [ ") + blanks + QStringLiteral(" ]"),
			log.at(0));
	EXPECT_EQ(QStringLiteral("x title トリガの経過時間（秒）"), log.at(1));
	EXPECT_EQ(blanks, md.StartTimeStr);
	EXPECT_EQ(RunControl::RunEnd::Stopped, run.lastEnd());
	EXPECT_TRUE(unitsClosed());
}

TEST_F(RunControlTest, ATickArrivingDuringAMessageIsDropped)
{
	blockRun();
	api.units[0].blockCodes = {9};
	run.startRun();
	int nested = 0;
	prompt.whileShown = [&] {
		++nested;
		run.onBlockTimer(); // what a modal box's event loop could deliver
	};
	run.onBlockTimer();
	EXPECT_EQ(1u, api.units[0].asked.size()) << "the nested tick read nothing";
	EXPECT_GE(nested, 1);
}

namespace {

// Counts what a run hands its recorder.
struct CountingRecorder : RunRecorder {
	std::array<int64_t, kUnitCount> values{}, missing{};
	std::array<float, kUnitCount> last{};
	std::vector<RunEvent> events;

	void runStarted(const ModuleData &) override {}
	void tickDone(const ModuleData &) override {}
	void runEnded(const ModuleData &) override {}
	void sampleStored(int unit, std::optional<float> value) override
	{
		if (value)
			last[unit] = *value;
		(value ? values : missing)[unit] += 1;
	}
	void eventHappened(const ModuleData &, const RunEvent &event) override
	{
		events.push_back(event);
	}
};

} // namespace

TEST_F(RunControlTest, ALongRunRollsItsBuffersAndHandsOnEverySampleOnce)
{
	blockRun(10);
	CountingRecorder recorder;
	run.setRecorder(&recorder);
	run.setLongRun(true);
	run.startRun();
	for (int tick = 0; tick < 20; ++tick)
		run.longRecordingTick();
	ASSERT_EQ(kTrue, md.MeasFlag) << "a long run has no end of its own";
	const int64_t taken = 20 * LongRunReader::kMaxBlocksPerTick * VARNELIO_MAX_BLOCK;
	EXPECT_EQ(taken, md.DataOffset + md.DataCount) << "units pile up full blocks";
	EXPECT_GT(md.DataOffset, 0);
	for (int u : {0, 2}) {
		EXPECT_EQ(taken, recorder.values[u]);
		EXPECT_EQ(recorder.last[u], md.Channels[u].Data[md.Channels[u].DataNum - 1])
				<< "the buffers end with the newest sample";
	}

	api.units[2].blockCodes = {9};
	run.longRecordingTick();
	run.longRecordingTick();
	EXPECT_EQ(kTrue, md.MeasFlag) << "a lost unit does not end the run";
	ASSERT_EQ(1u, recorder.events.size());
	EXPECT_EQ(EventKind::Dropout, recorder.events[0].kind);
	EXPECT_EQ(2, recorder.events[0].unit);
	EXPECT_EQ(UnitLostEvent(recorder.events[0].timeS, 2, 9), recorder.events[0])
			<< "the unit's answer, told in the reader's language";
	EXPECT_EQ(recorder.values[0], recorder.values[2] + recorder.missing[2])
			<< "its samples are missing while the other unit goes on";
	EXPECT_TRUE(log.filter(QStringLiteral("message")).isEmpty()) << "no box in the tick";
	run.stopRun();
}

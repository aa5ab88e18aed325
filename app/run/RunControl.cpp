#include "RunControl.h"

namespace kelvra {

namespace {

const char *const kSamplesTakenText = QT_TRANSLATE_NOOP(
		"kelvra::RunControl", "設定数のデータを入力したため測定を終了します。");
const char *const kCapturedText = QT_TRANSLATE_NOOP(
		"kelvra::RunControl", "設定データ数を取込みましたので測定を終了します。");
const QString kBlankTime = QString(19, QLatin1Char(' '));

} // namespace

RunControl::RunControl(ModuleData &md, DeviceControl &devices, Prompt &prompt, RunView &view,
		QObject *parent)
	: QObject(parent), md_(md), devices_(devices), prompt_(prompt), view_(view),
	  reader_(md, devices), trigger_(md, devices), longReader_(md, devices)
{
	longReader_.onEvent = [this](const RunEvent &event) { addEvent(event); };
	Timer2.setInterval(kTimer2Interval);
	connect(&Timer1, &QTimer::timeout, this, &RunControl::onSampleTimer);
	connect(&Timer2, &QTimer::timeout, this, &RunControl::onBlockTimer);
}

void RunControl::setRecorder(RunRecorder *recorder)
{
	recorder_ = recorder;
	reader_.setSink(recorder);
	trigger_.setSink(recorder);
	longReader_.setSink(recorder);
}

void RunControl::addEvent(const RunEvent &event)
{
	md_.Events.push_back(event);
	if (recorder_ && recording_)
		recorder_->eventHappened(md_, event);
	Q_EMIT eventAdded(event);
}

void RunControl::startRun()
{
	if (md_.DataCount >= 1 &&
			!prompt_.askYesNo(
					tr("測定を開始するとデータが消去されます。よろしいですか？"),
					kMessageTitle))
		return;
	if (devices_.OpenUnits() > 0)
		return;

	view_.CloseDataList();
	md_.ClearMeasData();
	md_.ClearMemo();
	if (!longRun_ && (md_.settings.TrgMaxFlag == kTrue || md_.settings.TrgMinFlag == kTrue)) {
		md_.TrgMode = kTrue;
		md_.DataMaxNum = md_.settings.TrgDnum2 + md_.settings.TrgDnum1;
	} else {
		md_.TrgMode = kFalse;
	}
	md_.MeasFlag = kTrue;
	lastEnd_ = RunEnd::None;
	view_.SetButtonState();

	view_.SuspendRedraw();
	view_.GrDrawData(1);
	view_.DrawTrigLine(kFalse);
	if (view_.SetGraphParam() != kTrue) {
		// Never leave a run without a timer: the units are closed again.
		view_.ResumeRedraw();
		endRun(RunEnd::StartFailed);
		return;
	}
	md_.StartTimeStr = clock().toString(QStringLiteral("yyyy/M/d H:m:s"));
	view_.SetHeaderText(md_.TrgMode == kTrue ? tr("トリガ待ち...")
						 : tr("開始時刻 [ ") + md_.StartTimeStr +
							QStringLiteral(" ]"));
	view_.ResumeRedraw();
	recording_ = true;
	if (recorder_)
		recorder_->runStarted(md_);
	Q_EMIT runStarted();
	startSampling();
}

void RunControl::startSampling()
{
	runClock_.start();
	reader_.clearLost();
	longReader_.start(0);
	if (md_.settings.TimerType == kTrue) {
		if (SetTimer1Param() == kTrue) {
			Timer1.setInterval(md_.Timer1Interval);
			md_.Timer1Count = 0;
			Timer1.start();
		} else {
			prompt_.message(tr("タイマー設定エラーのため測定開始できません。"),
					kMessageTitle, Prompt::Icon::None);
			endRun(RunEnd::StartFailed);
		}
		return;
	}
	const auto period = static_cast<int16_t>(md_.settings.DataAverage != kFalse
					? 1
					: roundHalfEven(md_.settings.IntervalTM / 10.0));
	if (devices_.StartUnits(period) != 0) {
		prompt_.message(tr("エラーのため測定開始できません。"), kMessageTitle,
				Prompt::Icon::None);
		endRun(RunEnd::StartFailed);
		return;
	}
	longReader_.start(period);
	Timer2.start();
}

Flag RunControl::SetTimer1Param()
{
	const int32_t s = roundHalfEven(md_.settings.IntervalTM / 1000.0);
	struct Split {
		int32_t upTo;
		int32_t msPerSecond;
		int32_t ticks;
	};
	static constexpr Split splits[] = {{65, 1000, 1}, {655, 100, 10}, {6553, 10, 100}};
	if (s < 1) {
		md_.Timer1Interval = 0;
		md_.Timer1Ticks = 0;
		return kFalse;
	}
	for (const Split &split : splits) {
		if (s <= split.upTo) {
			md_.Timer1Interval = s * split.msPerSecond;
			md_.Timer1Ticks = split.ticks;
			return kTrue;
		}
	}
	md_.Timer1Interval = s;
	md_.Timer1Ticks = 1000;
	return kTrue;
}

void RunControl::stopSampling()
{
	if (md_.settings.TimerType == kTrue)
		Timer1.stop();
	else
		Timer2.stop();
	devices_.CloseUnits();
	md_.MeasFlag = kFalse;
	view_.SetButtonState();
}

void RunControl::endRun(RunEnd reason)
{
	stopSampling();
	lastEnd_ = reason;
	if (recorder_)
		recorder_->runEnded(md_);
	recording_ = false;
	Q_EMIT runEnded();
}

void RunControl::stopRun()
{
	if (md_.MeasFlag != kTrue)
		return;
	if (md_.TrgMode == kTrue && md_.TrgOn == kTrue) {
		md_.StartTimeStr = kBlankTime;
		view_.SetTriggerStopTitles(
				tr("トリガ時刻 [ ") + md_.StartTimeStr + QStringLiteral(" ]"),
				tr("トリガの経過時間（秒）"));
	}
	endRun(RunEnd::Stopped);
}

void RunControl::stopThenTell(const QString &text)
{
	endRun(RunEnd::Complete);
	prompt_.message(text, kMessageTitle, Prompt::Icon::None);
}

void RunControl::tellThenStop(const QString &text)
{
	prompt_.message(text, kMessageTitle, Prompt::Icon::None);
	endRun(RunEnd::Complete);
}

// A message box inside a tick runs a nested event loop; a timer tick that
// arrives meanwhile is dropped rather than run inside the first.
void RunControl::runTick(void (RunControl::*tick)())
{
	if (inTick_ || md_.MeasFlag != kTrue)
		return;
	inTick_ = true;
	(this->*tick)();
	inTick_ = false;
	if (recorder_)
		recorder_->tickDone(md_);
	Q_EMIT tickDone();
}

void RunControl::onSampleTimer()
{
	md_.Timer1Count += 1;
	if (md_.Timer1Count < md_.Timer1Ticks)
		return;
	runTick(longRun_                                        ? &RunControl::longRecordingTick
					: md_.TrgMode != kFalse ? &RunControl::triggerSampleTick
								: &RunControl::sampleTick);
	md_.Timer1Count = 0;
}

void RunControl::onBlockTimer()
{
	runTick(longRun_                                        ? &RunControl::longRecordingTick
					: md_.TrgMode != kFalse ? &RunControl::triggerBlockTick
								: &RunControl::blockTick);
}

void RunControl::longRecordingTick()
{
	if (md_.ReadTickCount < 1)
		view_.ResumeRedraw();
	const int64_t now = runClock_.elapsed();
	const LongRunReader::Tick tick = md_.settings.TimerType == kTrue
			? longReader_.readSingles(now)
			: longReader_.readBlocks(md_.settings.DataAverage != kFalse, now);
	if (md_.DataCount > 0) {
		md_.AddAllMaxMin();
		view_.ShowCurrentValuesByNum();
		view_.FollowAxisY(md_.ReadTickCount == 0 || tick.rolled ? kFalse : kTrue);
		view_.FollowAxisX();
		const int32_t first = std::max(tick.firstNew - 1, 1);
		if (tick.rolled || first < md_.DataCount)
			view_.GrDrawData2(first, md_.DataCount);
	}
	md_.ReadTickCount += 1;
}

void RunControl::sampleTick()
{
	if (md_.DataCount >= md_.DataMaxNum) {
		tellThenStop(tr(kSamplesTakenText));
		return;
	}
	if (md_.DataCount < 1)
		view_.ResumeRedraw();
	if (md_.MeasFlag == kTrue && !reader_.GetMeasSingleData()) {
		endRun(RunEnd::DeviceError);
		return;
	}
	md_.DataCount += 1;
	md_.SetMaxMin(md_.DataCount);
	md_.SetAllMaxMin();
	if (md_.MeasFlag == kTrue)
		view_.ShowCurrentValues();
	view_.FollowAxisY(md_.DataCount == 1 ? kFalse : kTrue);
	view_.FollowAxisX();
	view_.GrDrawData(md_.DataCount);
}

void RunControl::triggerSampleTick()
{
	if (md_.DataCount >= md_.DataMaxNum) {
		tellThenStop(tr(kSamplesTakenText));
		return;
	}
	if (md_.DataCount < 1)
		view_.ResumeRedraw();
	if (md_.MeasFlag == kTrue && trigger_.GetTrgSingleData() != kTrue) {
		endRun(RunEnd::DeviceError);
		return;
	}
	if (md_.TrgOn != kTrue)
		return;
	const int32_t n = md_.DataCount;
	view_.ShowCurrentValuesTrg();
	if (md_.TrgFirst == kTrue) {
		drawWholeWindow();
	} else {
		followCapture();
		view_.GrDrawData(n);
	}
	if (trigger_.CheckTrgEnd() == kTrue)
		stopThenTell(tr(kCapturedText));
}

// The tick on which the trigger fired: the whole window with the trigger line.
void RunControl::drawWholeWindow()
{
	trigger_.CalcTrgMaxMin();
	view_.FollowAxisY(kFalse);
	view_.GrDrawData2(1, md_.DataCount);
	view_.DrawTrigLine(kTrue);
	md_.TrgFirst = kFalse;
	addTriggerEvent();
}

void RunControl::addTriggerEvent()
{
	addEvent(TriggerEventOf(md_, trigger_.triggerSample(), trigger_.triggerValue()));
}

void RunControl::followCapture()
{
	trigger_.SetTrgMaxMin();
	md_.AddAllMaxMin();
	view_.FollowAxisY(kTrue);
	view_.FollowAxisX();
}

void RunControl::blockTick()
{
	if (!md_.CheckDataMax()) {
		tellThenStop(tr(kCapturedText));
		return;
	}
	if (md_.ReadTickCount < 1)
		view_.ResumeRedraw();
	int32_t n = 0;
	if (md_.MeasFlag == kTrue) {
		n = md_.SetDataMinCounter();
		const bool ok = md_.settings.DataAverage != kFalse ? reader_.ReadBlockAveData()
								   : reader_.ReadBlockData();
		if (!ok) {
			endRun(RunEnd::DeviceError);
			return;
		}
	}
	if (md_.DataCount > 0) {
		md_.AddAllMaxMin();
		if (md_.MeasFlag == kTrue)
			view_.ShowCurrentValuesByNum();
		view_.FollowAxisY(md_.ReadTickCount == 1 ? kFalse : kTrue);
		view_.FollowAxisX();
		n = std::max(n, 1);
		if (n != md_.DataCount)
			view_.GrDrawData2(n, md_.DataCount);
	}
	md_.ReadTickCount += 1;
	if (md_.DataCount >= md_.DataMaxNum)
		stopThenTell(tr(kCapturedText));
}

void RunControl::triggerBlockTick()
{
	if (md_.ReadTickCount < 1)
		view_.ResumeRedraw();
	int32_t n = 0;
	if (md_.MeasFlag == kTrue) {
		n = md_.SetDataMinCounter();
		const Flag ok = md_.settings.DataAverage != kFalse ? trigger_.GetTrgBlockAveData()
								   : trigger_.GetTrgBlockData();
		if (ok != kTrue) {
			endRun(RunEnd::DeviceError);
			return;
		}
	}
	if (md_.TrgOn != kTrue)
		return;
	if (md_.TrgFirst == kTrue) {
		drawWholeWindow();
	} else {
		followCapture();
		n = std::max(n, 1);
		if (n != md_.DataCount)
			view_.GrDrawData2(n, md_.DataCount);
	}
	view_.ShowCurrentValuesByNum();
	md_.ReadTickCount += 1;
	if (trigger_.CheckTrgEnd() == kTrue)
		stopThenTell(tr(kCapturedText));
}

} // namespace kelvra

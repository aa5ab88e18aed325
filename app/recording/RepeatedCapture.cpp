#include "RepeatedCapture.h"

#include "core/RunClock.h"
#include "core/RunSettings.h"
#include "files/MeasurementFiles.h"

#include <QDir>

namespace kelvra {

RepeatedCapture::RepeatedCapture(QString folder) : folder_(std::move(folder))
{
	capture_.InitDataArray();
}

void RepeatedCapture::runStarted(const ModuleData &md)
{
	ApplyRunSettings(SettingsOfRun(md), capture_);
	capture_.AverageNum = md.AverageNum;
	capture_.RangeMax = md.RangeMax;
	capture_.RangeMin = md.RangeMin;
	start_ = StartTimeOf(md.StartTimeStr);
	baseName_ = QStringLiteral("kelvra-") + start_.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
			QStringLiteral("-trg");
	taken_.fill(0);
	received_.fill(0);
	for (auto &values : pending_)
		values.clear();
	saved_ = 0;
	arm();
	awaitingReturn_ = false;
}

void RepeatedCapture::arm()
{
	capture_.ClearMeasData();
	capture_.TrgMode = kTrue;
	capture_.DataMaxNum = capture_.settings.TrgDnum2 + capture_.settings.TrgDnum1;
}

void RepeatedCapture::setSampleLimit(uint64_t samples)
{
	sampleLimit_ = samples;
	for (int u = 0; u < kUnitCount && samples > 0; ++u) {
		for (; received_[u] > samples && !pending_[u].empty(); --received_[u])
			pending_[u].pop_back();
	}
}

void RepeatedCapture::sampleStored(int unit, std::optional<float> value)
{
	if (sampleLimit_ > 0 && received_[unit] >= sampleLimit_)
		return;
	received_[unit] += 1;
	pending_[unit].push_back(value);
}

// Sample number n of every unit goes into the rings before number n + 1 of
// any, so that a capture ends, and the next one is armed, at the same
// moment on every unit.
void RepeatedCapture::tickDone(const ModuleData &md)
{
	(void)md;
	while (rowComplete()) {
		for (int u = 0; u < kUnitCount; ++u) {
			if (capture_.Channels[u].inUse())
				offer(u);
		}
		capture_.DataCount = capture_.TrgOn == kTrue ? capture_.SetDataMaxCounter() : 0;
		if (rings_.CheckTrgEnd() == kTrue) {
			save();
			if (onTrigger)
				onTrigger(TriggerEventOf(capture_, triggerSample_ + 1,
						rings_.triggerValue()));
			arm();
			awaitingReturn_ = true;
		}
	}
}

bool RepeatedCapture::rowComplete() const
{
	bool any = false;
	for (int u = 0; u < kUnitCount; ++u) {
		if (!capture_.Channels[u].inUse())
			continue;
		if (pending_[u].empty())
			return false;
		any = true;
	}
	return any;
}

void RepeatedCapture::offer(int unit)
{
	const std::optional<float> value = pending_[unit].front();
	pending_[unit].pop_front();
	const int64_t number = taken_[unit]++;
	if (capture_.Channels[unit].EndFlag != kFalse)
		return;
	if (awaitingReturn_ && value && unit == capture_.settings.TrgUnitID)
		awaitingReturn_ = pastLevel(*value);
	if (awaitingReturn_) {
		// Into the ring as before, but not checked: the trigger cannot fire yet.
		if (rings_.StoreRingSample(unit, value) == kTrue)
			rings_.TrgPreCount(unit);
		return;
	}
	const bool waiting = capture_.TrgOn != kTrue;
	rings_.storeAndCheck(unit, value);
	if (waiting && capture_.TrgOn == kTrue)
		triggerSample_ = number;
}

bool RepeatedCapture::pastLevel(float value) const
{
	return (capture_.settings.TrgMaxFlag == kTrue && value >= capture_.settings.TrgVMax) ||
			(capture_.settings.TrgMinFlag == kTrue &&
					value <= capture_.settings.TrgVMin);
}

void RepeatedCapture::save()
{
	rings_.CalcTrgMaxMin();
	const auto msecs =
			static_cast<qint64>(triggerSample_ * int64_t{capture_.settings.IntervalTM});
	capture_.StartTimeStr = StartTimeText(start_.addMSecs(msecs));
	saved_ += 1;
	const QString file = QDir(folder_).filePath(
			baseName_ + QStringLiteral("-%1.vn2").arg(saved_, 3, 10, QLatin1Char('0')));
	const FileResult result = SaveFileOfType(capture_, file, FileType::Dedicated);
	if (result.ok && onSaved)
		onSaved(file);
	else if (!result.ok && onFailed)
		onFailed(QStringLiteral("%1: %2").arg(file, result.error));
}

void RepeatedCapture::runEnded(const ModuleData &md)
{
	(void)md;
}

} // namespace kelvra

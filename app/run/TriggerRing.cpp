#include "TriggerRing.h"

#include "core/NumberText.h"

#include <algorithm>

namespace kelvra {

namespace {

int32_t nextSlot(int32_t slot)
{
	return slot >= kBufferLength - 1 ? 0 : slot + 1;
}

int32_t wrapSlot(int64_t slot)
{
	const int64_t wrapped = slot % kBufferLength;
	return static_cast<int32_t>(wrapped < 0 ? wrapped + kBufferLength : wrapped);
}

} // namespace

TriggerRing::TriggerRing(ModuleData &md) : md_(md) {}

Flag TriggerRing::AdvanceRing(int unit)
{
	ChannelRecord &channel = md_.Channels[unit];
	if (md_.TrgOn == kFalse && channel.StartPos == 0 && channel.DataNum == 0) {
		channel.WritePos = 0; // the first sample of the run
		return kTrue;
	}
	const int32_t p = nextSlot(channel.WritePos);
	// After the trigger a unit whose window holds nothing yet is only now
	// reaching the window's first slot; that is not a full ring.
	const bool ringFull = p == channel.StartPos && (md_.TrgOn == kFalse || channel.DataNum > 0);
	if (ringFull) {
		if (md_.TrgOn == kTrue) {
			channel.EndFlag = kTrue; // nothing is overwritten after the trigger
			return kFalse;
		}
		channel.StartPos = nextSlot(channel.StartPos);
	}
	channel.WritePos = p;
	return kTrue;
}

Flag TriggerRing::StoreRingSample(int unit, std::optional<double> value)
{
	if (AdvanceRing(unit) != kTrue)
		return kFalse;
	ChannelRecord &channel = md_.Channels[unit];
	channel.Data[channel.WritePos] = value ? static_cast<float>(*value) : kNoData;
	if (md_.TrgOn == kFalse) {
		channel.DataNum += 1;
		return kTrue;
	}
	if (channel.DataNum == 0) {
		if (channel.WritePos != channel.StartPos)
			return kTrue; // still before the window
		channel.DataNum = 1;
	} else {
		channel.DataNum += 1;
	}
	if (channel.DataNum >= md_.DataMaxNum)
		channel.EndFlag = kTrue;
	return kTrue;
}

void TriggerRing::TrgPreCount(int unit)
{
	ChannelRecord &channel = md_.Channels[unit];
	if (md_.TrgOn != kFalse)
		return;
	if (channel.DataNum > md_.settings.TrgDnum1)
		channel.StartPos = nextSlot(channel.StartPos);
}

void TriggerRing::TrgCheck(int unit)
{
	if (unit != md_.settings.TrgUnitID || md_.TrgOn != kFalse)
		return;
	const ChannelRecord &channel = md_.Channels[unit];
	if (md_.settings.TrgDnum1 > 0 && channel.DataNum <= md_.settings.TrgDnum1)
		return; // the full pre-trigger window does not exist yet
	const float v = channel.Data[channel.WritePos];
	const bool fires = (md_.settings.TrgMaxFlag == kTrue && v >= md_.settings.TrgVMax) ||
			(md_.settings.TrgMinFlag == kTrue && v <= md_.settings.TrgVMin);
	if (!fires)
		return;
	md_.TrgOn = kTrue;
	md_.TrgPoint = channel.WritePos;
	triggerSample_ = channel.DataNum;
	triggerValue_ = v;
	SetTrgWindow();
	md_.TrgFirst = kTrue;
}

// Every unit stores one sample per period into the next slot from slot 0 on,
// so sample g of the run (from 1) is in slot g - 1 (mod 88000) on every unit.
// Before the trigger DataNum counts every sample stored, so each unit's share
// of the window follows from its count, whichever side of the watched unit it
// was read on.
void TriggerRing::SetTrgWindow()
{
	const int32_t pre = std::max(md_.settings.TrgDnum1, 0);
	const int64_t triggerSample = md_.Channels[md_.settings.TrgUnitID].DataNum;
	const int64_t firstSample = triggerSample - pre;
	const int32_t start = wrapSlot(static_cast<int64_t>(md_.TrgPoint) - pre);
	const int32_t windowMax = std::min(md_.DataMaxNum, kBufferLength);

	for (auto &channel : md_.Channels) {
		if (!channel.inUse())
			continue;
		const int64_t stored = channel.DataNum;
		const int64_t held = stored - firstSample + 1;
		channel.StartPos = start;
		if (held <= 0) {
			// Not yet at the window: it counts from the window's first slot on.
			channel.DataNum = 0;
			channel.WritePos = wrapSlot(stored - 1);
		} else if (held >= windowMax) {
			channel.DataNum = windowMax; // its block ran past the window's end
			channel.EndFlag = kTrue;
		} else {
			channel.DataNum = static_cast<int32_t>(held);
		}
	}
}

Flag TriggerRing::CheckTrgEnd() const
{
	if (md_.TrgOn != kTrue)
		return kFalse;
	const bool running = std::any_of(
			md_.Channels.begin(), md_.Channels.end(), [](const ChannelRecord &channel) {
				return channel.inUse() && channel.EndFlag == kFalse;
			});
	return toFlag(!running);
}

void TriggerRing::SetTrgMaxMin()
{
	for (auto &channel : md_.Channels) {
		if (!channel.inUse())
			continue;
		channel.foldExtremes(channel.Data[channel.WritePos], false);
	}
}

void TriggerRing::CalcTrgMaxMin()
{
	bool first = true;
	for (int u = 0; u < kUnitCount; ++u) {
		ChannelRecord &channel = md_.Channels[u];
		if (!channel.inUse())
			continue;
		for (int32_t k = 1; k <= channel.DataNum; ++k)
			channel.foldExtremes(channel.Data[RingIndex(u, k)], k == 1);
		md_.foldAllExtremes(channel, first);
		first = false;
	}
}

bool TriggerRing::storeAndCheck(int unit, std::optional<float> value)
{
	if (sink_)
		sink_->sampleStored(unit, value);
	if (StoreRingSample(unit, value) != kTrue)
		return false;
	if (value)
		TrgCheck(unit); // a sample without a value never fires the trigger
	TrgPreCount(unit);
	return true;
}

RunEvent TriggerEventOf(const ModuleData &md, int64_t sample, float value)
{
	const bool upper = md.settings.TrgMaxFlag == kTrue && value >= md.settings.TrgVMax;
	return LevelEvent(static_cast<double>(sample - 1) * (md.settings.IntervalTM / 1000.0),
			md.settings.TrgUnitID, EventKind::Trigger,
			upper ? EventSide::Upper : EventSide::Lower, EventLevel::None,
			upper ? md.settings.TrgVMax : md.settings.TrgVMin, value);
}

} // namespace kelvra

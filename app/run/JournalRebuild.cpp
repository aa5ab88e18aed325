#include "JournalRebuild.h"

#include "acquisition/BufferStore.h"
#include "run/TriggerRing.h"

namespace kelvra {

namespace {

void applySettings(const JournalHeader &h, ModuleData &md)
{
	md.TimerType = h.TimerType;
	md.IntervalTM = h.IntervalTM;
	md.DataAverage = h.DataAverage;
	md.AverageNum = h.AverageNum;
	md.TrgMaxFlag = h.TrgMaxFlag;
	md.TrgVMax = h.TrgVMax;
	md.TrgMinFlag = h.TrgMinFlag;
	md.TrgVMin = h.TrgVMin;
	md.TrgDnum1 = h.TrgDnum1;
	md.TrgDnum2 = h.TrgDnum2;
	md.TrgUnitID = h.TrgUnitID;
	md.Sing = h.Sing;
	for (int u = 0; u < kUnitCount; ++u) {
		ChannelRecord &c = md.Channels[u];
		c.Mflag = h.units[u].Mflag;
		c.Power = h.units[u].Power;
		c.PowerSing = h.units[u].PowerSing;
		c.Capacity = h.units[u].Capacity;
	}
}

// Keeps exactly the first n samples of a run without trigger.
void keepFirst(ModuleData &md, int32_t n)
{
	if (n < 1 || md.TrgMode == kTrue || md.DataCount <= n)
		return;
	md.DataCount = n;
	for (auto &channel : md.Channels)
		channel.DataNum = std::min(channel.DataNum, n);
}

} // namespace

void RebuildRun(const JournalContent &content, ModuleData &md)
{
	const JournalHeader &h = content.header;
	if (md.Channels[0].Data.size() != static_cast<size_t>(kBufferLength))
		md.InitDataArray();
	applySettings(h, md);
	md.SetRange();
	md.ClearMeasData();
	// As the start of the run fixed them.
	md.TrgMode = h.TrgMode;
	md.DataMaxNum = h.DataMaxNum;

	BufferStore buffers(md);
	TriggerRing rings(md);
	for (const JournalTick &tick : content.ticks) {
		const int32_t index = md.DataCount; // where this tick's single readings go
		for (const StoredSample &s : tick.samples) {
			if (md.TrgMode == kTrue)
				rings.storeAndCheck(s.unit, s.value);
			else if (md.TimerType == kTrue && index >= 0 && index < kBufferLength)
				buffers.storeSingleSample(s.unit, index, s.value);
			else if (md.TimerType != kTrue)
				buffers.storeBlockSample(s.unit, s.value);
		}
		md.DataCount = std::clamp(tick.DataCount, 0, kBufferLength);
	}

	keepFirst(md, h.sampleLimit);
	if (md.TrgMode != kTrue)
		md.CalcMaxMin();
	else if (md.TrgOn == kTrue)
		rings.CalcTrgMaxMin(); // before the trigger there is no window to measure
	md.TrgFirst = kFalse;
	md.MeasFlag = kFalse;
	md.StartTimeStr = content.endTime.value_or(h.StartTimeStr);
	md.MemoStr = h.MemoStr;
}

} // namespace kelvra

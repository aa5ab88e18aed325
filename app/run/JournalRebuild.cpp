#include "JournalRebuild.h"

#include "acquisition/BufferStore.h"
#include "run/TriggerRing.h"

#include <QFile>

#include <algorithm>

namespace kelvra {

namespace {

int32_t wrapSlot(int64_t slot)
{
	const int64_t wrapped = slot % kBufferLength;
	return static_cast<int32_t>(wrapped < 0 ? wrapped + kBufferLength : wrapped);
}

// Stores a journal's ticks into the state as the live run stored them.
class Rebuild {
public:
	Rebuild(const JournalHeader &h, ModuleData &md) : h_(h), md_(md), buffers_(md), rings_(md)
	{
		if (md.Channels[0].Data.size() != static_cast<size_t>(kBufferLength))
			md.InitDataArray();
		ApplyRunSettings(h.settings, md);
		md.AverageNum = h.AverageNum;
		md.SetRange();
		md.ClearMeasData();
		// As the start of the run fixed them.
		md.TrgMode = toFlag(h.TrgMode != kFalse);
		md.DataMaxNum = h.DataMaxNum;
	}

	// The rings as the tick before the first one journaled left them.
	void restore(const JournalRing &ring)
	{
		if (md_.TrgMode != kTrue)
			return;
		for (int u = 0; u < kUnitCount; ++u) {
			ChannelRecord &c = md_.Channels[u];
			const JournalRing::Unit &r = ring.units[u];
			if (!c.inUse())
				continue;
			c.DataNum = r.DataNum;
			c.StartPos = r.StartPos;
			c.WritePos = r.WritePos;
			const auto n = static_cast<int64_t>(r.latest.size());
			for (int64_t i = 0; i < n; ++i)
				c.Data[wrapSlot(r.WritePos - n + 1 + i)] =
						r.latest[static_cast<size_t>(i)];
		}
	}

	void store(const JournalTick &tick)
	{
		const int32_t index = md_.DataCount; // where this tick's single readings go
		for (const StoredSample &s : tick.samples) {
			if (md_.TrgMode == kTrue)
				rings_.storeAndCheck(s.unit, s.value);
			else if (md_.settings.TimerType == kTrue && index >= 0 &&
					index < kBufferLength)
				buffers_.storeSingleSample(s.unit, index, s.value);
			else if (md_.settings.TimerType != kTrue)
				buffers_.storeBlockSample(s.unit, s.value);
		}
		md_.DataCount = std::clamp(tick.DataCount, 0, kBufferLength);
	}

	void finish(const std::optional<QString> &endTime)
	{
		keepFirst();
		if (md_.TrgMode != kTrue)
			md_.CalcMaxMin();
		else if (md_.TrgOn == kTrue)
			rings_.CalcTrgMaxMin(); // before the trigger there is no window to measure
		md_.TrgFirst = kFalse;
		md_.MeasFlag = kFalse;
		md_.StartTimeStr = endTime.value_or(h_.StartTimeStr);
		md_.MemoStr = h_.MemoStr;
	}

private:
	// Keeps exactly the first samples a run without trigger was limited to.
	void keepFirst()
	{
		const int32_t kept = SamplesKept(h_, md_.DataCount);
		if (kept == md_.DataCount)
			return;
		md_.DataCount = kept;
		for (auto &channel : md_.Channels)
			channel.DataNum = std::min(channel.DataNum, kept);
	}

	const JournalHeader &h_;
	ModuleData &md_;
	BufferStore buffers_;
	TriggerRing rings_;
};

} // namespace

int32_t SamplesKept(const JournalHeader &header, int32_t lastDataCount)
{
	const int32_t held = std::clamp(lastDataCount, 0, kBufferLength);
	if (header.sampleLimit < 1 || header.TrgMode != kFalse)
		return held;
	return std::min(held, header.sampleLimit);
}

void RebuildRun(const JournalContent &content, ModuleData &md)
{
	Rebuild rebuild(content.header, md);
	if (content.ring)
		rebuild.restore(*content.ring);
	for (const JournalTick &tick : content.ticks)
		rebuild.store(tick);
	rebuild.finish(content.endTime);
	md.Events = content.events;
}

void RebuildRun(JournalReader &reader, ModuleData &md)
{
	Rebuild rebuild(reader.header(), md);
	if (reader.ring())
		rebuild.restore(*reader.ring());
	for (JournalTick tick; reader.nextTick(tick);)
		rebuild.store(tick);
	rebuild.finish(reader.endTime());
	md.Events = reader.events();
}

bool RebuildJournal(const QString &fileName, ModuleData &md, QString *error)
{
	QFile file(fileName);
	if (!file.open(QIODevice::ReadOnly)) {
		if (error)
			*error = file.errorString();
		return false;
	}
	JournalReader reader(file);
	if (!reader.readHeader(error))
		return false;
	RebuildRun(reader, md);
	return true;
}

} // namespace kelvra

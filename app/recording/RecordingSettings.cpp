#include "RecordingSettings.h"

namespace kelvra {

// The journal's header record is the value's encoding, checked as the
// journal checks it.
QByteArray EncodeRecordedRun(const RecordedRun &run)
{
	QByteArray bytes;
	AppendHeaderRecord(bytes, run);
	return bytes;
}

std::optional<RecordedRun> DecodeRecordedRun(const QByteArray &bytes)
{
	auto content = ParseJournal(bytes, nullptr);
	if (!content || !content->ticks.empty())
		return std::nullopt;
	return content->header;
}

void ApplyRecordedRun(const RecordedRun &run, ModuleData &md)
{
	md.StartTimeStr = run.StartTimeStr;
	md.MemoStr = run.MemoStr;
	md.TimerType = run.TimerType;
	md.IntervalTM = run.IntervalTM;
	md.DataAverage = run.DataAverage;
	md.AverageNum = run.AverageNum;
	md.TrgMaxFlag = run.TrgMaxFlag;
	md.TrgVMax = run.TrgVMax;
	md.TrgMinFlag = run.TrgMinFlag;
	md.TrgVMin = run.TrgVMin;
	md.TrgDnum1 = run.TrgDnum1;
	md.TrgDnum2 = run.TrgDnum2;
	md.TrgUnitID = run.TrgUnitID;
	md.Sing = run.Sing;
	for (int u = 0; u < kUnitCount; ++u) {
		ChannelRecord &c = md.Channels[u];
		c.Mflag = run.units[u].Mflag;
		c.Power = run.units[u].Power;
		c.PowerSing = run.units[u].PowerSing;
		c.Capacity = run.units[u].Capacity;
	}
}

} // namespace kelvra

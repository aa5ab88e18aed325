#include "JournalRebuild.h"

#include "acquisition/SampleReader.h"
#include "run/ModuleTrgData.h"

namespace kelvra {

namespace {

// The storing code wants a device; a rebuild never reads one.
class NoDevices : public DeviceApi {
public:
	QString loadError() override { return QStringLiteral("rebuilding a run reads no unit"); }
	int16_t Varnel_Device_Open(int16_t) override { return 7; }
	void Varnel_Device_Close(int16_t) override {}
	int16_t Varnel_Single_Sample(int16_t, double &) override { return 7; }
	int16_t Varnel_Start_Sample(int16_t, int16_t) override { return 7; }
	int16_t Varnel_Get_Datas(int16_t, double *, unsigned char *, unsigned char &) override { return 7; }
	int16_t Varnel_Zero_Adj(int16_t, double) override { return 7; }
};

class NoPrompt : public Prompt {
public:
	void message(const QString &, const QString &, Icon) override {}
	bool askYesNo(const QString &, const QString &) override { return false; }
	QString askSaveFileName(const QString &, const QString &, const QString &) override { return {}; }
	QString askOpenFileName(const QString &, const QString &) override { return {}; }
};

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

	NoDevices api;
	NoPrompt prompt;
	DeviceControl devices(md, api, prompt);
	SampleReader reader(md, devices);
	ModuleTrgData trigger(md, devices);
	for (const JournalTick &tick : content.ticks) {
		const int32_t index = md.DataCount; // where this tick's single readings go
		for (const StoredSample &s : tick.samples) {
			if (md.TrgMode == kTrue)
				trigger.storeAndCheck(s.unit, s.value);
			else if (md.TimerType == kTrue && index >= 0 && index < kBufferLength)
				reader.storeSingleSample(s.unit, index, s.value);
			else if (md.TimerType != kTrue)
				reader.storeBlockSample(s.unit, s.value);
		}
		md.DataCount = std::clamp(tick.DataCount, 0, kBufferLength);
	}

	keepFirst(md, h.sampleLimit);
	if (md.TrgMode != kTrue)
		md.CalcMaxMin();
	else if (md.TrgOn == kTrue)
		trigger.CalcTrgMaxMin(); // before the trigger there is no window to measure
	md.TrgFirst = kFalse;
	md.MeasFlag = kFalse;
	md.StartTimeStr = content.endTime.value_or(h.StartTimeStr);
	md.MemoStr = h.MemoStr;
}

} // namespace kelvra

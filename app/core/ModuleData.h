#pragma once

// The whole measurement state: per-unit records with their sample buffers,
// the measurement settings and the state of the current run. One object,
// owned by the program and passed by reference.

#include "RunEvent.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvra {

using Flag = int16_t; // -1 true, 0 false; readers of files and check boxes take any non-zero as
		      // true

inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;
inline constexpr int kUnitCount = 4;
inline constexpr int32_t kBufferLength = 88000;
inline constexpr float kNoData = -9999.0f;
inline constexpr float kDefaultRange = 8000.0f;
inline constexpr int16_t kLastSing = 5; // display unit codes run 0..5

// Parts of a long recording, by measurement time: "しない", "1時間", "1日".
enum class SplitPeriod : uint8_t { None = 0, Hour = 1, Day = 2 };

// How runs are recorded straight to disk, for as long as they last.
struct LongRecordSettings {
	bool enabled = false;
	QString folder;
	SplitPeriod split = SplitPeriod::None;
	bool repeatTrigger = false; // each trigger capture saved as a data file, then re-armed
	// Unattended runs, as typed (empty: none): the command run for the run's
	// events, the kinds it runs for (empty: all), the least free space
	// ("2GB", "6h"), the status page's ADDRESS:PORT and its token.
	QString hookCommand;
	QString hookKinds;
	QString minFree;
	QString serveAddress;
	QString serveToken;
};

constexpr Flag toFlag(bool value)
{
	return value ? kTrue : kFalse;
}

struct ChannelRecord {
	std::vector<float> Data; // kBufferLength samples in the unit of display; a ring in trigger
				 // runs
	float MaxVal = 0.0f;
	float MinVal = 0.0f;
	Flag Mflag = kFalse;
	int32_t DataNum = 0;
	int32_t StartPos = 0;
	int32_t WritePos = 0;
	Flag EndFlag = kFalse;
	float Power = 0.0f;
	int16_t PowerSing = 0; // 0 mV/V, 1 microstrain
	float Capacity = 0.0f;

	bool inUse() const { return Mflag == kTrue; }

	// The first sample sets both extremes; later ones only widen them.
	void foldExtremes(float value, bool first)
	{
		MaxVal = first ? value : std::max(MaxVal, value);
		MinVal = first ? value : std::min(MinVal, value);
	}
};

struct AverageRecord {
	int32_t AveCount = 0;
	double AveSum = 0.0;

	// Adds a reading; once averageNum readings are summed, returns their mean
	// and starts afresh. A partial sum carries over to the next block.
	std::optional<double> add(double reading, int32_t averageNum);
};

// The settings of a measurement as the settings dialogs set them and the
// files keep them; the units' own settings are in their records.
struct MeasurementSettings {
	Flag TimerType = kFalse; // true: timed by the PC in seconds, false: by the unit in ms
	int32_t IntervalTM = 1000;
	Flag DataAverage = kFalse;
	Flag TrgMaxFlag = kFalse;
	float TrgVMax = 100.0f;
	Flag TrgMinFlag = kFalse;
	float TrgVMin = -100.0f;
	int32_t TrgDnum1 = 0;             // samples kept before the trigger
	int32_t TrgDnum2 = kBufferLength; // and taken after it
	int16_t TrgUnitID = 0;
	int16_t Sing = 0; // the display unit, 0..kLastSing
};

class ModuleData {
public:
	std::array<ChannelRecord, kUnitCount> Channels;
	std::array<double, kUnitCount> ZeroValue{};
	std::array<AverageRecord, kUnitCount> AveBuf{};
	std::array<QString, 5> MemoStr;

	MeasurementSettings settings;
	LongRecordSettings LongRecord;

	// Derived settings.
	int32_t AverageNum = 1;
	float RangeMax = 0.0f;
	float RangeMin = 0.0f;
	int32_t Timer1Ticks = 0;
	int32_t Timer1Interval = 0;

	// Run state.
	int32_t DataCount = 0;
	// In a long recording the buffers hold the newest samples: this many of
	// the run came before element 0.
	int64_t DataOffset = 0;
	Flag MeasFlag = kFalse;
	int32_t DataMaxNum = kBufferLength;
	int32_t ReadTickCount = 0;
	int32_t Timer1Count = 0;
	QString StartTimeStr;
	Flag TrgMode = kFalse;
	Flag TrgOn = kFalse;
	Flag TrgFirst = kFalse;
	int32_t TrgPoint = 0;
	float AllMax = 0.0f;
	float AllMin = 0.0f;
	std::vector<RunEvent> Events; // of the run held, in the order they happened

	Flag SettingOK = kFalse;

	void InitDataArray();
	void ClearZeroData();
	void ClearMeasData();
	// Drops the oldest `count` samples of every unit, making room at the end.
	void RollBuffers(int32_t count);
	void ClearMemo();
	void ClearAveData();
	void CalcMaxMin();
	void SetMaxMin(int32_t n);
	void SetAllMaxMin();
	void AddAllMaxMin();
	void SetRange();

	// Counting over the used units (0 when none is in use).
	bool CheckDataMax() const;
	int32_t SetDataMaxCounter() const;
	int32_t SetDataMinCounter() const;

	// AverageNum for the current TimerType, IntervalTM and DataAverage.
	void DeriveAverageNum();

	// Slot of sample number k (from 1) of a unit's trigger window.
	int32_t RingIndex(int unit, int32_t k) const;

	// Sample number k (from 1) of a unit, from the buffer or the trigger window.
	float SampleAt(int unit, int32_t k) const;

	// The sample number the graph draws at 0 s: the trigger sample of a
	// capture; before the first held one by the samples a long run rolled out.
	double GraphOrigin() const
	{
		return TrgMode != kFalse ? settings.TrgDnum1 + 1.0
					 : -static_cast<double>(DataOffset);
	}

	// AllMax/AllMin from a used unit's extremes: the first one sets them, later ones widen.
	void foldAllExtremes(const ChannelRecord &channel, bool first);

	bool anyUnitInUse() const;
	QString GetSingStr() const;

private:
	// The DataNum of the first used unit, folded with each later one's.
	template <typename Pick>
	int32_t foldUsedCounts(Pick pick) const;
};

QString FormatValue(float value);
QString GetSingStr(int16_t sing);
QString GetPowerSingStr(int16_t powerSing);
// A unit's name as the interface language shows it; files keep the one above.
QString ShownUnitText(const QString &unit);

// Nearest whole number, a half going to the even neighbour.
int32_t roundHalfEven(double value);

// In the header: every point drawn of a trigger window is read through them.
inline int32_t ModuleData::RingIndex(int unit, int32_t k) const
{
	const int32_t slot = Channels[unit].StartPos + k - 1;
	return slot > kBufferLength - 1 ? slot - kBufferLength : slot;
}

inline float ModuleData::SampleAt(int unit, int32_t k) const
{
	const int32_t index = TrgMode != kFalse ? RingIndex(unit, k) : k - 1;
	if (index < 0 || index >= kBufferLength)
		return kNoData;
	return Channels[unit].Data[index];
}

} // namespace kelvra

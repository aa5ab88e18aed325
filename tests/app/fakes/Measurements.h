#pragma once

// Measurements as a run leaves them, for the file tests and benchmarks.

#include "core/ModuleData.h"

namespace kelvra::testing {

// Two samples of unit 0 in kgf, one a second, with a memo line; the trigger
// armed in the settings but not used by the run.
inline ModuleData smallMeasurement()
{
	ModuleData md;
	md.InitDataArray();
	md.SetRange();
	md.ClearMeasData();
	md.StartTimeStr = QStringLiteral("2026/1/2 3:4:5");
	md.MemoStr[0] = QStringLiteral("ひずみ");
	md.settings.IntervalTM = 1000;
	md.settings.TrgMaxFlag = kTrue; // armed in the settings, but this run had no trigger
	md.TrgMode = kFalse;
	md.Channels[0].Mflag = kTrue;
	md.Channels[0].Data[0] = 1.5f;
	md.Channels[0].Data[1] = -2.0f;
	md.Channels[0].DataNum = 2;
	md.DataCount = 2;
	md.settings.Sing = 1;
	md.Channels[0].Power = 2.0f;
	md.Channels[0].Capacity = 500.0f;
	for (int u = 1; u < kUnitCount; ++u) {
		md.Channels[u].Power = 100.0f;
		md.Channels[u].Capacity = 100.0f;
	}
	return md;
}

// Every unit in use, its whole buffer filled with value(unit, index).
template <typename Value>
void fillEveryUnit(ModuleData &md, Value value)
{
	for (int u = 0; u < kUnitCount; ++u) {
		md.Channels[u].Mflag = kTrue;
		md.Channels[u].DataNum = kBufferLength;
		for (int32_t i = 0; i < kBufferLength; ++i)
			md.Channels[u].Data[i] = value(u, i);
	}
	md.DataCount = kBufferLength;
}

} // namespace kelvra::testing

#include "RunSettings.h"

#include <QCoreApplication>

namespace kelvra {

namespace {

Flag readFlag(Flag stored)
{
	return toFlag(stored != kFalse);
}

bool isCount(int32_t count)
{
	return count >= 0 && count <= kBufferLength;
}

} // namespace

RunSettings SettingsOfRun(const ModuleData &md)
{
	RunSettings s;
	static_cast<MeasurementSettings &>(s) = md.settings;
	for (int u = 0; u < kUnitCount; ++u) {
		const ChannelRecord &c = md.Channels[u];
		s.units[u] = {c.Mflag, c.Power, c.PowerSing, c.Capacity};
	}
	return s;
}

void ApplyRunSettings(const RunSettings &s, ModuleData &md)
{
	md.settings = s;
	md.settings.TimerType = readFlag(s.TimerType);
	md.settings.DataAverage = readFlag(s.DataAverage);
	md.settings.TrgMaxFlag = readFlag(s.TrgMaxFlag);
	md.settings.TrgMinFlag = readFlag(s.TrgMinFlag);
	for (int u = 0; u < kUnitCount; ++u) {
		ChannelRecord &c = md.Channels[u];
		c.Mflag = readFlag(s.units[u].Mflag);
		c.Power = s.units[u].Power;
		c.PowerSing = s.units[u].PowerSing;
		c.Capacity = s.units[u].Capacity;
	}
}

bool IsFlag(int16_t value)
{
	return value >= -1 && value <= 1;
}

bool IsUnitId(int32_t unit)
{
	return unit >= 0 && unit < kUnitCount;
}

bool IsDisplayUnit(int16_t sing)
{
	return sing >= 0 && sing <= kLastSing;
}

QString ImplausibleSetting(const RunSettings &s)
{
	if (!IsFlag(s.TimerType))
		return QCoreApplication::translate("RunSettings", "測定方法の値が範囲外です");
	if (!IsFlag(s.DataAverage))
		return QCoreApplication::translate("RunSettings", "平均化の値が範囲外です");
	if (!IsFlag(s.TrgMaxFlag) || !IsFlag(s.TrgMinFlag))
		return QCoreApplication::translate("RunSettings", "トリガの有無の値が範囲外です");
	if (s.IntervalTM < 0 || s.IntervalTM > kMaxIntervalMs)
		return QCoreApplication::translate("RunSettings", "測定間隔が範囲外です");
	if (!isCount(s.TrgDnum1) || !isCount(s.TrgDnum2))
		return QCoreApplication::translate(
				"RunSettings", "トリガの取込データ数が範囲外です");
	if (!IsUnitId(s.TrgUnitID))
		return QCoreApplication::translate(
				"RunSettings", "トリガ使用ユニットIDが0〜3ではありません");
	if (!IsDisplayUnit(s.Sing))
		return QCoreApplication::translate("RunSettings", "表示単位が範囲外です");
	for (const UnitSettings &unit : s.units) {
		if (!IsFlag(unit.Mflag))
			return QCoreApplication::translate(
					"RunSettings", "使用ユニットの値が範囲外です");
	}
	return {};
}

} // namespace kelvra

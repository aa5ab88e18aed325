#include "SettingEntries.h"

#include "core/NumberText.h"
#include "core/RunSettings.h"

#include <QCoreApplication>

namespace kelvra {

SettingEntries LoadSettingEntries(const ModuleData &md)
{
	SettingEntries entries;
	for (int i = 0; i < kUnitCount; ++i)
		entries.unitTicked[i] = md.Channels[i].Mflag == kTrue;
	entries.milliseconds = md.settings.TimerType == kFalse;
	if (entries.milliseconds)
		entries.timeSteps = QString::number(md.settings.IntervalTM / 10.0);
	else
		entries.timeSeconds = QString::number(md.settings.IntervalTM / 1000.0);
	entries.average = md.settings.DataAverage != kFalse;
	entries.triggerTicked = {md.settings.TrgMaxFlag == kTrue, md.settings.TrgMinFlag == kTrue};
	entries.triggerLevel = {
			shortestText(md.settings.TrgVMax), shortestText(md.settings.TrgVMin)};
	entries.triggerCount = {QString::number(md.settings.TrgDnum1),
			QString::number(md.settings.TrgDnum2)};
	entries.triggerUnit = IsUnitId(md.settings.TrgUnitID) ? md.settings.TrgUnitID : -1;
	return entries;
}

QString CheckUnits(const SettingEntries &entries)
{
	for (bool ticked : entries.unitTicked) {
		if (ticked)
			return {};
	}
	return QCoreApplication::translate(
			"SettingEntries", "使用ユニットにチェックが付いていません。");
}

QString CheckTime(const SettingEntries &entries)
{
	const QString message = QCoreApplication::translate(
			"SettingEntries", "時間の入力に誤りがあります。");
	const auto n = readWhole(entries.milliseconds ? entries.timeSteps : entries.timeSeconds);
	if (!n)
		return message;
	const int64_t t = static_cast<int64_t>(*n) * (entries.milliseconds ? 10 : 1000);
	const int64_t lower = entries.milliseconds ? 10 : entries.average ? 10000 : 1000;
	const int64_t upper = entries.milliseconds ? 100000 : kMaxIntervalMs;
	return t >= lower && t <= upper ? QString() : message;
}

QString CheckTrigger(const SettingEntries &entries, const ModuleData &md)
{
	if (!entries.triggerTicked[0] && !entries.triggerTicked[1])
		return {};
	const QString message = QCoreApplication::translate(
			"SettingEntries", "トリガ処理の設定に誤りがあります。");
	if (entries.triggerUnit >= 0 && entries.triggerUnit < kUnitCount &&
			!entries.unitTicked[entries.triggerUnit])
		return message; // the watched unit must be in use
	const auto upper = readSingle(entries.triggerLevel[0]);
	const auto lower = readSingle(entries.triggerLevel[1]);
	const auto pre = readWhole(entries.triggerCount[0]);
	const auto post = readWhole(entries.triggerCount[1]);
	if (!upper || !lower || !pre || !post)
		return message;
	if (entries.triggerTicked[0] && *upper > md.RangeMax)
		return message;
	if (entries.triggerTicked[1] && *lower < md.RangeMin)
		return message;
	if (*pre < 0 || *post < 1 || static_cast<int64_t>(*pre) + *post > kBufferLength)
		return message;
	return {};
}

QString CheckSettings(const SettingEntries &entries, const ModuleData &md)
{
	QString message = CheckUnits(entries);
	if (message.isEmpty())
		message = CheckTime(entries);
	if (message.isEmpty())
		message = CheckTrigger(entries, md);
	return message;
}

void ApplySettings(const SettingEntries &entries, ModuleData &md)
{
	for (int i = 0; i < kUnitCount; ++i)
		md.Channels[i].Mflag = toFlag(entries.unitTicked[i]);
	if (entries.milliseconds) {
		md.settings.TimerType = kFalse;
		md.settings.IntervalTM = readWhole(entries.timeSteps).value_or(100) * 10;
	} else {
		md.settings.TimerType = kTrue;
		md.settings.IntervalTM = readWhole(entries.timeSeconds).value_or(1) * 1000;
	}
	md.settings.DataAverage = toFlag(entries.average);
	md.DeriveAverageNum();
	md.settings.TrgMaxFlag = toFlag(entries.triggerTicked[0]);
	md.settings.TrgMinFlag = toFlag(entries.triggerTicked[1]);
	if (!entries.triggerTicked[0] && !entries.triggerTicked[1])
		return;
	md.settings.TrgVMax = readSingle(entries.triggerLevel[0]).value_or(md.settings.TrgVMax);
	md.settings.TrgVMin = readSingle(entries.triggerLevel[1]).value_or(md.settings.TrgVMin);
	md.settings.TrgDnum1 = readWhole(entries.triggerCount[0]).value_or(md.settings.TrgDnum1);
	md.settings.TrgDnum2 = readWhole(entries.triggerCount[1]).value_or(md.settings.TrgDnum2);
	if (entries.triggerUnit >= 0 && entries.triggerUnit < kUnitCount)
		md.settings.TrgUnitID = static_cast<int16_t>(entries.triggerUnit);
}

} // namespace kelvra

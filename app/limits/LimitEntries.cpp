#include "LimitEntries.h"

#include "core/NumberText.h"

#include <QCoreApplication>
#include <cmath>

namespace kelvra {

namespace {

const char *const kNotANumberText =
		QT_TRANSLATE_NOOP("LimitEntries", "リミットの値に誤りがあります。");
const char *const kWarningBeyondAlarmText =
		QT_TRANSLATE_NOOP("LimitEntries", "警告のレベルが異常のレベルを超えています。");
const char *const kHysteresisText =
		QT_TRANSLATE_NOOP("LimitEntries", "ヒステリシスに誤りがあります。");

constexpr LimitLevel kLevels[] = {LimitLevel::Warning, LimitLevel::Alarm};
constexpr LimitSide kSides[] = {LimitSide::Upper, LimitSide::Lower};

QString levelKey(LimitLevel level, LimitSide side, int unit)
{
	const QString name = level == LimitLevel::Warning ? QStringLiteral("LimitWarning")
							  : QStringLiteral("LimitAlarm");
	return name +
			(side == LimitSide::Upper ? QStringLiteral("Upper")
						  : QStringLiteral("Lower")) +
			QString::number(unit);
}

QString hysteresisKey(int unit)
{
	return QStringLiteral("LimitHysteresis") + QString::number(unit);
}

const QString kBeepKey = QStringLiteral("LimitBeep");

std::optional<float> finiteNumber(const QString &text)
{
	const auto value = readSingle(text);
	return value && std::isfinite(*value) ? value : std::nullopt;
}

// A warning level must lie on the inner side of its alarm level.
bool warningBeyondAlarm(const UnitLimits &u)
{
	const auto beyond = [&](LimitSide side) {
		const auto warning = u.level(LimitLevel::Warning, side);
		const auto alarm = u.level(LimitLevel::Alarm, side);
		if (!warning || !alarm)
			return false;
		return side == LimitSide::Upper ? *warning > *alarm : *warning < *alarm;
	};
	return beyond(LimitSide::Upper) || beyond(LimitSide::Lower);
}

std::optional<UnitLimits> parseUnit(const UnitLimitEntries &entries, QString &message)
{
	UnitLimits limits;
	for (const LimitLevel level : kLevels) {
		for (const LimitSide side : kSides) {
			const LevelEntry &entry = entries.levels[static_cast<int>(level)]
								[static_cast<int>(side)];
			if (!entry.ticked)
				continue;
			const auto value = finiteNumber(entry.text);
			if (!value) {
				message = QCoreApplication::translate(
						"LimitEntries", kNotANumberText);
				return std::nullopt;
			}
			limits.setLevel(level, side, value);
		}
	}
	const auto hysteresis = finiteNumber(entries.hysteresis);
	if (!hysteresis || *hysteresis < 0.0f) {
		message = QCoreApplication::translate("LimitEntries", kHysteresisText);
		return std::nullopt;
	}
	limits.hysteresis = *hysteresis;
	if (warningBeyondAlarm(limits)) {
		message = QCoreApplication::translate("LimitEntries", kWarningBeyondAlarmText);
		return std::nullopt;
	}
	return limits;
}

} // namespace

LimitCheck CheckLimits(
		const LimitEntries &entries, const ModuleData &md, const LimitSettings &previous)
{
	LimitSettings limits = previous;
	for (int unit = 0; unit < kUnitCount; ++unit) {
		if (md.Channels[unit].Mflag == kFalse)
			continue;
		QString message;
		const auto parsed = parseUnit(entries[unit], message);
		if (!parsed)
			return {std::nullopt, message};
		limits.units[unit] = *parsed;
	}
	return {limits, QString()};
}

LimitEntries EntriesOf(const LimitSettings &limits)
{
	LimitEntries entries;
	for (int unit = 0; unit < kUnitCount; ++unit) {
		const UnitLimits &u = limits.units[unit];
		for (const LimitLevel level : kLevels) {
			for (const LimitSide side : kSides) {
				const auto value = u.level(level, side);
				entries[unit].levels[static_cast<int>(level)]
						    [static_cast<int>(side)] = {value.has_value(),
						value ? shortestText(*value) : QString()};
			}
		}
		entries[unit].hysteresis = shortestText(u.hysteresis);
	}
	return entries;
}

LimitSettings LoadLimits(const SettingsStore &store)
{
	// Stored values the dialog would refuse leave that unit unwatched.
	LimitSettings limits;
	for (int unit = 0; unit < kUnitCount; ++unit) {
		UnitLimitEntries entries;
		for (const LimitLevel level : kLevels) {
			for (const LimitSide side : kSides) {
				const QString text =
						store.value(levelKey(level, side, unit), QString())
								.trimmed();
				entries.levels[static_cast<int>(level)][static_cast<int>(side)] = {
						!text.isEmpty(), text};
			}
		}
		entries.hysteresis = store.value(hysteresisKey(unit), QStringLiteral("0"));
		QString message;
		if (const auto parsed = parseUnit(entries, message))
			limits.units[unit] = *parsed;
	}
	limits.beep = store.value(kBeepKey, QStringLiteral("True"))
					.trimmed()
					.compare(QStringLiteral("False"), Qt::CaseInsensitive) != 0;
	return limits;
}

void SaveLimits(SettingsStore &store, const LimitSettings &limits)
{
	const LimitEntries entries = EntriesOf(limits);
	for (int unit = 0; unit < kUnitCount; ++unit) {
		for (const LimitLevel level : kLevels) {
			for (const LimitSide side : kSides) {
				const LevelEntry &entry = entries[unit].levels[static_cast<int>(
						level)][static_cast<int>(side)];
				store.setValue(levelKey(level, side, unit),
						entry.ticked ? entry.text : QString());
			}
		}
		store.setValue(hysteresisKey(unit), entries[unit].hysteresis);
	}
	store.setValue(kBeepKey, limits.beep ? QStringLiteral("True") : QStringLiteral("False"));
}

} // namespace kelvra

#pragma once

// Snapshots and events a run could publish, made from a tick number so that
// each tick's differ and a test knows what it published: units ID0 to ID3
// (ID1 in warning, ID2 in alarm) and, to make a snapshot larger, channels
// "c4", "c5", …, each with ten minutes of points ending in its value.

#include "status/StatusSnapshot.h"
#include "status/StatusTrail.h"

namespace kelvra::test {

inline float SyntheticValue(int series, int tick)
{
	return static_cast<float>(100 * series + tick) + 0.25f;
}

inline StatusSnapshot SyntheticSnapshot(int tick, int seriesCount = 4)
{
	StatusSnapshot snapshot;
	const double now = StatusTrail::kSpanS + tick;
	for (int s = 0; s < seriesCount; ++s) {
		const QString name = s < 4 ? QStringLiteral("ID%1").arg(s)
					   : QStringLiteral("c%1").arg(s);
		const float value = SyntheticValue(s, tick);
		const StatusAlarm alarm = s == 1 ? StatusAlarm::Warning
				: s == 2         ? StatusAlarm::Alarm
						 : StatusAlarm::None;
		snapshot.values.push_back({name, value, QStringLiteral("μひずみ"), alarm});
		StatusSeries series{name, QStringLiteral("μひずみ"), {}};
		// Waves over the ten minutes, ending in the value.
		for (int p = StatusTrail::kPoints - 1; p >= 0; --p) {
			const double wave = std::sin(p * 0.05 + s) - std::sin(s);
			const float v = value + 20.0f * static_cast<float>(wave);
			series.points.push_back(
					{now - p * StatusTrail::kStretchS, v - 3.0f, v + 3.0f, v});
		}
		snapshot.series.push_back(std::move(series));
	}
	snapshot.recording = {QStringLiteral("/data/weekend-%1.kvr").arg(tick), now, tick,
			int64_t{12'300'000'000} - tick, 3.0 * 86400 + 4 * 3600 + tick};
	return snapshot;
}

inline StatusEvent SyntheticEvent(int n)
{
	static const char *const kinds[] = {"warning", "alarm", "marker", "dropout"};
	static const char16_t *const kindTexts[] = {u"警告", u"異常", u"マーク", u"切断"};
	static const char16_t *const texts[] = {u"upper 100 (%1)", u"upper 200 (%1)",
			u"荷重 < 5 kN で保持", u"USB通信エラー"};
	const QString text = QString::fromUtf16(texts[n % 4]);
	return {0, QLatin1String(kinds[n % 4]), QString::fromUtf16(kindTexts[n % 4]),
			QStringLiteral("ID%1").arg(n % 4), 1.5 * n,
			n % 4 < 2 ? text.arg(100.5 * (n % 4 + 1) + n) : text};
}

} // namespace kelvra::test

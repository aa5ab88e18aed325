#pragma once

// The run's time as a person reads it: a moment past the first hour as
// h:mm:ss, and the clock time of a moment from the run's start.

#include <QDateTime>
#include <QString>

#include <optional>

namespace kelvra {

inline constexpr double kSecondsInHour = 3600.0;

// How moments from the start are shown: in seconds, as h:mm:ss, or as the
// clock time of the moment the time axis counts from.
enum class TimeAxis { Seconds, Hours, Clock };

// The start time as the state and the files hold it ("2026/1/2 3:4:5").
QDateTime StartTimeOf(const QString &startTimeStr);
QString StartTimeText(const QDateTime &time);

// Seconds as h:mm:ss with `decimals` places of the seconds ("-1:02:03.250").
QString HoursText(double seconds, int decimals);
// "1:02:03.25", "2:03.5" or plain seconds; none when it is neither.
std::optional<double> readElapsed(const QString &text);

// A moment `seconds` from `zero` as the axis shows it, with milliseconds.
QString MomentText(double seconds, TimeAxis axis, const QDateTime &zero);
// A duration: in seconds on an axis in seconds, else as h:mm:ss.
QString DurationText(double seconds, TimeAxis axis);
// A moment typed as the axis shows them (plain seconds are read on any); a
// clock time is the first such moment from `zero` on.
std::optional<double> readMoment(const QString &text, TimeAxis axis, const QDateTime &zero);

} // namespace kelvra

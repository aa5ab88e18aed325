#include "RunClock.h"

#include "NumberText.h"

#include <QStringList>

#include <cmath>

namespace kelvra {

namespace {

const QString kStartTimeFormat = QStringLiteral("yyyy/M/d H:m:s");

} // namespace

QDateTime StartTimeOf(const QString &startTimeStr)
{
	return QDateTime::fromString(startTimeStr, kStartTimeFormat);
}

QString StartTimeText(const QDateTime &time)
{
	return time.toString(kStartTimeFormat);
}

QString HoursText(double seconds, int decimals)
{
	const double scale = std::pow(10.0, decimals);
	const double rounded = std::round(std::abs(seconds) * scale) / scale;
	const auto whole = static_cast<qint64>(std::floor(rounded));
	const double fraction = rounded - static_cast<double>(whole);
	QString text = QStringLiteral("%1%2:%3:")
				       .arg(seconds < 0.0 && rounded > 0.0 ? QStringLiteral("-")
									   : QString())
				       .arg(whole / 3600)
				       .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'));
	text += QStringLiteral("%1").arg(whole % 60, 2, 10, QLatin1Char('0'));
	if (decimals > 0)
		text += QString::number(fraction, 'f', decimals).mid(1); // ".250"
	return text;
}

std::optional<double> readElapsed(const QString &text)
{
	QString trimmed = text.trimmed();
	const bool negative = trimmed.startsWith(QLatin1Char('-'));
	if (negative)
		trimmed.remove(0, 1);
	const QStringList fields = trimmed.split(QLatin1Char(':'));
	if (fields.size() == 1)
		return readNumber(text);
	if (fields.size() > 3)
		return std::nullopt;
	double seconds = 0.0;
	for (int i = 0; i < fields.size(); ++i) {
		const bool last = i + 1 == fields.size();
		bool ok = false;
		const double value = last ? fields[i].toDouble(&ok) : fields[i].toUInt(&ok);
		if (!ok || value < 0.0 || (i > 0 && value >= 60.0))
			return std::nullopt;
		seconds = seconds * 60.0 + value;
	}
	return negative ? -seconds : seconds;
}

QString MomentText(double seconds, TimeAxis axis, const QDateTime &zero)
{
	if (axis == TimeAxis::Clock)
		return zero.addMSecs(qRound64(seconds * 1000.0))
				.toString(QStringLiteral("HH:mm:ss.zzz"));
	return DurationText(seconds, axis);
}

QString DurationText(double seconds, TimeAxis axis)
{
	return axis == TimeAxis::Seconds ? QString::number(seconds, 'f', 3) : HoursText(seconds, 3);
}

std::optional<double> readMoment(const QString &text, TimeAxis axis, const QDateTime &zero)
{
	const auto seconds = readElapsed(text);
	if (!seconds || axis != TimeAxis::Clock || !text.contains(QLatin1Char(':')))
		return seconds;
	constexpr double kDay = 24 * kSecondsInHour;
	const double sinceStart = *seconds - zero.time().msecsSinceStartOfDay() / 1000.0;
	return sinceStart < 0.0 ? sinceStart + kDay : sinceStart;
}

} // namespace kelvra

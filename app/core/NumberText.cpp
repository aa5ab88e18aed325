#include "NumberText.h"

#include "ModuleData.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

namespace kelvra {

std::optional<double> readNumber(const QString &text)
{
	bool ok = false;
	const double value = QLocale::c().toDouble(text.trimmed(), &ok);
	if (!ok || !std::isfinite(value))
		return std::nullopt;
	return value;
}

std::optional<float> readSingle(const QString &text)
{
	const auto value = readNumber(text);
	if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
		return std::nullopt;
	return static_cast<float>(*value);
}

std::optional<int32_t> readWhole(const QString &text)
{
	const auto value = readNumber(text);
	if (!value)
		return std::nullopt;
	const double rounded = std::nearbyint(*value);
	if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max())
		return std::nullopt;
	return static_cast<int32_t>(rounded);
}

QString shortestText(float value)
{
	return QString::fromLatin1(significantText(value, 7));
}

QByteArray significantText(double value, int digits)
{
	char buffer[40];
	const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
			std::chars_format::general, digits);
	return QByteArray(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

} // namespace kelvra

#include "NumberText.h"

#include "ModuleData.h"

#include <QLocale>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

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
	if (rounded < std::numeric_limits<int32_t>::min() ||
			rounded > std::numeric_limits<int32_t>::max())
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
	const auto result = std::to_chars(
			buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
	return QByteArray(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

namespace {

__extension__ typedef unsigned __int128 Wide; // GCC and Clang have it on 64-bit targets

constexpr Wide powerOfTen(int n)
{
	Wide result = 1;
	while (n-- > 0)
		result *= 10;
	return result;
}

// round(numerator / denominator), a half going to the even neighbour.
uint64_t divideRounded(Wide numerator, Wide denominator)
{
	if ((numerator >> 64) == 0 &&
			(denominator >> 63) == 0) { // the usual case, in one machine division
		const auto n = static_cast<uint64_t>(numerator);
		const auto d = static_cast<uint64_t>(denominator);
		const uint64_t quotient = n / d;
		const uint64_t twice = (n % d) * 2;
		return quotient + (twice > d || (twice == d && (quotient & 1) != 0) ? 1 : 0);
	}
	const Wide quotient = numerator / denominator;
	const Wide twice = (numerator % denominator) * 2;
	const bool up = twice > denominator || (twice == denominator && (quotient & 1) != 0);
	return static_cast<uint64_t>(quotient + (up ? 1 : 0));
}

// |value| = mantissa * 2^binary as 7 digits * 10^decimal, rounded once and
// exactly. Empty when the numbers leave 128 bits (very large or tiny values).
std::optional<std::pair<uint64_t, int>> sevenDigits(uint32_t mantissa, int binary, int decimal)
{
	if (binary < -100 || binary > 60 || decimal < -25 || decimal > 30)
		return std::nullopt;
	Wide numerator = mantissa;
	Wide denominator = 1;
	if (decimal >= 0)
		denominator = powerOfTen(decimal);
	else
		numerator *= powerOfTen(-decimal);
	if (binary >= 0)
		numerator <<= binary;
	else if (-binary < 127 && (denominator >> (127 + binary)) == 0)
		denominator <<= -binary;
	else
		return std::nullopt;
	return std::pair{divideRounded(numerator, denominator), decimal};
}

char *writeDigits(char *out, uint64_t digits, int count)
{
	for (int i = count - 1; i >= 0; --i, digits /= 10)
		out[i] = static_cast<char>('0' + digits % 10);
	return out + count;
}

} // namespace

// The Ryu-based precision formatting of the standard library is exact but
// slow for the hundreds of thousands of samples a CSV file holds; a float
// has few enough bits to round it exactly in 128-bit integers instead.
char *writeSingleText(char *out, float value)
{
	if (!std::isfinite(value) || value == 0.0f)
		return std::to_chars(out, out + 16, static_cast<double>(value),
				std::chars_format::general, 7)
				.ptr;
	// |value| = mantissa * 2^binary, read off its bits.
	const auto bits = std::bit_cast<uint32_t>(value);
	const auto biased = static_cast<int>((bits >> 23) & 0xff);
	const uint32_t mantissa = (bits & 0x7fffff) | (biased == 0 ? 0 : 0x800000);
	const int binary = (biased == 0 ? 1 : biased) - 150;
	// floor(log10 |value|), or one less: 78913 / 2^18 is just below log10 2.
	const int topBit = binary + std::bit_width(mantissa) - 1;
	int exponent = (topBit * 78913) >> 18;
	auto rounded = sevenDigits(mantissa, binary, exponent - 6);
	if (rounded && rounded->first < 1000000) // log10 overshot
		rounded = sevenDigits(mantissa, binary, --exponent - 6);
	else if (rounded && rounded->first > 10000000) // log10 undershot
		rounded = sevenDigits(mantissa, binary, ++exponent - 6);
	if (!rounded)
		return std::to_chars(out, out + 16, static_cast<double>(value),
				std::chars_format::general, 7)
				.ptr;
	uint64_t digits = rounded->first;
	if (digits >= 10000000) { // 9999999.5 rounds up to the next decade
		digits = (digits + 5) / 10;
		++exponent;
	}
	if (value < 0)
		*out++ = '-';
	int count = 7;
	while (count > 1 && digits % 10 == 0) {
		digits /= 10;
		--count;
	}
	if (exponent >= -4 && exponent < 7) {
		if (exponent >= 0) {
			const int whole = exponent + 1;
			if (count <= whole) {
				out = writeDigits(out, digits, count);
				for (int i = count; i < whole; ++i)
					*out++ = '0';
				return out;
			}
			const uint64_t scale = static_cast<uint64_t>(powerOfTen(count - whole));
			out = writeDigits(out, digits / scale, whole);
			*out++ = '.';
			return writeDigits(out, digits % scale, count - whole);
		}
		*out++ = '0';
		*out++ = '.';
		for (int i = -1; i > exponent; --i)
			*out++ = '0';
		return writeDigits(out, digits, count);
	}
	const uint64_t scale = static_cast<uint64_t>(powerOfTen(count - 1));
	*out++ = static_cast<char>('0' + digits / scale);
	if (count > 1) {
		*out++ = '.';
		out = writeDigits(out, digits % scale, count - 1);
	}
	*out++ = 'e';
	*out++ = exponent < 0 ? '-' : '+';
	const int magnitude = std::abs(exponent);
	if (magnitude < 10)
		*out++ = '0';
	return std::to_chars(out, out + 4, magnitude).ptr;
}

} // namespace kelvra

#pragma once

// Numbers as the definitions' options and text form hold them: a period as
// decimal point whatever the locale, written in the shortest form that
// reads back as the same double.

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace kelvra {

inline std::string_view trimmedText(std::string_view text)
{
	const auto first = text.find_first_not_of(" \t");
	if (first == std::string_view::npos)
		return {};
	return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

inline std::string definitionNumberText(double value)
{
	char buffer[32];
	const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
	return std::string(buffer, result.ptr);
}

// A finite number and nothing else, spaces around it aside.
inline std::optional<double> readDefinitionNumber(std::string_view text)
{
	text = trimmedText(text);
	double value = 0.0;
	const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
	if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
			!std::isfinite(value))
		return std::nullopt;
	return value;
}

} // namespace kelvra

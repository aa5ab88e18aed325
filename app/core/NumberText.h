#pragma once

// Numbers as the user types them and as files and the settings store hold
// them: a period as decimal point whatever the user's locale.

#include <QString>

#include <cstdint>
#include <optional>

namespace kelvra {

std::optional<double> readNumber(const QString &text);
std::optional<float> readSingle(const QString &text);
// A whole number: fractions round to the nearest, a half to the even neighbour.
std::optional<int32_t> readWhole(const QString &text);

// A Single as the user sees it: its shortest decimal text with at most 7
// significant digits (1234.5678 reads "1234.568", 0.1 reads "0.1").
QString shortestText(float value);
// At most `digits` significant digits, no trailing zeros; ASCII only.
QByteArray significantText(double value, int digits);

// The text significantText(value, 7) gives, written at `out` without
// allocating; returns the end. `out` needs room for 16 characters.
char *writeSingleText(char *out, float value);

} // namespace kelvra

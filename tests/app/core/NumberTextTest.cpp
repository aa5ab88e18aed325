#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <random>
#include <string>

using namespace kelvra;

namespace {

std::string standardText(float value)
{
	char buffer[32];
	const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
			std::chars_format::general, 7)
					 .ptr;
	return {buffer, end};
}

std::string fastText(float value)
{
	char buffer[32];
	return {buffer, writeSingleText(buffer, value)};
}

} // namespace

// CSV files must not change by a byte when the faster formatting is used.
TEST(NumberText, FastSingleTextEqualsThePrecisionFormatting)
{
	for (float value : {0.0f, -0.0f, 1.0f, -1.0f, 0.1f, 1e-5f, 1e-4f, 9999999.5f, 999999.94f,
			     1234567.5f, 1e6f, 1e7f, 0.00012345678f, 123456789.0f, 3.4e38f, 1e-40f,
			     -8000.0f, 1234.5678f})
		EXPECT_EQ(standardText(value), fastText(value)) << standardText(value);

	std::mt19937 random(7);
	for (int i = 0; i < 1000000; ++i) {
		const auto value = std::bit_cast<float>(static_cast<uint32_t>(random()));
		if (std::isfinite(value)) {
			ASSERT_EQ(standardText(value), fastText(value));
		}
	}
	for (int32_t i = -2000000; i <= 2000000; i += 3) { // samples as units deliver them
		const float value = static_cast<float>(i) * 0.37f;
		ASSERT_EQ(standardText(value), fastText(value));
	}
}

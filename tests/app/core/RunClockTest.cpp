#include "core/RunClock.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(RunClock, HoursTextAndTypedMomentsReadAlike)
{
	struct Case {
		double seconds;
		int decimals;
		const char *text;
	};
	for (auto c : {Case{3723.25, 3, "1:02:03.250"}, Case{59.9996, 3, "0:01:00.000"},
			     Case{-0.0004, 3, "0:00:00.000"}, Case{-90.5, 1, "-0:01:30.5"},
			     Case{90000.0, 0, "25:00:00"}}) {
		EXPECT_EQ(QString::fromLatin1(c.text), HoursText(c.seconds, c.decimals))
				<< c.seconds;
		EXPECT_NEAR(c.seconds, readElapsed(QString::fromLatin1(c.text)).value_or(-1e9),
				0.5 * std::pow(10.0, -c.decimals))
				<< c.text;
	}
	EXPECT_EQ(123.5, readElapsed(QStringLiteral(" 2:03.5")));
	EXPECT_EQ(12.5, readElapsed(QStringLiteral("12.5")));
	for (const char *refused : {"1:60:00", "1:2:3:4", "a:00", "1:-5", ":"})
		EXPECT_FALSE(readElapsed(QString::fromLatin1(refused))) << refused;
}

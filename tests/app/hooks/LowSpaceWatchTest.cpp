#include "hooks/LowSpaceWatch.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(LowSpaceWatch, ToldOnceBelowTheLimitAndOnceBackBeyondItsMargin)
{
	struct Case {
		const char *option;
		double bytesPerSecond;
		std::vector<std::optional<qint64>> free;
		const char *told; // per reading: '.' nothing, 'L' low, 'B' back
		const char *header;
	};
	const Case cases[] = {
			// 2 GB, a margin of 100 MB.
			{"2GB", 0.0,
					{5'000'000'000, 2'000'000'000, 1'999'000'000, 1'500'000'000,
							2'090'000'000, 2'100'000'000,
							1'990'000'000},
					"..L..BL", "空き容量不足 1.99 GB（下限 2 GB）"},
			// 6 h at 1 kB/s: 21.6 MB, with the least margin of 10 MB.
			{"6h", 1000.0, {21'000'000, 31'000'000, 31'600'000}, "L.B", "空き 31.6 MB"},
			{"6h", 1000.0, {21'000'000}, "L",
					"空き容量不足 21 MB（下限 6時間（21.6 MB））"},
			// An unknown free space changes nothing; with no unit in use
			// nothing is written and no space is too little.
			{"30m", 0.0, {0, std::nullopt}, "..", "空き容量 不明"},
	};
	for (const Case &c : cases) {
		size_t next = 0;
		LowSpaceWatch w(*ParseMinFree(QString::fromUtf8(c.option)).minFree,
				[&] { return c.free[next++]; });
		w.setBytesPerSecond(c.bytesPerSecond);
		std::string told;
		while (next < c.free.size()) {
			const std::optional<SpaceChange> change = w.check();
			told += !change ? '.' : change->low ? 'L' : 'B';
		}
		EXPECT_EQ(c.told, told) << c.option;
		EXPECT_EQ(c.header, w.stateText().toStdString()) << c.option;
	}
	const SpaceChange change{true, 1'900'000'000, 2'000'000'000, {MinFree::Form::Size, 2e9}};
	EXPECT_EQ((HookEvent{HookKind::LowSpace, -1, 60.0, 1.9e9,
				  QStringLiteral("空き容量 1.9 GB が下限 2 GB を下回りました")}),
			LowSpaceEvent(change, 60.0));
}

TEST(MinFree, SizesAndTimesInDecimalUnitsAndNothingElse)
{
	using enum MinFree::Form;
	const std::pair<const char *, MinFree> taken[] = {{"2GB", {Size, 2e9}},
			{"500MB", {Size, 5e8}}, {" 1.5 gb", {Size, 1.5e9}}, {"10kB", {Size, 1e4}},
			{"1TB", {Size, 1e12}}, {"6h", {Time, 21600}}, {"30m", {Time, 1800}},
			{"30min", {Time, 1800}}, {"90s", {Time, 90}}, {"2d", {Time, 172800}}};
	for (const auto &[text, expected] : taken)
		EXPECT_EQ(expected, ParseMinFree(QString::fromUtf8(text)).minFree) << text;
	for (const char *refused : {"", "2", "GB", "-1GB", "0MB", "2GiB", "6x", "1,5GB", "1e3GB",
			     "2000000TB"}) {
		const MinFreeCheck check = ParseMinFree(QString::fromUtf8(refused));
		EXPECT_FALSE(check.minFree) << refused;
		EXPECT_TRUE(check.message.contains(QStringLiteral("6h"))) << refused;
	}
}

// A unit watched with a warning at 100 and an alarm at 200 above, a warning
// at -100 below, and a hysteresis of 10: each row feeds a signal and states
// the events and the shown state a user sees.

#include "limits/LimitMonitor.h"
#include "fakes/MapStore.h"
#include "limits/LimitEntries.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

using Kind = LimitEvent::Kind;

struct Expected {
	Kind kind;
	int32_t sample;
	LimitLevel level;
	LimitSide side;
};

LimitSettings watchedUnit1()
{
	LimitSettings limits;
	UnitLimits &u = limits.units[1];
	u.setLevel(LimitLevel::Warning, LimitSide::Upper, 100.0f);
	u.setLevel(LimitLevel::Alarm, LimitSide::Upper, 200.0f);
	u.setLevel(LimitLevel::Warning, LimitSide::Lower, -100.0f);
	u.hysteresis = 10.0f;
	return limits;
}

} // namespace

TEST(LimitMonitor, CrossingsReturnsAndTheLatchedState)
{
	constexpr auto W = LimitLevel::Warning;
	constexpr auto A = LimitLevel::Alarm;
	constexpr auto Up = LimitSide::Upper;
	constexpr auto Low = LimitSide::Lower;
	const struct {
		const char *what;
		std::vector<std::optional<float>> signal;
		std::vector<Expected> events;
		LimitState current, latched;
	} rows[] = {
			{"inside", {0, 50, 100, -100}, {}, LimitState::Normal, LimitState::Normal},
			{"warning, latched after the return", {0, 101, 95, 89},
					{{Kind::Warning, 2, W, Up}, {Kind::Clear, 4, W, Up}},
					LimitState::Normal, LimitState::Warning},
			{"the hysteresis holds a value near the level", {101, 92, 101, 92},
					{{Kind::Warning, 1, W, Up}}, LimitState::Warning,
					LimitState::Warning},
			{"alarm passes the warning too", {0, 250},
					{{Kind::Warning, 2, W, Up}, {Kind::Alarm, 2, A, Up}},
					LimitState::Alarm, LimitState::Alarm},
			{"alarm latched while only the warning is left", {250, 150},
					{{Kind::Warning, 1, W, Up}, {Kind::Alarm, 1, A, Up},
							{Kind::Clear, 2, A, Up}},
					LimitState::Warning, LimitState::Alarm},
			{"lower level", {-101, -80},
					{{Kind::Warning, 1, W, Low}, {Kind::Clear, 2, W, Low}},
					LimitState::Normal, LimitState::Warning},
			{"back exactly at the hysteresis, on either side",
					{101, 90.0001f, 90, -101, -90},
					{{Kind::Warning, 1, W, Up}, {Kind::Clear, 3, W, Up},
							{Kind::Warning, 4, W, Low},
							{Kind::Clear, 5, W, Low}},
					LimitState::Normal, LimitState::Warning},
			{"a sample without data passes nothing", {std::nullopt, 0}, {},
					LimitState::Normal, LimitState::Normal},
	};
	for (const auto &row : rows) {
		LimitMonitor monitor;
		monitor.setLimits(watchedUnit1());
		std::vector<LimitEvent> events;
		int32_t sample = 0;
		for (const auto value : row.signal) {
			monitor.check(0, ++sample, value, events); // unit 0 is not watched
			monitor.check(1, sample, value, events);
		}
		ASSERT_EQ(row.events.size(), events.size()) << row.what;
		for (size_t i = 0; i < events.size(); ++i) {
			EXPECT_EQ(row.events[i].kind, events[i].kind) << row.what;
			EXPECT_EQ(1, events[i].unit) << row.what;
			EXPECT_EQ(row.events[i].sample, events[i].sample) << row.what;
			EXPECT_EQ(row.events[i].level, events[i].level) << row.what;
			EXPECT_EQ(row.events[i].side, events[i].side) << row.what;
		}
		EXPECT_EQ(row.current, monitor.current(1)) << row.what;
		EXPECT_EQ(row.latched, monitor.latched(1)) << row.what;
		monitor.acknowledge();
		EXPECT_EQ(row.current, monitor.latched(1))
				<< row.what << ": acknowledged, what is still beyond stays";
	}
}

TEST(LimitEntries, RefusalsAndTheStoredRoundTrip)
{
	ModuleData md;
	md.Channels[0].Mflag = md.Channels[2].Mflag = kTrue;
	const auto entries = [](QString warning, QString alarm, QString hysteresis) {
		LimitEntries e;
		e[2].levels[0][0] = {true, warning};
		e[2].levels[1][0] = {true, alarm};
		e[2].hysteresis = hysteresis;
		e[1].levels[0][0] = {true, QStringLiteral("not checked: unit 1 is not in use")};
		return e;
	};
	const struct {
		LimitEntries entries;
		QString message;
	} rows[] = {
			{entries(QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("5")),
					QString()},
			{entries(QStringLiteral("abc"), QStringLiteral("200"), QStringLiteral("5")),
					QStringLiteral("リミットの値に誤りがあります。")},
			{entries(QStringLiteral("300"), QStringLiteral("200"), QStringLiteral("5")),
					QStringLiteral("警告のレベルが異常のレベルを超えています。")},
			{entries(QStringLiteral("100"), QStringLiteral("200"),
					 QStringLiteral("-1")),
					QStringLiteral("ヒステリシスに誤りがあります。")},
	};
	for (const auto &row : rows) {
		const LimitCheck check = CheckLimits(row.entries, md, LimitSettings{});
		EXPECT_EQ(row.message, check.message);
		EXPECT_EQ(row.message.isEmpty(), check.limits.has_value());
	}

	const LimitSettings limits = *CheckLimits(rows[0].entries, md, LimitSettings{}).limits;
	MapStore store;
	SaveLimits(store, limits);
	const LimitSettings read = LoadLimits(store);
	EXPECT_EQ(200.0f, read.units[2].level(LimitLevel::Alarm, LimitSide::Upper));
	EXPECT_EQ(5.0f, read.units[2].hysteresis);
	EXPECT_FALSE(read.units[1].any());
	store.values[QStringLiteral("LimitAlarmUpper2")] = QStringLiteral("50");
	EXPECT_FALSE(LoadLimits(store).units[2].any())
			<< "a stored warning beyond its alarm leaves the unit unwatched";
}

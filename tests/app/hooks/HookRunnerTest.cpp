#include "hooks/HookRunner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <sys/resource.h>

using namespace kelvra;

namespace {

// A hook that is a shell script of `body`, beside the files it writes (in
// the folder "$D"), with a time limit of a second.
class HookRig {
public:
	explicit HookRig(const char *body, const char *arguments = "",
			HookKinds kinds = HookKinds::all())
	{
		script = dir.filePath(QStringLiteral("hook.sh"));
		QFile file(script);
		EXPECT_TRUE(file.open(QIODevice::WriteOnly));
		file.write(QByteArray("#!/bin/sh\nD=$(dirname \"$0\")\n") + body + '\n');
		file.close();
		file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
		const HookCommandCheck check = ParseHookCommand(u'"' + script +
				QStringLiteral("\" ") + QString::fromUtf8(arguments));
		EXPECT_TRUE(check.command) << check.message.toStdString();
		runner = std::make_unique<HookRunner>(*check.command, kinds);
		runner->setTimeLimitMs(1000);
		runner->setRecording(QStringLiteral("/data/run a.kvr"));
		runner->onReport = [this](const HookReport &r) { reports.push_back(r); };
	}

	bool runUntilIdle(int deadlineMs = 20000)
	{
		QEventLoop loop;
		runner->onIdle = [&loop] { loop.quit(); };
		QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
		if (!runner->idle())
			loop.exec();
		return runner->idle();
	}

	// The lines of a file the hook wrote, joined by '|'.
	std::string written(const QString &name) const
	{
		QFile file(dir.filePath(name));
		if (!file.open(QIODevice::ReadOnly))
			return {};
		QStringList lines =
				QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
		return lines.join(u'|').toStdString();
	}

	QTemporaryDir dir;
	QString script;
	std::unique_ptr<HookRunner> runner;
	std::vector<HookReport> reports;
};

HookEvent event(HookKind kind, const QString &text = {})
{
	return {kind, 0, 1.0, std::nullopt, text};
}

} // namespace

TEST(HookRunner, HookFindsTheEventInItsEnvironmentAndNothingInherited)
{
	qputenv("KELVRA_UNIT", "stale");
	qputenv("KELVRA_VALUE", "stale");
	const std::pair<HookEvent, const char *> cases[] = {
			{{HookKind::Alarm, 2, 12.3456, 101.5,
					 QStringLiteral("ID2 上限 100 (101.5)")},
					"EVENT=alarm|RECORDING=/data/run a.kvr|TEXT=ID2 上限 100 (101.5)|"
					"TIME=12.346|UNIT=2|VALUE=101.5"},
			{{HookKind::LowSpace, -1, 7200.0, 1.9e9, QStringLiteral("空き")},
					"EVENT=low-space|RECORDING=/data/run a.kvr|TEXT=空き|TIME=7200.000|UNIT=|"
					"VALUE=1900000000"},
			{{HookKind::RunEnd, -1, 0.0, std::nullopt, {}},
					"EVENT=run-end|RECORDING=/data/run a.kvr|TEXT=|TIME=0.000|UNIT=|VALUE="},
	};
	HookRig rig(R"(env | grep '^KELVRA_' | cut -c8- | LC_ALL=C sort > "$D/env")");
	for (const auto &[event, expected] : cases) {
		rig.runner->notify(event);
		ASSERT_TRUE(rig.runUntilIdle());
		EXPECT_EQ(expected, rig.written(QStringLiteral("env")));
	}
	qunsetenv("KELVRA_UNIT");
	qunsetenv("KELVRA_VALUE");
}

TEST(HookRunner, CommandIsSplitIntoWordsAndNothingIsInterpreted)
{
	const std::pair<const char *, const char *> cases[] = {
			{R"("a b; rm -rf x" $HOME)", "a b; rm -rf x|$HOME"},
			{R"('two words' """quoted""")", R"('two|words'|"quoted")"},
			{"*.kvr `id` | cat", "*.kvr|`id`|||cat"},
	};
	for (const auto &[arguments, words] : cases) {
		HookRig rig(R"(for a in "$@"; do printf '%s\n' "$a"; done > "$D/args")", arguments);
		rig.runner->notify(event(HookKind::Alarm));
		ASSERT_TRUE(rig.runUntilIdle());
		EXPECT_EQ(words, rig.written(QStringLiteral("args")));
	}
	QTemporaryFile notAProgram; // read and write only
	ASSERT_TRUE(notAProgram.open());
	for (const QString &refused : {QString(), QStringLiteral("  "),
			     QStringLiteral("/no/such/hook"), QStringLiteral("no-such-kelvra-hook"),
			     notAProgram.fileName()})
		EXPECT_FALSE(ParseHookCommand(refused).message.isEmpty()) << refused.toStdString();
}

TEST(HookRunner, KindsNarrowWhatRunsAHookAndUnknownOnesAreRefused)
{
	const HookKindsCheck chosen = ParseHookKinds(QStringLiteral(" alarm , low-space"));
	ASSERT_TRUE(chosen.kinds);
	EXPECT_TRUE(chosen.kinds->has(HookKind::Alarm) && chosen.kinds->has(HookKind::LowSpace));
	EXPECT_FALSE(chosen.kinds->has(HookKind::Dropout));
	for (const char *refused : {"", "alarm,mail", "hook", "alarm,"}) {
		const HookKindsCheck check = ParseHookKinds(QString::fromUtf8(refused));
		EXPECT_FALSE(check.kinds) << refused;
		EXPECT_TRUE(check.message.contains(QStringLiteral("disk-trouble, low-space")));
	}
	HookRig rig("exit 0", "", *chosen.kinds);
	for (HookKind kind : {HookKind::Dropout, HookKind::Hook, HookKind::HooksDropped})
		rig.runner->notify(event(kind));
	EXPECT_TRUE(rig.runner->idle()) << "neither an unchosen kind nor a report runs a hook";
}

TEST(HookRunner, OneHookAtATimeAndAFullQueueIsCountedAndTold)
{
	HookRig rig(R"([ -e "$D/lock" ] && echo overlap >> "$D/log"; : > "$D/lock"
		echo "$KELVRA_TEXT" >> "$D/log"; rm "$D/lock")");
	std::string expected;
	for (int i = 1; i <= HookRunner::kQueueLimit + 5; ++i) {
		rig.runner->notify(event(HookKind::Dropout, QString::number(i)));
		if (i <= HookRunner::kQueueLimit)
			expected += (i > 1 ? "|" : "") + std::to_string(i);
	}
	ASSERT_TRUE(rig.runUntilIdle(60000));
	EXPECT_EQ(expected, rig.written(QStringLiteral("log")));
	ASSERT_EQ(HookRunner::kQueueLimit + 1, static_cast<int>(rig.reports.size()));
	const HookEvent told = ReportEvent(rig.reports.back());
	EXPECT_EQ(HookKind::HooksDropped, told.kind);
	EXPECT_EQ(5.0, told.value);
}

// A killed process is gone, or a zombie, once the signal has been handled:
// on a busy machine that takes a moment.
bool endsSoon(const QString &pid)
{
	for (int tries = 0; tries < 100; ++tries) {
		QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
		if (!stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z "))
			return true;
		QThread::msleep(20);
	}
	return false;
}

#ifdef __SANITIZE_ADDRESS__
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(HookRunner, FailingFloodingCrashingAndHungHooksAreReported)
{
	using End = HookReport::End;
	const struct {
		const char *body;
		End end;
		int exitStatus;
		std::string firstLine;
	} cases[] = {
			{"echo 'no mail host' >&2; echo more; exit 3", End::Exited, 3,
					"no mail host"},
			{"echo first; head -c 100000000 /dev/zero", End::Exited, 0, "first"},
			{"head -c 100000000 /dev/zero | tr '\\0' y", End::Exited, 0,
					std::string(200, 'y')},
			{"kill -SEGV $$", End::Crashed, 0, ""},
			{R"(echo waiting; sleep 30 & echo $! > "$D/child"; wait)", End::Killed, 0,
					"waiting"},
			{"", End::NotStarted, 0, ""},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.body);
		HookRig rig(c.body);
		// A flood takes its time on a loaded machine; only the hung hook meets the limit.
		rig.runner->setTimeLimitMs(c.end == End::Killed ? 1000 : 15000);
		if (c.end == End::NotStarted)
			QFile::setPermissions(rig.script, QFile::ReadOwner);
		rusage before{}, after{};
		getrusage(RUSAGE_SELF, &before);
		rig.runner->notify(event(HookKind::DiskTrouble));
		ASSERT_TRUE(rig.runUntilIdle());
		getrusage(RUSAGE_SELF, &after);
		// The address sanitizer keeps freed blocks in quarantine, so the
		// peak grows there however promptly the runner lets the output go.
		if (!kAddressSanitizer) {
			EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 32 * 1024)
					<< "a flood is read, let go";
		}
		ASSERT_EQ(1u, rig.reports.size());
		const HookReport &r = rig.reports.front();
		EXPECT_EQ(c.end, r.end);
		EXPECT_EQ(c.exitStatus, r.exitStatus);
		// A hook that did not start has the reason as its line.
		EXPECT_EQ(c.end == End::NotStarted, r.firstLine.toStdString() != c.firstLine);
		EXPECT_EQ(c.end == End::Exited, ReportEvent(r).value == c.exitStatus);
		const std::string child = rig.written(QStringLiteral("child"));
		EXPECT_TRUE(child.empty() || endsSoon(QString::fromStdString(child)))
				<< "what the hook started ends with it";
	}
}

TEST(HookRunner, CallerNeverWaitsForASleepingHook)
{
	HookRig rig("sleep 10");
	rig.runner->notify(event(HookKind::RunEnd));
	int ticks = 0;
	QTimer tick;
	tick.callOnTimeout([&ticks] { ++ticks; });
	tick.start(10);
	EXPECT_FALSE(rig.runUntilIdle(500)) << "notify() did not wait for the hook";
	EXPECT_GE(ticks, 10) << "the event loop turned on while the hook slept";
	rig.runner->stop();
	ASSERT_TRUE(rig.runUntilIdle());
	EXPECT_EQ(HookReport::End::Stopped, rig.reports.at(0).end);
}

// The runner and the watch live on the event loop of a Qt application.
int main(int argc, char *argv[])
{
	QCoreApplication app(argc, argv);
	::testing::InitGoogleTest(&argc, argv);
	return RUN_ALL_TESTS();
}

// kelvra-cli record --on-event and --min-free against emulated units: the
// hook sees the event in its environment, and what became of it is kept in
// the recording, its info and its events CSV.

#include "fakes/KelvraCliRunner.h"
#include "recording/RecordingReader.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

TEST_F(KelvraCli, AHookRunsForTheEventsOfARecordingAndItsReportIsKept)
{
	// The hook appends its environment to env.txt, says one line and exits with $1.
	QFile hook(path("hook.sh"));
	ASSERT_TRUE(hook.open(QIODevice::WriteOnly));
	hook.write("#!/bin/sh\nenv | grep '^KELVRA_' | sort >> \"$(dirname \"$0\")/env.txt\"\n"
		   "echo \"---\" >> \"$(dirname \"$0\")/env.txt\"\necho \"told $KELVRA_EVENT\"\n"
		   "exit \"$1\"\n");
	hook.close();
	hook.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

	const struct {
		const char *name;
		QStringList options;
		const char *status;
		const char *environment; // a part of env.txt
		const char *unit;
		const char *told; // the hook's report, in info and the events CSV
		int lowSpaceEvents;
	} rows[] = {
			{"alarm", {QStringLiteral("--on-event-kinds"), QStringLiteral("alarm")},
					"0",
					"KELVRA_EVENT=alarm\nKELVRA_RECORDING=%1\nKELVRA_TEXT=upper 200 "
					"(250)\nKELVRA_TIME=0.030\nKELVRA_UNIT=0\nKELVRA_VALUE=250\n---\n",
					"0", "hook for alarm: exit status 0: told alarm", 0},
			{"failing", {QStringLiteral("--on-event-kinds"), QStringLiteral("alarm")},
					"3", "KELVRA_EVENT=alarm\n", "0",
					"hook for alarm: exit status 3: told alarm", 0},
			{"space", {QStringLiteral("--min-free"), QStringLiteral("1000TB")}, "0",
					"KELVRA_EVENT=low-space\n", "",
					"hook for low-space: exit status 0: told low-space", 1},
	};
	for (const auto &row : rows) {
		SCOPED_TRACE(row.name);
		QFile::remove(path("env.txt"));
		const QString file = path(row.name) + QStringLiteral(".kvr");
		// An alarm every seventh sample, the first at 0.03 s; a second of recording.
		const Outcome outcome = run(
				QStringList{QStringLiteral("record"),
						QStringLiteral("--continuous"),
						QStringLiteral("--out"), file,
						QStringLiteral("--emulate"),
						QStringLiteral("id=0,signal=seq:0:50:150:250:150:50:0"),
						QStringLiteral("--units"), QStringLiteral("0"),
						QStringLiteral("--interval-ms"),
						QStringLiteral("10"), QStringLiteral("--samples"),
						QStringLiteral("100"), QStringLiteral("--limit"),
						QStringLiteral("0:upper:alarm:200"),
						QStringLiteral("--on-event"),
						path("hook.sh") + QLatin1Char(' ') +
								QString::fromLatin1(row.status)} +
				row.options);
		ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();

		QFile environment(path("env.txt"));
		ASSERT_TRUE(environment.open(QIODevice::ReadOnly));
		EXPECT_TRUE(QString::fromUtf8(environment.readAll())
						.startsWith(QString::fromUtf8(row.environment)
										.arg(file)));

		const Outcome info = run({QStringLiteral("info"), file});
		const QString told = QString::fromLatin1(row.told);
		EXPECT_TRUE(info.output.contains(QStringLiteral("hook ") + told))
				<< info.output.toStdString();
		ASSERT_EQ(0,
				run({QStringLiteral("convert"), file,
						    path(row.name) + QStringLiteral(".csv"),
						    QStringLiteral("--csv-encoding"),
						    QStringLiteral("utf-8")})
						.status);
		QFile events(path(row.name) + QStringLiteral("-events.csv"));
		ASSERT_TRUE(events.open(QIODevice::ReadOnly));
		const QString csv = QString::fromUtf8(events.readAll());
		EXPECT_TRUE(csv.contains(QStringLiteral(",%1,hook,\"%2\"\r\n")
							 .arg(QString::fromLatin1(row.unit), told)))
				<< csv.toStdString();
		EXPECT_EQ(row.lowSpaceEvents, csv.count(QStringLiteral(",low-space,")));
	}
}

TEST_F(KelvraCli, UnattendedOptionsThatCannotWorkAreRefusedAtTheStart)
{
	const struct {
		QStringList options;
		const char *message;
	} rows[] = {
			{{QStringLiteral("--on-event"), QStringLiteral("/no/such/hook")},
					"the program '/no/such/hook' of --on-event"},
			{{QStringLiteral("--on-event"), QStringLiteral("true"),
					 QStringLiteral("--on-event-kinds"),
					 QStringLiteral("alarm,fire")},
					"'fire'"},
			{{QStringLiteral("--on-event-kinds"), QStringLiteral("alarm")},
					"--on-event-kinds goes with --on-event"},
			{{QStringLiteral("--min-free"), QStringLiteral("2 parsecs")},
					"--min-free '2 parsecs'"},
	};
	for (const auto &row : rows) {
		const Outcome outcome =
				run(QStringList{QStringLiteral("record"),
						    QStringLiteral("--continuous"),
						    QStringLiteral("--out"), path("refused.kvr"),
						    QStringLiteral("--emulate"),
						    QStringLiteral("id=0")} +
						row.options);
		EXPECT_EQ(2, outcome.status) << row.message;
		EXPECT_TRUE(outcome.errors.contains(QString::fromUtf8(row.message)))
				<< outcome.errors.toStdString();
		EXPECT_FALSE(QFile::exists(path("refused.kvr")));
	}
	const Outcome fileRun = run({QStringLiteral("record"), QStringLiteral("--out"),
			path("refused.vn2"), QStringLiteral("--emulate"), QStringLiteral("id=0"),
			QStringLiteral("--min-free"), QStringLiteral("2GB")});
	EXPECT_EQ(2, fileRun.status);
	EXPECT_TRUE(fileRun.errors.contains(QStringLiteral("--min-free goes with --continuous")));
}

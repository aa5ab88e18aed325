// kelvra-cli as a user runs it, against emulated units.

#include "fakes/KelvraCliRunner.h"
#include "fakes/QtPrinting.h"
#include "files/DataFile.h"
#include "files/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

TEST_F(KelvraCli, PlainBlockRunKeepsExactlyTheSamplesAsked)
{
	const Outcome outcome = recordPlainFile();
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();

	ModuleData md;
	md.InitDataArray();
	ASSERT_TRUE(ReadDataFile(md, path("plain.vn2")).ok);
	EXPECT_EQ(12, md.DataCount);
	EXPECT_EQ(kTrue, md.Channels[0].Mflag);
	EXPECT_EQ(kFalse, md.Channels[1].Mflag);
	EXPECT_EQ(kTrue, md.Channels[2].Mflag);
	for (int k = 1; k <= 12; ++k)
		EXPECT_EQ(static_cast<float>((k - 1) % 5 + 1), md.SampleAt(0, k));
	EXPECT_EQ(-1.0f, md.SampleAt(2, 12));
	EXPECT_EQ(QStringLiteral("試験 A"), md.MemoStr[0]);
	EXPECT_EQ(10, md.settings.IntervalTM);
}

TEST_F(KelvraCli, AveragedRunStoresMeansOfTheUnitSamples)
{
	const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--out"),
			path("average.csv"), QStringLiteral("--emulate"),
			QStringLiteral("id=0,signal=seq:1:2:6,block=20"), QStringLiteral("--units"),
			QStringLiteral("0"), QStringLiteral("--interval-ms"), QStringLiteral("30"),
			QStringLiteral("--average"), QStringLiteral("--samples"),
			QStringLiteral("5")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const auto rows = csvRows(path("average.csv"));
	ASSERT_EQ(5u, rows.size());
	for (const QStringList &row : rows)
		EXPECT_EQ(QStringLiteral("3"), row[0]) << "three 10-ms samples 1, 2, 6 per value";
}

TEST_F(KelvraCli, TriggerCaptureLinesUpOnTheTriggerSample)
{
	const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--out"),
			path("trigger.csv"), QStringLiteral("--emulate"),
			QStringLiteral("id=1,kind=1,signal=seq:0:0:0:0:0:0:0:0:0:0:900:0:0:0:0:0:0:0:0,block=6;"
				       "id=3,signal=seq:1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18:19,block=6"),
			QStringLiteral("--units"), QStringLiteral("1,3"),
			QStringLiteral("--interval-ms"), QStringLiteral("10"),
			QStringLiteral("--trigger-upper"), QStringLiteral("500"),
			QStringLiteral("--trigger-unit"), QStringLiteral("1"),
			QStringLiteral("--pre"), QStringLiteral("4"), QStringLiteral("--post"),
			QStringLiteral("3")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const auto rows = csvRows(path("trigger.csv"));
	ASSERT_EQ(7u, rows.size());
	for (int r = 0; r < 7; ++r) {
		EXPECT_EQ(QString::number(r + 7), rows[r][3]) << "row " << r;
		EXPECT_EQ(r == 4 ? QStringLiteral("900") : QStringLiteral("0"), rows[r][1])
				<< "row " << r;
	}
}

TEST_F(KelvraCli, PcTimedRunOfTwoSamples)
{
	const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--out"),
			path("single.csv"), QStringLiteral("--emulate"),
			QStringLiteral("id=0,signal=const:12.5"), QStringLiteral("--units"),
			QStringLiteral("0"), QStringLiteral("--interval-s"), QStringLiteral("1"),
			QStringLiteral("--samples"), QStringLiteral("2"),
			QStringLiteral("--display-unit"), QStringLiteral("kgf"),
			QStringLiteral("--rated-output"), QStringLiteral("0:2:mV/V"),
			QStringLiteral("--capacity"), QStringLiteral("0:400")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const auto rows = csvRows(path("single.csv"));
	ASSERT_EQ(2u, rows.size());
	EXPECT_EQ(QStringLiteral("1.25"), rows[0][0]) << "400 x 12.5 / (2 x 2000)";
}

TEST_F(KelvraCli, EmulatedUnitsWithNothingStoredGetTheWindowsFirstLook)
{
	const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--out"),
			path("first.vn2"), QStringLiteral("--emulate"),
			QStringLiteral("id=1,signal=const:5;id=3,kind=1,signal=const:-2"),
			QStringLiteral("--samples"), QStringLiteral("3")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	EXPECT_EQ(QStringLiteral("kelvra-cli: the run ended; %1 holds 3 samples\n")
					.arg(path("first.vn2")),
			outcome.errors)
			<< "a run that ends by itself names its file and samples";
	ModuleData md;
	md.InitDataArray();
	ASSERT_TRUE(ReadDataFile(md, path("first.vn2")).ok);
	for (int u = 0; u < kUnitCount; ++u)
		EXPECT_EQ(u >= 2 ? kTrue : kFalse, md.Channels[u].Mflag)
				<< "unit " << u; // the 16-bit unit 1 as 2
	EXPECT_EQ(kFalse, md.settings.TimerType);
	EXPECT_EQ(100, md.settings.IntervalTM);
	EXPECT_EQ(3, md.DataCount);
}

TEST_F(KelvraCli, OutThatCannotBeWrittenIsRefusedBeforeAnyUnitOpens)
{
	QDir(dir.path()).mkdir(QStringLiteral("folder.vn2"));
	QDir(dir.path()).mkdir(QStringLiteral("locked"));
	QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
	const bool lockable =
			!QFile(path("locked/probe")).open(QIODevice::WriteOnly); // not so for root
	for (const QString &out :
			{path("folder.vn2"), path("missing/run.vn2"), path("locked/run.csv")}) {
		if (out.contains(QStringLiteral("locked")) && !lockable)
			continue;
		SCOPED_TRACE(out.toStdString());
		// Unit 0 is not there: opening it would fail with a device error.
		const Outcome outcome = run({QStringLiteral("record"), QStringLiteral("--out"), out,
				QStringLiteral("--emulate"), QStringLiteral("id=2"),
				QStringLiteral("--units"), QStringLiteral("0")});
		EXPECT_EQ(1, outcome.status);
		EXPECT_TRUE(outcome.errors.startsWith(
				QStringLiteral("kelvra-cli: cannot write %1: ").arg(out)))
				<< outcome.errors.toStdString();
		EXPECT_FALSE(outcome.errors.contains(
				QStringLiteral("指定のデバイスが見つからない")));
		EXPECT_FALSE(outcome.errors.contains(QStringLiteral("The unit was not found")));
	}
	QFile::setPermissions(path("locked"),
			QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(KelvraCli, BadUsageAndDeviceErrors)
{
	locale = QStringLiteral("C.UTF-8");
	const QString out = path("never.csv");
	const QStringList bad[] = {
			{QStringLiteral("record")},
			{QStringLiteral("record"), QStringLiteral("--out"), path("x.txt")},
			{QStringLiteral("record"), QStringLiteral("--out"), out,
					QStringLiteral("--interval-ms"), QStringLiteral("15")},
			{QStringLiteral("record"), QStringLiteral("--out"), out,
					QStringLiteral("--units"), QStringLiteral("5")},
			{QStringLiteral("record"), QStringLiteral("--out"), out,
					QStringLiteral("--bogus")},
			{QStringLiteral("record"), QStringLiteral("--out"), out,
					QStringLiteral("--trigger-upper"), QStringLiteral("10"),
					QStringLiteral("--samples"), QStringLiteral("3"),
					QStringLiteral("--post"), QStringLiteral("5")},
			{QStringLiteral("record"), QStringLiteral("--out"), out,
					QStringLiteral("--csv-encoding"), QStringLiteral("latin1")},
			{QStringLiteral("record"), QStringLiteral("--out"), path("x.vn2"),
					QStringLiteral("--csv-encoding"), QStringLiteral("utf-8")},
			{QStringLiteral("convert"), QStringLiteral("--csv-encoding"),
					QStringLiteral("utf8"), path("a.vn2"), path("a.csv")},
			{QStringLiteral("frobnicate")},
			{QStringLiteral("info")},
	};
	for (const QStringList &arguments : bad)
		EXPECT_EQ(2, run(arguments).status)
				<< arguments.join(QLatin1Char(' ')).toStdString();

	const Outcome time = run({QStringLiteral("record"), QStringLiteral("--out"), out,
			QStringLiteral("--interval-s"), QStringLiteral("0")});
	EXPECT_EQ(2, time.status);
	EXPECT_TRUE(time.errors.contains(QStringLiteral("時間の入力に誤りがあります。")));

	const Outcome sensor = run({QStringLiteral("record"), QStringLiteral("--out"), out,
			QStringLiteral("--display-unit"), QStringLiteral("N"),
			QStringLiteral("--rated-output"), QStringLiteral("0:5:mV/V")});
	EXPECT_EQ(2, sensor.status);
	EXPECT_TRUE(sensor.errors.contains(QStringLiteral("設定に誤りがあります。")));

	const Outcome missing = run({QStringLiteral("record"), QStringLiteral("--out"), out,
			QStringLiteral("--emulate"), QStringLiteral("id=2"),
			QStringLiteral("--units"), QStringLiteral("0")});
	EXPECT_EQ(1, missing.status);
	EXPECT_TRUE(missing.errors.contains(QStringLiteral("指定のデバイスが見つからない")));
	EXPECT_FALSE(QFile::exists(out));

	EXPECT_EQ(1, run({QStringLiteral("info"), path("missing.vn2")}).status);
	EXPECT_EQ(0, run({QStringLiteral("record"), QStringLiteral("--help")}).status);
}

TEST_F(KelvraCli, FirstContactNamesWhatIsWrong)
{
	QFile text(path("notes.vn2"));
	ASSERT_TRUE(text.open(QIODevice::WriteOnly));
	text.write("measured by hand\n");
	text.close();
	const QString out = path("never.csv");
	const struct {
		QStringList arguments;
		int status;
		QString said; // on standard error, or on standard output for status 0
	} cases[] = {
			{{QStringLiteral("record"), QStringLiteral("--out"), out,
					 QStringLiteral("--emulate"),
					 QStringLiteral("id=0,kind=7")},
					2, QStringLiteral("kind=7")},
			{{QStringLiteral("record"), QStringLiteral("--out"), out,
					 QStringLiteral("--bogus=3")},
					2, QStringLiteral("unknown option '--bogus'")},
			{{QStringLiteral("--frobnicate")}, 2,
					QStringLiteral("unknown option '--frobnicate'")},
			{{QStringLiteral("frobnicate")}, 2,
					QStringLiteral("unknown command 'frobnicate'")},
			{{QStringLiteral("convert"), path("notes.vn2"), path("out.vn2")}, 2,
					QStringLiteral("OUT must name a .csv file")},
			{{QStringLiteral("info"), QStringLiteral("-x"), path("notes.vn2")}, 2,
					QStringLiteral("unknown option '-x'")},
			{{QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("info"),
					 path("notes.vn2")},
					1, QStringLiteral("Kelvraのデータファイルではありません")},
			{{QStringLiteral("recover"), QStringLiteral("--bogus"),
					 QStringLiteral("--out"), path("x.vn2")},
					2, QStringLiteral("unknown option '--bogus'")},
			{{QStringLiteral("record"), QStringLiteral("-h")}, 0,
					QStringLiteral("\n  --emulate DESCRIPTION      use emulated units")},
			{{QStringLiteral("convert"), QStringLiteral("--bogus"),
					 QStringLiteral("--help")},
					0,
					QStringLiteral("\n  --csv-encoding NAME        text of the .csv file")},
			{{QStringLiteral("--version")}, 0,
					QStringLiteral("kelvra-cli %1")
							.arg(QStringLiteral(KELVRA_VERSION))},
	};
	for (const auto &contact : cases) {
		SCOPED_TRACE(contact.arguments.join(QLatin1Char(' ')).toStdString());
		const Outcome outcome = run(contact.arguments);
		EXPECT_EQ(contact.status, outcome.status);
		const QString said = contact.status == 0 ? outcome.output : outcome.errors;
		EXPECT_TRUE(said.contains(contact.said)) << said.toStdString();
	}
	EXPECT_FALSE(QFile::exists(out));
}

TEST_F(KelvraCli, PrintMakesOnePdfPageWithoutADisplay)
{
	if (!run({QStringLiteral("--help")}).output.contains(QStringLiteral("print")))
		GTEST_SKIP() << "built without the window's page code";
	ModuleData md;
	md.InitDataArray();
	md.Channels[1].Mflag = kTrue;
	md.Channels[1].DataNum = md.DataCount = 3;
	ASSERT_TRUE(SaveDataFile(md, path("page.vn2")).ok);

	// "N page, MEDIABOX" from the PDF written, or the failure.
	const auto pdfPage = [this](const QStringList &options) -> std::string {
		const Outcome outcome =
				run(QStringList{QStringLiteral("print"), path("page.vn2"),
						    QStringLiteral("--pdf"), path("page.pdf")} +
						options);
		QFile pdf(path("page.pdf"));
		if (outcome.status != 0 || !outcome.errors.isEmpty() ||
				!pdf.open(QIODevice::ReadOnly))
			return "exit " + std::to_string(outcome.status) + ": " +
					outcome.errors.toStdString();
		const auto match = QRegularExpression(
				QStringLiteral("/MediaBox \\[([^]]*)\\][\\s\\S]*/Count (\\d+)"))
						   .match(QString::fromLatin1(pdf.readAll()));
		return (match.captured(2) + QStringLiteral(" page, ") + match.captured(1))
				.toStdString();
	};
	qunsetenv("DISPLAY");
	EXPECT_EQ("1 page, 0 0 595.000000 842.000000", pdfPage({})) << "A4 portrait";
	EXPECT_EQ("1 page, 0 0 420.000000 595.000000",
			pdfPage({QStringLiteral("--page-size"), QStringLiteral("a5")}));
	EXPECT_TRUE(pdfPage({QStringLiteral("--page-size"), QStringLiteral("huge")})
					.ends_with("unknown page size huge\n"));
	const Outcome text = run({QStringLiteral("print"), path("page.vn2"),
			QStringLiteral("--pdf"), path("page.txt")});
	EXPECT_EQ(2, text.status);
	EXPECT_TRUE(text.errors.contains(QStringLiteral("--pdf must name a .pdf file")))
			<< text.errors.toStdString();

	md.DataCount = 0;
	ASSERT_TRUE(SaveDataFile(md, path("page.vn2")).ok);
	locale = QStringLiteral("C.UTF-8");
	EXPECT_TRUE(pdfPage({}).ends_with(
			path("page.vn2").toStdString() + ": データがありません。\n"));
}

TEST_F(KelvraCli, TheTriggerMomentAndZeroReferencesAreEventsToo)
{
	const struct {
		QStringList options;
		const char *event;
	} rows[] = {
			{{QStringLiteral("--trigger-upper"), QStringLiteral("100"),
					 QStringLiteral("--pre"), QStringLiteral("1"),
					 QStringLiteral("--post"), QStringLiteral("3")},
					"kelvra-cli: event: 0.02 s ID0 trigger upper 100 (150)\n"},
			{{QStringLiteral("--zero"), QStringLiteral("--samples"),
					 QStringLiteral("3")},
					"kelvra-cli: event: 0.00 s ID0 zero\n"},
	};
	for (const auto &row : rows) {
		const Outcome outcome =
				run(QStringList{QStringLiteral("record"), QStringLiteral("--out"),
						    path("events.vn2"), QStringLiteral("--emulate"),
						    QStringLiteral("id=0,signal=seq:0:50:150:250"),
						    QStringLiteral("--units"), QStringLiteral("0"),
						    QStringLiteral("--interval-ms"),
						    QStringLiteral("10")} +
						row.options);
		ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
		EXPECT_EQ(1, outcome.errors.count(QStringLiteral("event:")));
		EXPECT_TRUE(outcome.errors.contains(QString::fromUtf8(row.event)))
				<< outcome.errors.toStdString();
	}
}

TEST_F(KelvraCli, LimitEventsAreToldAsTheyHappenAndAnAlarmMayEndTheRun)
{
	const auto watching = [&](const char *file, const QStringList &more) {
		return run(QStringList{QStringLiteral("record"), QStringLiteral("--out"),
					   path(file), QStringLiteral("--emulate"),
					   QStringLiteral("id=0,signal=seq:0:50:150:250:150:50:0"),
					   QStringLiteral("--units"), QStringLiteral("0"),
					   QStringLiteral("--interval-ms"), QStringLiteral("10"),
					   QStringLiteral("--limit"),
					   QStringLiteral("0:upper:alarm:200")} +
				more);
	};
	const Outcome outcome = watching("watched.vn2",
			{QStringLiteral("--limit"), QStringLiteral("0:upper:warning:100"),
					QStringLiteral("--hysteresis"), QStringLiteral("0:60"),
					QStringLiteral("--samples"), QStringLiteral("7")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	EXPECT_EQ(QStringLiteral("kelvra-cli: event: 0.02 s ID0 warning upper 100 (150)\n"
				 "kelvra-cli: event: 0.03 s ID0 alarm upper 200 (250)\n"
				 "kelvra-cli: event: 0.05 s ID0 clear alarm upper 200 (50)\n"
				 "kelvra-cli: event: 0.06 s ID0 clear warning upper 100 (0)\n"
				 "kelvra-cli: the run ended; %1 holds 7 samples\n")
					.arg(path("watched.vn2")),
			outcome.errors)
			<< "the hysteresis of 60 holds the alarm at 150 and the warning at 50";

	const Outcome alarm = watching("alarm.vn2", {QStringLiteral("--fail-on-alarm")});
	EXPECT_EQ(3, alarm.status);
	EXPECT_TRUE(alarm.errors.contains(QStringLiteral("stopped at an alarm")))
			<< alarm.errors.toStdString();
	ModuleData md;
	md.InitDataArray();
	EXPECT_TRUE(ReadDataFile(md, path("alarm.vn2")).ok) << "the file is written as at a stop";
	EXPECT_EQ(4, md.DataCount) << "up to the alarm's sample, not the tick's end";
	EXPECT_EQ(1, alarm.errors.count(QStringLiteral("event:"))) << "none after the alarm";
	EXPECT_EQ(2,
			run({QStringLiteral("record"), QStringLiteral("--out"), path("x.vn2"),
					    QStringLiteral("--units"), QStringLiteral("0"),
					    QStringLiteral("--limit"),
					    QStringLiteral("1:upper:alarm:5")})
					.status);
}

TEST_F(KelvraCli, SpeaksEnglishThroughoutUnderAnEnglishLocale)
{
	locale = QStringLiteral("en_US.UTF-8");
	const QString out = path("english.vn2");
	const struct {
		QStringList arguments;
		const char *wanted;
	} cases[] = {
			{{QStringLiteral("--help")}, "Usage: kelvra-cli COMMAND"},
			{{QStringLiteral("record"), QStringLiteral("--help")},
					"Runs one measurement"},
			{{QStringLiteral("record")}, "--out FILE is required"},
			{{QStringLiteral("record"), QStringLiteral("--out"), out,
					 QStringLiteral("--interval-s"), QStringLiteral("0")},
					"The interval is wrong."},
			{{QStringLiteral("record"), QStringLiteral("--out"), out,
					 QStringLiteral("--display-unit"), QStringLiteral("N"),
					 QStringLiteral("--rated-output"),
					 QStringLiteral("0:5:mV/V")},
					"The settings are wrong."},
			{{QStringLiteral("record"), QStringLiteral("--out"), out,
					 QStringLiteral("--emulate"), QStringLiteral("id=2"),
					 QStringLiteral("--units"), QStringLiteral("0")},
					"The unit was not found"},
			{{QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("info"),
					 path("missing.vn2")},
					"cannot read"},
	};
	const QRegularExpression japanese(
			QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
	for (const auto &c : cases) {
		const Outcome outcome = run(c.arguments);
		const QString said = outcome.output + outcome.errors;
		SCOPED_TRACE(said.toStdString());
		EXPECT_TRUE(said.contains(QString::fromUtf8(c.wanted)));
		EXPECT_FALSE(said.contains(japanese));
	}
	locale = QStringLiteral("C.UTF-8");
	EXPECT_TRUE(run({QStringLiteral("record")})
					.errors.contains(QStringLiteral(
							"--out FILE を指定して下さい")));
	EXPECT_TRUE(run({QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("record"),
					QStringLiteral("--out"), out, QStringLiteral("--emulate"),
					QStringLiteral("id=2"), QStringLiteral("--units"),
					QStringLiteral("0")})
					.errors.contains(QStringLiteral(
							"指定のデバイスが見つからない")));
}

// What a newcomer meets with emulated units: a unit reached under the other
// ID, a description in error, and the demo at a fast clock.
TEST_F(KelvraCli, EmulatedUnitsAreExplainedInTheInterfacesLanguage)
{
	const struct {
		QStringList arguments;
		int status;
		const char *said;
	} cases[] = {
			{{QStringLiteral("record"), QStringLiteral("--out"), path("x.vn2"),
					 QStringLiteral("--emulate"),
					 QStringLiteral("id=1;id=3,kind=1"),
					 QStringLiteral("--units"), QStringLiteral("1")},
					1,
					"There is no unit ID1. Units connected: ID2 (a 16-bit unit set to "
					"ID1), ID3\nA 16-bit unit set to 1 or 2 answers under the other ID: "
					"use the unit set to ID1 as ID2."},
			{{QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("record"),
					 QStringLiteral("--out"), path("x.vn2"),
					 QStringLiteral("--emulate"),
					 QStringLiteral("id=0,kind=7")},
					2, "--emulate: 6 文字目のフィールド 'kind=7' を読めません"},
			{{QStringLiteral("record"), QStringLiteral("--out"), path("demo.vn2"),
					 QStringLiteral("--emulate"),
					 QStringLiteral("demo,speed=1000"),
					 QStringLiteral("--interval-ms"), QStringLiteral("10"),
					 QStringLiteral("--samples"), QStringLiteral("2000")},
					1, "samples were lost; "},
	};
	for (const auto &c : cases) {
		const Outcome outcome = run(c.arguments);
		SCOPED_TRACE(outcome.errors.toStdString());
		EXPECT_EQ(c.status, outcome.status);
		EXPECT_TRUE(outcome.errors.contains(QString::fromUtf8(c.said)));
	}
}

// A run ended by SIGTERM (as timeout sends it) is written and told as one
// stopped by Ctrl+C; SIGHUP goes the same way.
TEST_F(KelvraCli, TermStopsARunAsCtrlCDoes)
{
	QProcess process;
	start(process,
			{QStringLiteral("record"), QStringLiteral("--out"), path("term.vn2"),
					QStringLiteral("--emulate"), QStringLiteral("id=0"),
					QStringLiteral("--units"), QStringLiteral("0"),
					QStringLiteral("--interval-ms"), QStringLiteral("10")});
	ASSERT_TRUE(process.waitForStarted());
	QThread::msleep(1500);
	process.terminate();
	ASSERT_TRUE(process.waitForFinished(10000));
	EXPECT_EQ(0, process.exitCode());
	const QString said = QString::fromLocal8Bit(process.readAllStandardError());
	const auto told = QRegularExpression(
			QStringLiteral("stopped by SIGTERM; %1 holds (\\d+) samples")
					.arg(QRegularExpression::escape(path("term.vn2"))))
					  .match(said);
	ASSERT_TRUE(told.hasMatch()) << said.toStdString();
	ModuleData md;
	md.InitDataArray();
	ASSERT_TRUE(ReadDataFile(md, path("term.vn2")).ok);
	EXPECT_EQ(told.captured(1).toInt(), md.DataCount);
	EXPECT_GT(md.DataCount, 50);
}

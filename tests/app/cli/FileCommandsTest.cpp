#include "fakes/KelvraCliRunner.h"
#include "fakes/SmallFileSystem.h"
#include "files/CsvFile.h"
#include "files/DataFile.h"
#include "recording/RecordingStore.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

TEST_F(KelvraCli, InfoAndConvertOfARecordedFile)
{
	const Outcome outcome = recordPlainFile();
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();

	const Outcome info = run({QStringLiteral("info"), path("plain.vn2")});
	ASSERT_EQ(0, info.status);
	EXPECT_TRUE(info.output.contains(QStringLiteral("rows: 12\n")));
	EXPECT_TRUE(info.output.contains(QStringLiteral("units in use: 0,2\n")));
	EXPECT_TRUE(info.output.contains(QStringLiteral("memo 1: 試験 A\n")));

	ASSERT_EQ(0, run({QStringLiteral("convert"), path("plain.vn2"), path("plain.csv")}).status);
	const auto rows = csvRows(path("plain.csv"));
	ASSERT_EQ(12u, rows.size());
	EXPECT_EQ((QStringList{QStringLiteral("3"), QStringLiteral("\"\""), QStringLiteral("-1"),
				  QStringLiteral("\"\"")}),
			rows[2]);

	ASSERT_EQ(0,
			run({QStringLiteral("convert"), QStringLiteral("--csv-encoding"),
					    QStringLiteral("utf-8"), path("plain.vn2"),
					    path("utf8.csv")})
					.status);
	QFile cp932(path("plain.csv"));
	QFile utf8(path("utf8.csv"));
	ASSERT_TRUE(cp932.open(QIODevice::ReadOnly) && utf8.open(QIODevice::ReadOnly));
	EXPECT_EQ(QByteArray("\xEF\xBB\xBF") + fromCodePage932(cp932.readAll()).toUtf8(),
			utf8.readAll());
}

TEST_F(KelvraCli, InfoAndConvertOfALongRecording)
{
	ModuleData md;
	md.Channels[1].Mflag = kTrue;
	md.Channels[2].Mflag = kTrue;
	md.settings.IntervalTM = 100;
	{
		RecordingWriter writer;
		RecordingStore store(RecordingHeaderOf(md, QDateTime::currentDateTime(),
						     SplitPeriod::None),
				path("long"), writer, 0);
		const std::vector<float> values(3000, 2.5f);
		store.add(1, values.data(), 1000);
		store.skip(1, 1000);
		store.add(1, values.data(), 1000);
		store.add(2, values.data(), 3000);
		store.event({250.0, 2, EventKind::Alarm, QStringLiteral("upper 2 (2.5)")});
		store.event({250.0, 1, EventKind::Alarm, QStringLiteral("upper 2 (2.5)")});
		store.event({10.0, -1, EventKind::Marker, QStringLiteral("start")});
	}
	const Outcome info = run({QStringLiteral("info"), path("long.kvr")});
	ASSERT_EQ(0, info.status) << info.errors.toStdString();
	EXPECT_TRUE(info.output.contains(QStringLiteral("samples: 3000\n")));
	EXPECT_TRUE(info.output.contains(QStringLiteral("gap: ID1 from 100 s, 1000 samples\n")))
			<< info.output.toStdString();
	EXPECT_TRUE(info.output.endsWith(QStringLiteral(
			"event: 10.00 s all marker start\nevent: 250.00 s ID1 alarm upper 2 (2.5)\n"
			"event: 250.00 s ID2 alarm upper 2 (2.5)\n")))
			<< "in the order of time, then unit";
	EXPECT_TRUE(run({QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("info"),
					path("long.kvr")})
					.output.contains(QStringLiteral(
							"イベント: 10.00 s 全体 マーク start")));

	ASSERT_EQ(0,
			run({QStringLiteral("convert"), QStringLiteral("--from"),
					    QStringLiteral("250"), path("long.kvr"),
					    path("long.csv")})
					.status);
	EXPECT_EQ(500u, csvRows(path("long.csv")).size());
	EXPECT_EQ(0, run({QStringLiteral("convert"), path("long.kvr"), path("long.h5")}).status);
	EXPECT_EQ(0, run({QStringLiteral("convert"), path("long.kvr"), path("long.vn2")}).status)
			<< "3000 samples fit";

	// A span that holds no sample is refused with the span the recording has.
	for (const QStringList &span : {
			     QStringList{QStringLiteral("--from"), QStringLiteral("300")},
			     {QStringLiteral("--from"), QStringLiteral("200"),
					     QStringLiteral("--to"), QStringLiteral("100")},
			     {QStringLiteral("--from"), QStringLiteral("100"),
					     QStringLiteral("--to"), QStringLiteral("100")}}) {
		const Outcome refused = run(QStringList{QStringLiteral("convert")} + span +
				QStringList{path("long.kvr"), path("empty.csv")});
		EXPECT_EQ(2, refused.status) << span.join(QLatin1Char(' ')).toStdString();
		EXPECT_TRUE(refused.errors.contains(
				QStringLiteral("the recording runs from 0 s to 300 s")))
				<< refused.errors.toStdString();
	}
	EXPECT_FALSE(QFile::exists(path("empty.csv")));
	EXPECT_EQ(2,
			run({QStringLiteral("convert"), QStringLiteral("--to"),
					    QStringLiteral("soon"), path("long.kvr"),
					    path("long.csv")})
					.status);

	// HDF5 on a full disk: the file and the system's reason, no crash, nothing left.
	const SmallFileSystem full("16k");
	ASSERT_TRUE(full.mounted()) << full.reason();
	const QString out = full.filePath(QStringLiteral("long.h5"));
	const Outcome failed = run({QStringLiteral("convert"), path("long.kvr"), out});
	EXPECT_EQ(1, failed.status);
	EXPECT_EQ(QStringLiteral("kelvra-cli: cannot write %1: No space left on device\n").arg(out),
			failed.errors);
	EXPECT_EQ(QStringList{}, full.entries());
}

// A refusal says what is wrong: the input rather than the output, and where
// a choice came from.
TEST_F(KelvraCli, RefusalsNameTheirCause)
{
	ASSERT_TRUE(WriteWholeFile(path("notes.txt"), "notes").ok);
	ModuleData md;
	md.InitDataArray();
	ASSERT_TRUE(SaveCsvFile(md, path("minute.csv")).ok);
	const struct {
		QStringList arguments;
		int status;
		QString said;
	} cases[] = {
			{{QStringLiteral("convert"), path("notes.txt"), path("out.h5")}, 2,
					QStringLiteral("notes.txt is no recording (.kvr): only a "
						       "recording converts to HDF5 (.h5)")},
			{{QStringLiteral("convert"), path("minute.csv"), path("out.h5")}, 2,
					QStringLiteral("minute.csv is a CSV file Kelvra wrote: convert "
						       "reads data files (.vn2) and recordings (.kvr)")},
			{{QStringLiteral("info"), path("minute.csv")}, 2,
					QStringLiteral("minute.csv is a CSV file Kelvra wrote: info reads")},
			{{QStringLiteral("info"), QStringLiteral("--bogus"), path("minute.csv")}, 2,
					QStringLiteral("unknown option '--bogus'\nkelvra-cli: "
						       "'kelvra-cli info --help' shows the options")},
			{{QStringLiteral("--lang"), QStringLiteral("ja"), QStringLiteral("info"),
					 path("notes.kvr")},
					1, QStringLiteral("notes.kvr を開けません")},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
		const Outcome outcome = run(c.arguments);
		EXPECT_EQ(c.status, outcome.status);
		EXPECT_TRUE(outcome.errors.contains(c.said)) << outcome.errors.toStdString();
	}
}

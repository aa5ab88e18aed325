#include "fakes/KelvraCliRunner.h"
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
	md.IntervalTM = 100;
	{
		RecordingWriter writer;
		RecordingStore store(RecordingHeaderOf(md, QDateTime::currentDateTime(),
						     SplitPeriod::None),
				path("long"), writer, 0);
		const std::vector<float> values(3000, 2.5f);
		store.add(1, values.data(), 1000);
		store.skip(1, 1000);
		store.add(1, values.data(), 1000);
	}
	const Outcome info = run({QStringLiteral("info"), path("long.kvr")});
	ASSERT_EQ(0, info.status) << info.errors.toStdString();
	EXPECT_TRUE(info.output.contains(QStringLiteral("samples: 3000\n")));
	EXPECT_TRUE(info.output.contains(QStringLiteral("gap: ID1 from 100 s, 1000 samples\n")))
			<< info.output.toStdString();

	ASSERT_EQ(0,
			run({QStringLiteral("convert"), QStringLiteral("--from"),
					    QStringLiteral("250"), path("long.kvr"),
					    path("long.csv")})
					.status);
	EXPECT_EQ(500u, csvRows(path("long.csv")).size());
	EXPECT_EQ(0, run({QStringLiteral("convert"), path("long.kvr"), path("long.h5")}).status);
	EXPECT_EQ(0, run({QStringLiteral("convert"), path("long.kvr"), path("long.vn2")}).status)
			<< "3000 samples fit";
	EXPECT_EQ(2,
			run({QStringLiteral("convert"), QStringLiteral("--to"),
					    QStringLiteral("soon"), path("long.kvr"),
					    path("long.csv")})
					.status);
}

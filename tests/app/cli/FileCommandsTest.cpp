#include "fakes/KelvraCliRunner.h"

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
	EXPECT_EQ((QStringList{QStringLiteral("3"), QStringLiteral("\"\""), QStringLiteral("-1"), QStringLiteral("\"\"")}), rows[2]);

	ASSERT_EQ(0, run({QStringLiteral("convert"), QStringLiteral("--csv-encoding"), QStringLiteral("utf-8"),
			path("plain.vn2"), path("utf8.csv")}).status);
	QFile cp932(path("plain.csv"));
	QFile utf8(path("utf8.csv"));
	ASSERT_TRUE(cp932.open(QIODevice::ReadOnly) && utf8.open(QIODevice::ReadOnly));
	EXPECT_EQ(QByteArray("\xEF\xBB\xBF") + fromCodePage932(cp932.readAll()).toUtf8(), utf8.readAll());
}

// kelvra-cli record --serve against emulated units: the page's API tells the
// running recording's values and events, and what cannot be served safely
// is refused before the run starts.

#include "../status/HttpClient.h"
#include "fakes/KelvraCliRunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kelvra;
using namespace kelvra::testing;

TEST_F(KelvraCli, TheStatusPageTellsTheRunningRecording)
{
	QProcess process;
	start(process,
			{QStringLiteral("record"), QStringLiteral("--continuous"),
					QStringLiteral("--out"), path("served.kvr"),
					QStringLiteral("--emulate"),
					QStringLiteral("id=0,signal=seq:0:250"),
					QStringLiteral("--units"), QStringLiteral("0"),
					QStringLiteral("--interval-ms"), QStringLiteral("10"),
					QStringLiteral("--limit"),
					QStringLiteral("0:upper:alarm:200"),
					QStringLiteral("--duration"), QStringLiteral("12s"),
					QStringLiteral("--serve"), QStringLiteral("127.0.0.1:0")});
	process.setReadChannel(QProcess::StandardError);
	const QRegularExpression url(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)/"));
	QString errors;
	QRegularExpressionMatch found;
	while (!(found = url.match(errors)).hasMatch() && process.waitForReadyRead(10000))
		errors += QString::fromUtf8(process.readAllStandardError());
	ASSERT_TRUE(found.hasMatch()) << errors.toStdString();
	const auto port = static_cast<quint16>(found.captured(1).toUInt());

	// Asked until a second of samples has been published, as a slow machine may take a while.
	QJsonObject status;
	for (int attempt = 0; attempt < 40; ++attempt) {
		QThread::msleep(250);
		test::HttpClient client(port, test::GetRequest(port, "/api/status"));
		const test::HttpAnswer answer = client.answer();
		ASSERT_EQ(200, answer.status);
		status = QJsonDocument::fromJson(answer.body).object();
		if (status[QStringLiteral("recording")]
						.toObject()[QStringLiteral("recordedS")]
						.toDouble() > 1.0)
			break;
	}
	EXPECT_TRUE(status[QStringLiteral("running")].toBool());
	const QJsonObject value = status[QStringLiteral("values")].toArray()[0].toObject();
	EXPECT_EQ(QStringLiteral("ID0"), value[QStringLiteral("name")].toString());
	const double shown = value[QStringLiteral("value")].toDouble(-1);
	EXPECT_TRUE(shown == 0.0 || shown == 250.0) << shown;
	EXPECT_EQ(QStringLiteral("alarm"), value[QStringLiteral("alarm")].toString());
	EXPECT_GT(status[QStringLiteral("recording")]
					.toObject()[QStringLiteral("recordedS")]
					.toDouble(),
			1.0);
	const QJsonArray events = status[QStringLiteral("events")].toArray();
	const bool alarmTold = std::any_of(events.begin(), events.end(), [](const QJsonValue &e) {
		return e.toObject()[QStringLiteral("kind")].toString() == QStringLiteral("alarm");
	});
	EXPECT_TRUE(alarmTold) << QJsonDocument(events).toJson().left(400).toStdString();

	ASSERT_TRUE(process.waitForFinished(20000));
	EXPECT_EQ(0, process.exitCode());
}

TEST_F(KelvraCli, AStatusPageThatCannotBeServedSafelyIsRefused)
{
	const struct {
		const char *name;
		QStringList options;
	} rows[] = {
			{"lab network without a token",
					{QStringLiteral("--serve"), QStringLiteral("0.0.0.0:0")}},
			{"token without a page",
					{QStringLiteral("--serve-token"),
							QStringLiteral("secret")}},
			{"no port", {QStringLiteral("--serve"), QStringLiteral("127.0.0.1")}},
			{"missing token file",
					{QStringLiteral("--serve"), QStringLiteral("0.0.0.0:0"),
							QStringLiteral("--serve-token-file"),
							path("no-such-token")}},
	};
	for (const auto &row : rows) {
		SCOPED_TRACE(row.name);
		const Outcome outcome =
				run(QStringList{QStringLiteral("record"),
						    QStringLiteral("--continuous"),
						    QStringLiteral("--out"), path("refused.kvr"),
						    QStringLiteral("--emulate"),
						    QStringLiteral("demo")} +
						row.options);
		EXPECT_EQ(2, outcome.status) << outcome.errors.toStdString();
		EXPECT_FALSE(QFile::exists(path("refused.kvr")));
	}
}

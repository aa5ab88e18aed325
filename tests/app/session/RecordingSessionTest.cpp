// The window's long recording with the unattended settings: the status page
// serves the run, the free-space watch tells a low disk in the header, the
// hook runs for the chosen events, and settings that refuse stop the start.

#include "session/RecordingSession.h"
#include "fakes/RunRig.h"
#include "status/HttpClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

QByteArray waitForFile(const QString &name, const QByteArray &wanted)
{
	QElapsedTimer waited;
	waited.start();
	QByteArray read;
	while (waited.elapsed() < 10000) {
		QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
		QFile file(name);
		if (file.open(QIODevice::ReadOnly) && (read = file.readAll()) == wanted)
			break;
	}
	return read;
}

} // namespace

TEST(RecordingSession, UnattendedSettingsServeTheRunWatchTheSpaceAndRunTheHook)
{
	char name[] = "core_tests";
	char *argv[] = {name, nullptr};
	int argc = 1;
	QCoreApplication app(argc, argv); // the page's and the hook's event loop
	QTemporaryDir folder;
	const QString told = folder.filePath(QStringLiteral("told.txt"));
	const QString hook = folder.filePath(QStringLiteral("hook.sh"));
	QFile script(hook);
	ASSERT_TRUE(script.open(QIODevice::WriteOnly));
	script.write("#!/bin/sh\necho \"$KELVRA_EVENT\" >> \"" + told.toUtf8() + "\"\n");
	script.close();
	script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

	RunRig rig;
	rig.useUnitZero();
	LongRecordSettings &record = rig.md.LongRecord;
	record.enabled = true;
	record.folder = folder.path();
	record.hookCommand = hook;
	record.hookKinds = QStringLiteral("low-space,run-end");
	record.minFree = QStringLiteral("1000TB");
	record.serveAddress = QStringLiteral("127.0.0.1:0");
	RunAssembly assembly(rig.md, rig.run);
	RecordingSession session(rig.md, rig.run, rig.view, rig.prompt, assembly);

	ASSERT_TRUE(session.start({}));
	const QUrl url(session.statusUrl());
	ASSERT_TRUE(url.isValid()) << session.statusUrl().toStdString();
	for (int tick = 0; tick < 20; ++tick) {
		rig.run.onBlockTimer();
		QCoreApplication::processEvents();
	}
	const QString header = rig.log.filter(QStringLiteral("header ")).join(QLatin1Char('\n'));
	EXPECT_TRUE(header.contains(QStringLiteral("空き容量不足 (残り "))) << header.toStdString();
	EXPECT_TRUE(header.contains(QStringLiteral("状態ページ ") + url.toString()));
	const auto port = static_cast<quint16>(url.port());
	const kelvra::test::HttpAnswer answer = kelvra::test::HttpClient(
			port, kelvra::test::GetRequest(port, "/api/status"))
								.answer();
	EXPECT_EQ(answer.status, 200);
	EXPECT_TRUE(answer.body.contains("\"running\":true")) << answer.body.toStdString();
	rig.run.stopRun();
	EXPECT_EQ(waitForFile(told, "low-space\nrun-end\n"), "low-space\nrun-end\n");

	record.minFree = QStringLiteral("2XB");
	EXPECT_FALSE(session.start({}));
	ASSERT_FALSE(rig.prompt.shown.empty());
	EXPECT_TRUE(rig.prompt.shown.back().text.contains(QStringLiteral("2XB")));
}

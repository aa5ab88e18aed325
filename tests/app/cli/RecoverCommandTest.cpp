// A kelvra-cli record killed mid-run, recovered with kelvra-cli recover.

#include "fakes/QtPrinting.h"
#include "files/DataFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace kelvra;

namespace {

const QString kUnits = QStringLiteral(
		"id=0,signal=seq:1:2:3:4:5:6:7,block=9;id=3,kind=1,signal=seq:-4:8:-15,block=9");

class RecoverAfterKill : public ::testing::Test {
protected:
	QProcessEnvironment environment() const
	{
		QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
		for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
			env.insert(QString::fromLatin1(name),
					dir.filePath(QString::fromLatin1(name)));
		env.remove(QStringLiteral("VARNELIO_EMULATOR"));
		env.insert(QStringLiteral("KELVRA_LANG"), QStringLiteral("en"));
		return env;
	}

	int cli(const QStringList &arguments, QString *output = nullptr, QString *errors = nullptr)
	{
		QProcess process;
		process.setProcessEnvironment(environment());
		process.start(QStringLiteral(KELVRA_CLI), arguments);
		EXPECT_TRUE(process.waitForFinished(60000));
		if (output)
			*output = QString::fromUtf8(process.readAllStandardOutput());
		if (errors)
			*errors = QString::fromLocal8Bit(process.readAllStandardError());
		return process.exitCode();
	}

	QStringList recordArguments(const QString &out) const
	{
		return {QStringLiteral("record"), QStringLiteral("--out"), out,
				QStringLiteral("--emulate"), kUnits, QStringLiteral("--units"),
				QStringLiteral("0,3"), QStringLiteral("--interval-ms"),
				QStringLiteral("10"), QStringLiteral("--no-trigger"),
				QStringLiteral("--no-average")};
	}

	ModuleData read(const QString &file)
	{
		ModuleData md;
		md.InitDataArray();
		EXPECT_TRUE(ReadDataFile(md, file).ok) << file.toStdString();
		return md;
	}

	QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

	QTemporaryDir dir;
};

} // namespace

TEST_F(RecoverAfterKill, RecoveredFileHoldsExactlyTheFirstSamplesUpToASecondBeforeTheKill)
{
	QProcess record;
	record.setProcessEnvironment(environment());
	record.start(QStringLiteral(KELVRA_CLI),
			recordArguments(path("never.vn2")) << QStringLiteral("--progress"));
	ASSERT_TRUE(record.waitForStarted());

	// Progress lines tell the samples held after each tick; note them with their time.
	QElapsedTimer clock;
	clock.start();
	std::vector<std::pair<qint64, int>> held;
	QByteArray pending;
	while (clock.elapsed() < 30000 && (held.empty() || held.back().second < 150)) {
		record.waitForReadyRead(100);
		pending += record.readAllStandardError();
		for (qsizetype end; (end = pending.indexOf('\n')) >= 0;
				pending.remove(0, end + 1)) {
			const QList<QByteArray> words = pending.left(end).simplified().split(' ');
			if (words.size() > 1 && words[0] == "samples")
				held.emplace_back(clock.elapsed(), words[1].toInt());
		}
	}
	ASSERT_FALSE(held.empty());
	const qint64 killedAt = clock.elapsed();
	::kill(static_cast<pid_t>(record.processId()), SIGKILL);
	record.waitForFinished();
	int measuredASecondBefore = 0;
	for (const auto &[at, samples] : held) {
		if (at <= killedAt - 1000)
			measuredASecondBefore = samples;
	}

	QString listing;
	ASSERT_EQ(0, cli({QStringLiteral("recover"), QStringLiteral("--list")}, &listing));
	EXPECT_TRUE(listing.contains(QStringLiteral("units 0,3"))) << listing.toStdString();
	EXPECT_TRUE(listing.contains(QStringLiteral("run interrupted"))) << listing.toStdString();
	QString said;
	ASSERT_EQ(0,
			cli({QStringLiteral("recover"), QStringLiteral("--out"),
					    path("recovered.vn2")},
					nullptr, &said));
	const ModuleData recovered = read(path("recovered.vn2"));
	const QString journal =
			listing.section(QLatin1Char('\n'), 1, 1).section(QLatin1Char(' '), 0, 0);
	EXPECT_EQ(QStringLiteral("kelvra-cli: wrote the %1 samples of %2 to %3\n")
					.arg(recovered.DataCount)
					.arg(journal, path("recovered.vn2")),
			said);
	EXPECT_GE(recovered.DataCount, measuredASecondBefore)
			<< "held " << held.back().second << " at the kill";
	EXPECT_GT(recovered.DataCount, 0);
	EXPECT_NE(0,
			cli({QStringLiteral("recover"), QStringLiteral("--out"),
					path("again.vn2")})); // the journal is gone

	ASSERT_EQ(0,
			cli(recordArguments(path("whole.vn2"))
					<< QStringLiteral("--samples")
					<< QString::number(recovered.DataCount)));
	const ModuleData whole = read(path("whole.vn2"));
	ASSERT_EQ(whole.DataCount, recovered.DataCount);
	for (int u : {0, 3}) {
		ASSERT_EQ(whole.Channels[u].DataNum, recovered.Channels[u].DataNum);
		for (int32_t k = 1; k <= whole.DataCount; ++k)
			ASSERT_EQ(whole.SampleAt(u, k), recovered.SampleAt(u, k))
					<< "unit " << u << " k " << k;
	}
	EXPECT_FALSE(recovered.StartTimeStr.trimmed().isEmpty());
}

TEST_F(RecoverAfterKill, CtrlCAndAnEmptyJournalFolderSayWhatHappened)
{
	QString listing;
	ASSERT_EQ(0, cli({QStringLiteral("recover"), QStringLiteral("--list")}, &listing));
	EXPECT_TRUE(listing.startsWith(QStringLiteral("no journals in "))) << listing.toStdString();

	QProcess record;
	record.setProcessEnvironment(environment());
	record.start(QStringLiteral(KELVRA_CLI),
			recordArguments(path("stopped.vn2")) << QStringLiteral("--progress"));
	ASSERT_TRUE(record.waitForStarted());
	QByteArray errors;
	QElapsedTimer clock;
	clock.start();
	while (clock.elapsed() < 30000 && errors.count("samples ") < 3) {
		record.waitForReadyRead(100);
		errors += record.readAllStandardError();
	}
	::kill(static_cast<pid_t>(record.processId()), SIGINT);
	ASSERT_TRUE(record.waitForFinished(30000));
	EXPECT_EQ(0, record.exitCode());
	errors += record.readAllStandardError();
	QStringList said =
			QString::fromLocal8Bit(errors).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
	said.removeIf([](const QString &line) {
		return line.startsWith(QStringLiteral("samples "));
	});
	const ModuleData stopped = read(path("stopped.vn2"));
	EXPECT_GT(stopped.DataCount, 0);
	EXPECT_EQ(QStringList{QStringLiteral("kelvra-cli: stopped by Ctrl+C; %1 holds %2 samples")
						  .arg(path("stopped.vn2"))
						  .arg(stopped.DataCount)},
			said);
}

#pragma once

// Runs the built kelvra-cli in a temporary folder of its own, with its own
// stored conditions, no emulator from the environment and the locale `locale`.

#include "files/TextCodec.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace kelvra::testing {

struct Outcome {
	int status;
	QString errors;
	QString output;
};

class KelvraCli : public ::testing::Test {
protected:
	void start(QProcess &process, const QStringList &arguments)
	{
		QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
		environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
				dir.filePath(QStringLiteral("config")));
		environment.remove(QStringLiteral("VARNELIO_EMULATOR"));
		environment.remove(QStringLiteral("XDG_RUNTIME_DIR")); // as on a bare machine
		for (const char *variable : {"LC_ALL", "LC_MESSAGES", "KELVRA_LANG"})
			environment.remove(QString::fromLatin1(variable));
		environment.insert(QStringLiteral("LANG"), locale);
		process.setProcessEnvironment(environment);
		process.start(QStringLiteral(KELVRA_CLI), arguments);
	}

	Outcome run(const QStringList &arguments, int timeoutMs = 60000)
	{
		QProcess process;
		start(process, arguments);
		EXPECT_TRUE(process.waitForFinished(timeoutMs));
		return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError()),
				QString::fromUtf8(process.readAllStandardOutput())};
	}

	// plain.vn2: twelve unit-timed samples of units 0 (1, 2, 3, 4, 5, 1, ...)
	// and 2 (-1 throughout), with the memo line "試験 A".
	Outcome recordPlainFile()
	{
		return run({QStringLiteral("record"), QStringLiteral("--out"), path("plain.vn2"),
				QStringLiteral("--emulate"),
				QStringLiteral("id=0,signal=seq:1:2:3:4:5,block=7;id=2,kind=1,signal=seq:-1,block=7"),
				QStringLiteral("--units"), QStringLiteral("0,2"),
				QStringLiteral("--interval-ms"), QStringLiteral("10"),
				QStringLiteral("--samples"), QStringLiteral("12"),
				QStringLiteral("--memo"), QStringLiteral("試験 A")});
	}

	QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

	// The sample rows of a CSV file, each a list of items.
	std::vector<QStringList> csvRows(const QString &file)
	{
		QFile in(file);
		EXPECT_TRUE(in.open(QIODevice::ReadOnly));
		const QStringList lines =
				fromCodePage932(in.readAll())
						.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
		const auto header =
				lines.indexOf(QStringLiteral("\"ID0\",\"ID1\",\"ID2\",\"ID3\""));
		std::vector<QStringList> rows;
		for (qsizetype i = header + 1; i < lines.size(); ++i)
			rows.push_back(lines[i].split(QLatin1Char(',')));
		return rows;
	}

	QTemporaryDir dir;
	QString locale = QStringLiteral("en_US.UTF-8"); // the tool's texts as the tests know them
};

} // namespace kelvra::testing

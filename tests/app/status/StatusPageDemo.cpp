// Serves the status page on 127.0.0.1 with synthetic snapshots that change
// every second for the first seconds, then stay at a final one, and writes
// that one, as /api/status tells it, to a file for a checker of the page.
//
//   status_page_demo [--lang ja|en] [--token TOKEN] [--port N] [--run SCRIPT [ARG…]]
//
// With --run it starts `/usr/bin/python3 SCRIPT URL EXPECTED.json ARG…`
// and ends with its exit status; without, it serves until it is stopped.

#include "SyntheticStatus.h"

#include "core/InterfaceLanguage.h"
#include "status/StatusServer.h"

#include "status/StatusJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace kelvra;
using namespace kelvra::test;

namespace {

constexpr int kChangingTicks = 6; // long enough for a browser to load the page meanwhile
constexpr int kFinalTick = 42;
constexpr int kEvents = 8;

} // namespace

int main(int argc, char **argv)
{
	QCoreApplication app(argc, argv);
	QStringList arguments = app.arguments().mid(1);
	InstallLanguage(app, TakeLanguageOption(arguments).language);
	StatusServerOptions options;
	QStringList run;
	while (!arguments.isEmpty()) {
		const QString option = arguments.takeFirst();
		if (option == QLatin1String("--token") && !arguments.isEmpty())
			options.token = arguments.takeFirst().toUtf8();
		else if (option == QLatin1String("--port") && !arguments.isEmpty())
			options.port = static_cast<quint16>(arguments.takeFirst().toUInt());
		else if (option == QLatin1String("--run") && !arguments.isEmpty())
			run = std::exchange(arguments, {});
		else {
			std::fprintf(stderr,
					"usage: status_page_demo [--token TOKEN] [--port N] "
					"[--run SCRIPT [ARG...]]\n");
			return 2;
		}
	}

	StatusServer server(options);
	QString error;
	if (!server.start(error)) {
		std::fprintf(stderr, "status_page_demo: %s\n", qPrintable(error));
		return 1;
	}
	int tick = 0;
	const auto publish = [&] {
		if (tick < kEvents)
			server.addEvent(SyntheticEvent(tick + 1));
		server.publish(SyntheticSnapshot(tick < kChangingTicks ? tick : kFinalTick, 5));
		++tick;
	};
	publish();
	QTimer ticks;
	QObject::connect(&ticks, &QTimer::timeout, publish);
	ticks.start(1000);

	QString url = server.url();
	if (!options.token.isEmpty())
		url += QStringLiteral("?token=") + QString::fromUtf8(options.token);
	std::printf("%s\n", qPrintable(url));
	std::fflush(stdout);
	if (run.isEmpty())
		return app.exec();

	QTemporaryDir folder;
	const QString expected = folder.filePath(QStringLiteral("expected.json"));
	QFile file(expected);
	std::deque<StatusEvent> events; // numbered from 1 as the server numbers them
	for (int n = 1; n <= kEvents; ++n) {
		events.push_back(SyntheticEvent(n));
		events.back().sequence = static_cast<uint64_t>(n);
	}
	const StatusSnapshot last = SyntheticSnapshot(kFinalTick, 5);
	if (!file.open(QIODevice::WriteOnly) ||
			file.write(StatusJson(last, events, 50, kEvents)) < 0)
		return 1;
	file.close();

	QProcess checker;
	checker.setProcessChannelMode(QProcess::ForwardedChannels);
	QObject::connect(&checker, &QProcess::finished, &app,
			[&](int code, QProcess::ExitStatus status) {
				app.exit(status == QProcess::NormalExit ? code : 1);
			});
	QObject::connect(&checker, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError) {
		std::fprintf(stderr, "status_page_demo: cannot run /usr/bin/python3: %s\n",
				qPrintable(checker.errorString()));
		app.exit(1);
	});
	checker.start(QStringLiteral("/usr/bin/python3"),
			QStringList{run.first(), url, expected} + run.mid(1));
	return app.exec();
}

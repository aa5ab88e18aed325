// The window's share of one core during a run of four emulated units at
// 10 ms in "全表示", until the buffers are full: a line a minute with the
// samples held and the CPU time of the process in that minute. With
// --long MINUTES the run records to a file in a scratch folder for that long
// instead, its buffers rolling once they are full.
//
// Usage: kelvra-cpushare [--long MINUTES] [EMULATOR_DESCRIPTION]

#include "PrintingPrompt.h"
#include "acquisition/VarnelLibrary.h"
#include "settings/QSettingsStore.h"
#include "window/FormMain.h"
#include "window/JapaneseTexts.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>

namespace {

double cpuSeconds()
{
	timespec t{};
	clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
	return t.tv_sec + t.tv_nsec / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
	int longMinutes = 0;
	if (argc > 2 && std::strcmp(argv[1], "--long") == 0) {
		longMinutes = std::clamp(std::atoi(argv[2]), 1, 30 * 24 * 60); // a Qt timer's reach
		argv[2] = argv[0];
		argc -= 2;
		argv += 2;
	}
	qputenv("VARNELIO_EMULATOR",
			argc > 1 ? argv[1]
				 : "id=0,signal=sine:1000:2,noise=5;id=1,signal=sine:500:7;"
				   "id=2,signal=step:30:0:800;id=3,signal=sine:2000:60");
	QApplication app(argc, argv);
	kelvra::installJapaneseTexts(app);
	QTemporaryDir settingsDir;
	kelvra::QSettingsStore store(settingsDir.filePath(QStringLiteral("Kelvrai.ini")));
	kelvra::ModuleData md;
	kelvra::VarnelLibrary library(QStringLiteral(VARNELIO_FILE));
	PrintingPrompt prompt;
	kelvra::FormMain window(md, library, prompt, store);
	window.show();
	for (auto &channel : md.Channels)
		channel.Mflag = kelvra::kTrue;
	md.settings.TimerType = kelvra::kFalse;
	md.settings.IntervalTM = 10;
	md.DeriveAverageNum();
	window.settingsChanged();
	window.findChild<QRadioButton *>(QStringLiteral("scrollMode0"))->click();
	QTemporaryDir recordDir;
	if (longMinutes > 0) {
		md.LongRecord = {};
		md.LongRecord.enabled = true;
		md.LongRecord.folder = recordDir.path();
		window.showModal = [](QDialog &dialog) { dialog.accept(); }; // no memo lines
	}

	QElapsedTimer wall;
	double cpu = cpuSeconds();
	double total = cpu;
	qint64 last = 0;
	QTimer minute;
	QObject::connect(&minute, &QTimer::timeout, [&] {
		const double now = cpuSeconds();
		const qint64 ms = wall.elapsed();
		std::printf("%6.0f s  %9lld samples  %5.1f %% of a core\n", ms / 1000.0,
				static_cast<long long>(md.DataOffset + md.DataCount),
				100.0 * (now - cpu) / ((ms - last) / 1000.0));
		std::fflush(stdout);
		cpu = now;
		last = ms;
	});
	QObject::connect(&window.run(), &kelvra::RunControl::runEnded, [&] {
		std::printf("run: %lld samples in %.0f s, %.1f %% of a core on average\n",
				static_cast<long long>(md.DataOffset + md.DataCount),
				wall.elapsed() / 1000.0,
				100.0 * (cpuSeconds() - total) / (wall.elapsed() / 1000.0));
		app.quit();
	});
	QTimer::singleShot(2000, [&] {
		wall.start();
		total = cpu = cpuSeconds();
		minute.start(60000);
		window.cmdStart_Click();
		if (longMinutes > 0)
			QTimer::singleShot(longMinutes * 60000, [&] { window.run().stopRun(); });
	});
	return app.exec();
}

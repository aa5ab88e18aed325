// Makes the README's screenshots from the real window with emulated units:
// idle, both settings dialogs, measuring four units, the limits with an alarm
// latched, markers on the graph and the event list, a trigger capture with
// its marker, the memo dialog of saving, the data list.
// Usage: kelvra-screenshots OUTPUT_DIR [--lang ja|en] [--prefix PREFIX] [--window-only]
// PREFIX goes before every file name; --window-only stops after the idle window.

#include "PrintingPrompt.h"
#include "acquisition/DeviceControl.h"
#include "acquisition/DialogSetUnit.h"
#include "acquisition/VarnelLibrary.h"
#include "limits/DialogLimits.h"
#include "recording/RecordingStore.h"
#include "settings/DialogMemo.h"
#include "settings/DialogRecordMemo.h"
#include "settings/DialogSetting.h"
#include "settings/QSettingsStore.h"
#include "window/FormMain.h"
#include "window/JapaneseTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Six hours of four units at 10 ms, as a long recording leaves them.
QString longRecording(const QDir &folder)
{
	const QString name = folder.filePath(QStringLiteral("kelvra-20261209-080000.kvr"));
	kelvra::ModuleData md;
	for (auto &channel : md.Channels)
		channel.Mflag = kelvra::kTrue;
	md.settings.IntervalTM = 10;
	md.StartTimeStr = QStringLiteral("2026/12/9 8:00:00");
	kelvra::RecordingWriter writer;
	kelvra::RecordingStore store(
			kelvra::RecordingHeaderOf(md, QDateTime(QDate(2026, 12, 9), QTime(8, 0)),
					kelvra::SplitPeriod::None),
			name.chopped(4), writer, 0);
	constexpr uint64_t kSamples = 6 * 360000;
	std::vector<float> block(1000);
	for (uint64_t n = 0; n < kSamples; n += block.size()) {
		for (int u = 0; u < kelvra::kUnitCount; ++u) {
			for (std::size_t i = 0; i < block.size(); ++i) {
				const double t = (n + i) / 100.0; // seconds
				const double creep = 400.0 * (1.0 - std::exp(-t / 5000.0));
				const double cycle = 150.0 * std::sin(t / 600.0 + u);
				block[i] = static_cast<float>((u + 1) * creep + cycle +
						(n + i == 1500000 + 40000 * static_cast<uint64_t>(u)
										? 900.0
										: 0.0));
			}
			store.add(u, block.data(), static_cast<qsizetype>(block.size()));
		}
		store.tick(static_cast<int64_t>(n) * 10);
	}
	return name;
}

void wait(int ms)
{
	QEventLoop loop;
	QTimer::singleShot(ms, &loop, &QEventLoop::quit);
	loop.exec();
}

QString prefix;

bool save(QWidget *widget, const QDir &dir, const char *name)
{
	wait(300); // let queued replots land
	const QString file = dir.filePath(prefix + QString::fromLatin1(name));
	const bool ok = widget->grab().save(file);
	std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "could not write",
			file.toLocal8Bit().constData());
	return ok;
}

// The settings dialogs as a user fills them in for a trigger capture in kN.
bool saveDialogs(kelvra::ModuleData &md, kelvra::Prompt &prompt, QWidget *window, const QDir &out)
{
	kelvra::DialogSetting settings(
			md, [](int, bool) {}, prompt, window);
	settings.chkID[2]->setChecked(true);
	settings.txtTime[0]->setText(QStringLiteral("5"));
	settings.chkTrg[0]->setChecked(true);
	settings.txtTrgData[0]->setText(QStringLiteral("500"));
	settings.txtTrgDatnum[0]->setText(QStringLiteral("10"));
	settings.txtTrgDatnum[1]->setText(QStringLiteral("40"));
	settings.Option1[2]->setChecked(true);
	settings.show();
	bool ok = save(&settings, out, "settings.png");
	settings.close();

	md.Channels[2].Mflag = kelvra::kTrue;
	kelvra::DialogSetUnit units(md, prompt, window);
	units.optUintsBtn[4]->setChecked(true);
	units.txtPower[0]->setText(QStringLiteral("2"));
	units.txtCapacity[0]->setText(QStringLiteral("50"));
	units.optPower[2][1]->setChecked(true);
	units.txtPower[2]->setText(QStringLiteral("4000"));
	units.txtCapacity[2]->setText(QStringLiteral("200"));
	units.show();
	ok = save(&units, out, "unitsetting.png") && ok;
	units.close();
	md.Channels[2].Mflag = kelvra::kFalse;
	return ok;
}

// A long recording into a folder of its own, split by the hour: the frame
// "連続記録" of the settings dialog, then the window while it records.
bool saveLongRecording(kelvra::ModuleData &md, kelvra::Prompt &prompt, kelvra::FormMain &window,
		const QDir &out)
{
	QTemporaryDir folder;
	md.settings.TrgMaxFlag = kelvra::kFalse;
	md.settings.IntervalTM = 50;
	md.LongRecord = {};
	md.LongRecord.enabled = true;
	md.LongRecord.folder = QDir::toNativeSeparators(folder.path());
	md.LongRecord.split = kelvra::SplitPeriod::Hour;
	md.LongRecord.hookCommand = QStringLiteral("/usr/local/bin/kelvra-mail");
	md.LongRecord.hookKinds = QStringLiteral("alarm,dropout,low-space");
	md.LongRecord.minFree = QStringLiteral("6h");
	window.settingsChanged();
	kelvra::DialogSetting settings(
			md, [](int, bool) {}, prompt, &window);
	settings.show();
	bool ok = save(&settings, out, "longrecord-settings.png");
	settings.close();

	const auto modal = window.showModal;
	window.showModal = [&](QDialog &dialog) {
		auto &memo = static_cast<kelvra::DialogRecordMemo &>(dialog);
		memo.txtMemo[0]->setText(QStringLiteral("クリープ試験 No.7"));
		memo.txtMemo[1]->setText(QStringLiteral("荷重 20 kN 保持、室温 23℃"));
		ok = save(&memo, out, "longrecord-memo.png") && ok;
		memo.accept();
	};
	window.cmdStart_Click();
	window.showModal = modal;
	wait(8000);
	ok = save(&window, out, "longrecord.png") && ok;
	window.run().stopRun();
	md.LongRecord.enabled = false;
	return ok;
}

} // namespace

int main(int argc, char *argv[])
{
	qputenv("VARNELIO_EMULATOR", "demo");
	QApplication app(argc, argv);
	if (argc < 2) {
		std::fputs("usage: kelvra-screenshots OUTPUT_DIR\n", stderr);
		return 2;
	}
	QStringList arguments = QApplication::arguments();
	kelvra::installInterfaceTexts(app, kelvra::TakeLanguageOption(arguments).language);
	const auto at = arguments.indexOf(QStringLiteral("--prefix"));
	prefix = at > 0 ? arguments.value(at + 1) : QString();
	const QDir out(QString::fromLocal8Bit(argv[1]));
	QDir().mkpath(out.path());

	QTemporaryDir settingsDir; // never the user's own stored conditions
	kelvra::QSettingsStore store(settingsDir.filePath(QStringLiteral("Kelvrai.ini")));
	kelvra::ModuleData md;
	kelvra::VarnelLibrary library(QStringLiteral(VARNELIO_FILE));
	PrintingPrompt prompt;
	kelvra::FormMain window(md, library, prompt, store);
	window.show();
	bool ok = save(&window, out, "idle.png");
	if (arguments.contains(QStringLiteral("--window-only")))
		return ok ? 0 : 1;
	ok = saveDialogs(md, prompt, &window, out) && ok;

	for (auto &channel : md.Channels)
		channel.Mflag = kelvra::kTrue;
	md.settings.TimerType = kelvra::kFalse;
	md.settings.IntervalTM = 50;
	md.DeriveAverageNum();
	window.settingsChanged();
	window.run().startRun();
	wait(9000);
	ok = save(&window, out, "measuring.png") && ok;
	window.run().stopRun();

	// Review: a stretch zoomed into, both cursors, the statistics between them.
	window.graphView().zoomX(2.0, 6.0);
	window.cursors().set(0, 3.0);
	window.cursors().set(1, 4.6);
	wait(300);
	ok = save(&window, out, "review.png") && ok;
	window.graphView().showAll();
	window.cursors().clear();

	// Limits: unit 0 passes its warning and alarm above, unit 3 its warning below.
	const auto modal = window.showModal;
	window.showModal = [&](QDialog &dialog) {
		auto &limits = static_cast<kelvra::DialogLimits &>(dialog);
		const auto set = [&](int unit, int level, int side, const char *value) {
			limits.chkLevel[unit][level][side]->setChecked(true);
			limits.txtLevel[unit][level][side]->setText(QString::fromLatin1(value));
		};
		set(0, 0, 0, "1000");
		set(0, 1, 0, "1400");
		set(3, 0, 1, "-2500");
		limits.txtHysteresis[0]->setText(QStringLiteral("50"));
		ok = save(&limits, out, "limits.png") && ok;
		limits.OKButton->click();
	};
	window.cmdLimit_Click();
	window.showModal = modal;
	window.run().startRun();
	prompt.notes = {QStringLiteral("荷重 5 kN"), QStringLiteral("き裂を確認")};
	wait(2500);
	window.cmdMark_Click();
	wait(3500);
	ok = save(&window, out, "alarm.png") && ok;
	window.cmdMark_Click();
	wait(1500);
	window.run().stopRun();
	ok = save(&window, out, "marker.png") && ok;
	window.cmdEvents_Click();
	if (window.eventList()) {
		window.eventList()->resize(520, 360);
		ok = save(window.eventList(), out, "events.png") && ok;
		window.eventList()->close();
	}
	window.cmdAcknowledge_Click();

	md.settings.TrgMaxFlag = kelvra::kTrue;
	md.settings.TrgVMax = 1400.0f;
	md.settings.TrgUnitID = 0;
	md.settings.TrgDnum1 = 60;
	md.settings.TrgDnum2 = 140;
	md.settings.IntervalTM = 20;
	window.settingsChanged();
	QEventLoop capture;
	QObject::connect(&window.run(), &kelvra::RunControl::runEnded, &capture, &QEventLoop::quit);
	QTimer::singleShot(20000, &capture, &QEventLoop::quit);
	window.run().startRun();
	capture.exec();
	ok = save(&window, out, "trigger.png") && ok;

	QString folder;
	kelvra::DialogMemo memo(md, prompt, folder, &window);
	memo.txtMemo[0]->setText(QStringLiteral("引張試験 No.12"));
	memo.txtMemo[1]->setText(QStringLiteral("試験片 A-3、室温 23℃"));
	memo.optFiletype[1]->setChecked(true);
	memo.show();
	ok = save(&memo, out, "memo.png") && ok;
	memo.close();

	window.cmdDisp_Click();
	if (window.dataList())
		ok = save(window.dataList(), out, "datalist.png") && ok;
	if (window.dataList())
		window.dataList()->close();
	ok = saveLongRecording(md, prompt, window, out) && ok;
	window.cmdAcknowledge_Click();

	// A long recording opened for review, an hour of it on the graph.
	QTemporaryDir recordings;
	window.openDataFile(longRecording(QDir(recordings.path())));
	window.graphView().zoomX(13000.0, 16600.0);
	window.cursors().set(0, 13800.0);
	window.cursors().set(1, 15400.0);
	wait(300);
	ok = save(&window, out, "recording.png") && ok;
	return ok ? 0 : 1;
}

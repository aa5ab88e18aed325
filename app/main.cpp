// Kelvra: strain measurement with up to four Varnel units.

#include "acquisition/VarnelLibrary.h"
#include "core/Prompt.h"
#include "files/MeasurementFiles.h"
#include "run/RunJournal.h"
#include "settings/QSettingsStore.h"
#include "window/FormMain.h"
#include "window/JapaneseTexts.h"
#include "window/MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = QT_TRANSLATE_NOOP("main",
		"使い方: kelvra [--emulate [DESCRIPTION]] [--lang ja|en] [FILE.vn2 | FILE.kvr]\n"
		"最大4台の Varnel ユニットでひずみを測定します。FILE.vn2 は起動時に読み込み、\n"
		"長時間記録 FILE.kvr は確認のために開きます。\n"
		"\n"
		"  --emulate [DESCRIPTION]  エミュレータのユニットを使う (省略時は demo)\n"
		"  --lang ja|en             ウィンドウの言語 (KELVRA_LANG でも指定可)\n"
		"  --help                   この説明を示す\n"
		"  --version                バージョンを示す\n");

// Answers --help and --version before any window or display is needed.
bool answeredWithoutWindow(int argc, char *argv[])
{
	for (int i = 1; i < argc; ++i) {
		if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
			QCoreApplication app(argc, argv);
			QStringList arguments = QCoreApplication::arguments();
			kelvra::InstallLanguage(
					app, kelvra::TakeLanguageOption(arguments).language);
			std::fputs(QCoreApplication::translate("main", kUsage)
							.toLocal8Bit()
							.constData(),
					stdout);
			return true;
		}
		if (std::strcmp(argv[i], "--version") == 0) {
			std::printf("kelvra %s\n", KELVRA_VERSION);
			return true;
		}
	}
	return false;
}

// "--emulate [DESCRIPTION]" chooses emulated units before the device library loads;
// returns why the library refuses the description, empty when it takes it.
QString takeEmulatorOption(const QStringList &arguments, kelvra::VarnelLibrary &library)
{
	const auto at = arguments.indexOf(QStringLiteral("--emulate"));
	if (at < 0)
		return {};
	QString description = arguments.value(at + 1);
	if (description.isEmpty() || description.startsWith(QStringLiteral("--")))
		description = QStringLiteral("demo");
	qputenv("VARNELIO_EMULATOR", description.toLocal8Bit());
	return library.checkEmulator(description);
}

} // namespace

int main(int argc, char *argv[])
{
	if (answeredWithoutWindow(argc, argv))
		return 0;
	QApplication app(argc, argv);
	QApplication::setApplicationName(QStringLiteral("Kelvra"));
	QStringList arguments = QApplication::arguments();
	const kelvra::LanguageChoice language = kelvra::TakeLanguageOption(arguments);
	kelvra::installInterfaceTexts(app, language.language);
	if (!language.refused.isEmpty()) {
		std::fprintf(stderr, "kelvra: %s\n",
				QCoreApplication::translate(
						"main", "%1 '%2' は ja でも en でもありません")
						.arg(language.refusedBy, language.refused)
						.toLocal8Bit()
						.constData());
		return 2;
	}

	kelvra::VarnelLibrary library;
	if (const QString refused = takeEmulatorOption(arguments, library); !refused.isEmpty()) {
		QMessageBox::critical(nullptr, kelvra::shownTitle(kelvra::kErrorTitle),
				QCoreApplication::translate(
						"main", "エミュレータの指定に誤りがあります。\n%1")
						.arg(refused));
		return 2;
	}

	const QString emulated = qEnvironmentVariable("VARNELIO_EMULATOR");
	kelvra::ModuleData md;
	kelvra::QSettingsStore store;
	kelvra::MessageBoxPrompt prompt;
	kelvra::RunJournal journal(prompt);
	kelvra::FormMain window(md, library, prompt, store, emulated);
	prompt.setParent(&window);
	window.setJournal(journal);
	window.show();
	// Once the window is up: first what a lost run left, then a file named here.
	QTimer::singleShot(0, &window, [&window, arguments] {
		window.offerRecovery();
		const auto file = std::find_if(arguments.begin() + 1, arguments.end(),
				[](const QString &argument) {
					return argument.endsWith(QStringLiteral(".vn2"),
							       Qt::CaseInsensitive) ||
							kelvra::IsRecordingFile(argument);
				});
		if (file != arguments.end())
			window.openDataFile(*file);
	});
	return app.exec();
}

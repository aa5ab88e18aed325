// Kelvra: strain measurement with up to four Varnel units.

#include "acquisition/EmulatedUnits.h"
#include "acquisition/VarnelLibrary.h"
#include "window/FormMain.h"
#include "window/JapaneseTexts.h"
#include "window/MessageBoxPrompt.h"
#include "settings/MeasInfo.h"
#include "settings/QSettingsStore.h"

#include <QApplication>

namespace {

// "--emulate [SPEC]" chooses emulated units before the device library
// loads. Returns the description in force, empty for real units.
QString takeEmulatorOption(const QStringList &arguments)
{
	const auto at = arguments.indexOf(QStringLiteral("--emulate"));
	if (at >= 0) {
		const QString spec = arguments.value(at + 1);
		const bool given = !spec.isEmpty() && !spec.startsWith(QStringLiteral("--"));
		qputenv("VARNELIO_EMULATOR", given ? spec.toLocal8Bit() : QByteArrayLiteral("demo"));
	}
	return qEnvironmentVariable("VARNELIO_EMULATOR");
}

} // namespace

int main(int argc, char *argv[])
{
	QApplication app(argc, argv);
	QApplication::setApplicationName(QStringLiteral("Kelvra"));
	const QString emulated = takeEmulatorOption(QApplication::arguments());
	kelvra::installJapaneseTexts(app);

	kelvra::ModuleData md;
	kelvra::VarnelLibrary library;
	kelvra::QSettingsStore store;
	kelvra::MessageBoxPrompt prompt;
	kelvra::FormMain window(md, library, prompt, store);
	prompt.setParent(&window);
	if (!emulated.isEmpty() && !kelvra::HasMeasInfo(store)) {
		kelvra::UseEmulatedUnits(md, kelvra::EmulatedUnitIds(emulated));
		window.settingsChanged();
	}
	window.show();
	const QStringList arguments = QApplication::arguments();
	for (qsizetype i = 1; i < arguments.size(); ++i) {
		if (arguments[i].endsWith(QStringLiteral(".vn2"), Qt::CaseInsensitive)) {
			window.openDataFile(arguments[i]);
			break;
		}
	}
	return app.exec();
}

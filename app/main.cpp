// Kelvra: strain measurement with up to four Varnel units.

#include "acquisition/VarnelLibrary.h"
#include "window/FormMain.h"
#include "window/JapaneseTexts.h"
#include "window/MessageBoxPrompt.h"
#include "settings/QSettingsStore.h"

#include <QApplication>

namespace {

// "--emulate [SPEC]" chooses emulated units before the device library loads.
void takeEmulatorOption(const QStringList &arguments)
{
	const auto at = arguments.indexOf(QStringLiteral("--emulate"));
	if (at < 0)
		return;
	const QString spec = arguments.value(at + 1);
	const bool given = !spec.isEmpty() && !spec.startsWith(QStringLiteral("--"));
	qputenv("VARNELIO_EMULATOR", given ? spec.toLocal8Bit() : QByteArrayLiteral("demo"));
}

} // namespace

int main(int argc, char *argv[])
{
	QApplication app(argc, argv);
	QApplication::setApplicationName(QStringLiteral("Kelvra"));
	takeEmulatorOption(QApplication::arguments());
	kelvra::installJapaneseTexts(app);

	kelvra::ModuleData md;
	kelvra::VarnelLibrary library;
	kelvra::QSettingsStore store;
	kelvra::MessageBoxPrompt prompt;
	kelvra::FormMain window(md, library, prompt, store);
	prompt.setParent(&window);
	window.show();
	return app.exec();
}

#include "JapaneseTexts.h"

#include <QApplication>
#include <QFont>

namespace kelvra {

bool installInterfaceTexts(QCoreApplication &app, Language language)
{
	QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
	return InstallLanguage(app, language);
}

} // namespace kelvra

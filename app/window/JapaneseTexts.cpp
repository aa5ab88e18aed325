#include "JapaneseTexts.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace kelvra {

bool installJapaneseTexts(QCoreApplication &app)
{
	QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
	auto *translator = new QTranslator(&app);
	if (!translator->load(QStringLiteral("qtbase_ja"),
			    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
		return false;
	return QCoreApplication::installTranslator(translator);
}

} // namespace kelvra

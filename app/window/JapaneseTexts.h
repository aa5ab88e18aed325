#pragma once

#include "core/InterfaceLanguage.h"

class QCoreApplication;

namespace kelvra {

// The window's texts in `language`, with Qt's own texts for the standard
// buttons ("はい", "いいえ", ... in Japanese), and a font that holds the
// Japanese captions. False when a translation is missing.
bool installInterfaceTexts(QCoreApplication &app, Language language);

inline bool installJapaneseTexts(QCoreApplication &app)
{
	return installInterfaceTexts(app, Language::Japanese);
}

} // namespace kelvra

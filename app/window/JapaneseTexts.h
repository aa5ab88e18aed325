#pragma once

#include "WindowLayer.h"

class QCoreApplication;

namespace kelvra {

// Qt's own Japanese texts for the standard buttons ("はい", "いいえ", ...)
// and a font that holds the Japanese captions. False when the translation
// is missing.
bool installJapaneseTexts(QCoreApplication &app);

} // namespace kelvra

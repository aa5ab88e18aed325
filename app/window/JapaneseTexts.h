#pragma once

class QCoreApplication;
class QFont;

namespace kelvra {

// Qt's own Japanese texts for the standard buttons ("はい", "いいえ", ...)
// and a font that holds the Japanese captions. False when the translation
// is missing.
bool installJapaneseTexts(QCoreApplication &app);

// A fixed-pitch font with Japanese glyphs, so that columns of values line up.
QFont fixedPitchJapaneseFont();

} // namespace kelvra

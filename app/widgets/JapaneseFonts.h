#pragma once

class QFont;

namespace kelvra {

// A fixed-pitch font with Japanese glyphs, so that columns of values line up.
QFont fixedPitchJapaneseFont();

} // namespace kelvra

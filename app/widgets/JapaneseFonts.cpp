#include "JapaneseFonts.h"

#include <QFont>

namespace kelvra {

QFont fixedPitchJapaneseFont()
{
	QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
	font.setStyleHint(QFont::TypeWriter);
	font.setFixedPitch(true);
	return font;
}

} // namespace kelvra

#pragma once

// The font families of the printed page. Qt's PDF engine writes a wrong
// ToUnicode map for OpenType collections with CFF outlines (Noto CJK): a PDF
// reader then loses the digits and reads 日, 用 and 出 as Kangxi radicals, so
// the page cannot be searched or copied. TrueType outlines map right, and the
// IPA fonts are drawn to the metrics of the Windows fonts the page names.

#include <QString>
#include <QStringList>

namespace kelvra {

// The first of the families that is installed, else the first installed
// Japanese font with TrueType outlines, else the first family asked for.
QString pageFontFamily(const QStringList &preferred);

// The graph's texts on the page: "IPAPGothic", else "IPAGothic", else a Japanese TrueType font.
QString pageChartFamily();

} // namespace kelvra

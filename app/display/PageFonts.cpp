#include "PageFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>

namespace kelvra {

namespace {

bool hasTrueTypeOutlines(const QString &family)
{
	return !QRawFont::fromFont(QFont(family)).fontTable("glyf").isEmpty();
}

} // namespace

QString pageFontFamily(const QStringList &preferred)
{
	const QStringList installed = QFontDatabase::families();
	for (const QString &family : preferred) {
		if (installed.contains(family))
			return family;
	}
	for (const QString &family : QFontDatabase::families(QFontDatabase::Japanese)) {
		if (hasTrueTypeOutlines(family))
			return family;
	}
	return preferred.value(0);
}

QString pageChartFamily()
{
	return pageFontFamily({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
}

} // namespace kelvra

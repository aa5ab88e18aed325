#include "RunEvent.h"

namespace kelvra {

QString EventKindName(EventKind kind)
{
	static const char *const names[] = {"warning", "alarm", "clear", "marker", "dropout",
			"reconnect", "zero", "trigger"};
	return QString::fromLatin1(names[static_cast<int>(kind)]);
}

QString RunEventLine(const RunEvent &event)
{
	QString line = QString::number(event.timeS, 'f', 2) + QStringLiteral(" s");
	if (event.unit >= 0)
		line += QStringLiteral(" ID%1").arg(event.unit);
	line += QLatin1Char(' ') + EventKindName(event.kind);
	if (!event.text.isEmpty())
		line += QLatin1Char(' ') + event.text;
	return line;
}

} // namespace kelvra

#include "RunEvent.h"

namespace kelvra {

QString EventKindName(EventKind kind)
{
	static const char *const names[] = {"warning", "alarm", "clear", "marker", "dropout",
			"reconnect", "zero", "trigger"};
	return QString::fromLatin1(names[static_cast<int>(kind)]);
}

} // namespace kelvra

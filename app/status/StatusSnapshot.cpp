#include "StatusSnapshot.h"

namespace kelvra {

const char *StatusAlarmName(StatusAlarm alarm)
{
	switch (alarm) {
	case StatusAlarm::None:
		break;
	case StatusAlarm::Warning:
		return "warning";
	case StatusAlarm::Alarm:
		return "alarm";
	}
	return "none";
}

} // namespace kelvra

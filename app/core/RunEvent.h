#pragma once

// Something that happened during a run, at a time from its start: a limit
// crossed or cleared, a marker set, a unit lost or back, a zero reference
// taken, the trigger fired. Recordings, journals and the event list keep them.

#include <QString>

#include <cstdint>

namespace kelvra {

enum class EventKind : uint8_t { Warning, Alarm, Clear, Marker, Dropout, Reconnect, Zero, Trigger };

// The kind as one word in files: "warning", "alarm", "clear", "marker", ….
QString EventKindName(EventKind kind);

struct RunEvent {
	double timeS = 0.0; // from the start of the run
	int unit = -1;      // -1: the whole run
	EventKind kind = EventKind::Marker;
	QString text;
};

// One line of an event: "12.34 s ID1 dropout USB通信エラー".
QString RunEventLine(const RunEvent &event);

} // namespace kelvra

#pragma once

// Something that happened during a run, at a time from its start: a limit
// crossed or cleared, a marker set, a unit lost or back, a zero reference
// taken, the trigger fired, a hook of an event run, the disk short of space, a recording resumed.
// Recordings, journals and the event list keep them. An event holds its data, not a text: the text
// is made where it is shown, in the reader's language (run/EventText.h).

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace kelvra {

enum class EventKind : uint8_t {
	Warning,
	Alarm,
	Clear,
	Marker,
	Dropout,
	Reconnect,
	Zero,
	Trigger,
	Hook,         // the program of --on-event ran for an event and ended
	HooksDropped, // events whose hook never ran, the queue being full
	LowSpace,     // the free space fell below the least the recording keeps
	SpaceBack,    // and rose above it again
	Resumed,      // an interrupted recording went on after an outage
};

// The level a limit event or the trigger compared against.
enum class EventSide : uint8_t { None, Upper, Lower };
// The limit a warning, an alarm or a clear is of.
enum class EventLevel : uint8_t { None, Warning, Alarm };
// Why samples went missing in a dropout: the unit did not answer, or the disk
// did not take them.
enum class EventCause : uint8_t { None, Device, Disk };
// The event a hook ran for, as --on-event-kinds names them.
enum class HookCause : uint8_t {
	None,
	Alarm,
	Dropout,
	Reconnect,
	DiskTrouble,
	LowSpace,
	Resumed,
	RunEnd
};
// How a hook ended: exited (code: its status), could not start, crashed, was
// killed at its time limit (threshold: the limit in seconds) or at the end.
enum class HookEnd : uint8_t { None, Exited, NotStarted, Crashed, Killed, Stopped };

// The kind as one word in files: "warning", "alarm", "clear", "marker", ….
QString EventKindName(EventKind kind);

struct RunEvent {
	double timeS = 0.0; // from the start of the run
	int unit = -1;      // -1: the whole run
	EventKind kind = EventKind::Marker;
	// A marker's note, or the system's reason for a loss to the disk. An
	// event read from a file written before events kept their data has its
	// text here as it was stored, and no data.
	QString text;
	EventSide side = EventSide::None;
	EventLevel level = EventLevel::None;
	float threshold = 0.0f; // the level passed or left
	float value = 0.0f;     // the sample that passed or left it
	EventCause cause = EventCause::None;
	int32_t code = 0; // the unit's result code, the system's error number, a hook's status
	HookCause hookCause = HookCause::None;
	HookEnd hookEnd = HookEnd::None;

	bool operator==(const RunEvent &) const = default;
};

// A limit passed or left, or the trigger fired: the level and the sample.
RunEvent LevelEvent(double timeS, int unit, EventKind kind, EventSide side, EventLevel level,
		float threshold, float value);
// The unit answered with `code` and was closed, or lost samples of its own.
RunEvent UnitLostEvent(double timeS, int unit, int32_t code);
// The disk did not take samples: the system's error number and its reason.
RunEvent DiskLossEvent(double timeS, int32_t error, QString reason);
// A hook ran for an event of `unit` and ended so; `firstLine` of its output.
RunEvent HookRanEvent(double timeS, int unit, HookCause cause, HookEnd end, int32_t status,
		float timeLimitS, QString firstLine);
// The free space of the recording's disk fell below `limitBytes` (low) or
// rose back above it.
RunEvent SpaceEvent(double timeS, bool low, double freeBytes, double limitBytes);

// An interrupted recording went on after `outageS` seconds without samples.
RunEvent ResumedEvent(double timeS, double outageS);

// The bytes of an event as recordings and journals keep them: Float64 time,
// Int8 unit, UInt8 kind, UInt8 side, UInt8 level, Float32 threshold, Float32
// value, UInt8 cause, Int32 code, the text (UInt16 byte count, UTF-8), then
// UInt8 hook cause and UInt8 hook end (missing in the events of older files:
// none). A reader takes bytes after these as fields of a later version and
// skips them.
void AppendEventData(QByteArray &out, const RunEvent &event);

struct DecodedEvent {
	RunEvent event;
	bool known = true; // false: an event of a later version (its kind, unit…), passed over
};
// nullopt when the bytes cannot be an event.
std::optional<DecodedEvent> DecodeEventData(const char *p, qsizetype size);

} // namespace kelvra

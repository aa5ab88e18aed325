#pragma once

// What the status page shows of a run, as the run publishes it about once a
// second: every unit and channel with its value and alarm state, how the
// recording stands, and the last ten minutes of every series in a few hundred
// points. Events travel apart, each once, as they happen.

#include <QString>

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvra {

enum class StatusAlarm : uint8_t { None, Warning, Alarm };

// "none", "warning", "alarm": the state as clients of the API read it.
const char *StatusAlarmName(StatusAlarm alarm);

struct StatusValue {
	QString name;                          // "ID0", or a channel's name
	float value = NAN;                     // NaN: no value (a missing sample, or none yet)
	QString unitName;                      // "μひずみ", "kgf", "MPa", …
	StatusAlarm alarm = StatusAlarm::None; // as the window shows it
};

struct StatusRecording {
	QString file; // the file being written; empty when nothing is written
	double recordedS = 0.0;
	int64_t samplesLost = 0;
	std::optional<int64_t> freeBytes; // on the recording's disk; nullopt: not known
	std::optional<double> lastsS;     // how long the free space lasts at this rate
};

// One point of a series on the page's graph: the extremes and the last of the
// samples of its stretch, at the time of that last sample, so that a peak
// between points is never lost. NaN: no sample of the stretch had data.
struct StatusPoint {
	double timeS = 0.0;
	float minimum = NAN;
	float maximum = NAN;
	float last = NAN;
};

struct StatusSeries {
	QString name; // as the value of the same series
	QString unitName;
	std::vector<StatusPoint> points; // oldest first
};

struct StatusSnapshot {
	bool running = true; // false once the run has ended
	std::vector<StatusValue> values;
	StatusRecording recording;
	std::vector<StatusSeries> series;
};

struct StatusEvent {
	uint64_t sequence = 0; // given by the server as the event arrives, from 1
	QString kind;          // "warning", "alarm", "dropout", …: the kind's word in files
	QString kindText;      // the kind as the event list names it ("警告"); empty: the word
	QString unit;          // "ID1", a channel's name, or empty for the whole run
	double timeS = 0.0;    // from the start of the run
	QString text;
};

} // namespace kelvra

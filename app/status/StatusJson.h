#pragma once

// The status page's API as JSON. /api/status and each status of the stream:
//   {"running": true,
//    "recording": {"file", "recordedS", "samplesLost", "freeBytes", "lastsS", "lastsText"},
//    "values": [{"name", "value", "unit", "alarm": "none"|"warning"|"alarm"}],
//    "series": [{"name", "unit", "points": [[timeS, minimum, maximum, last], …]}],
//    "events": [the newest events, oldest first], "lastEvent": N}
// /api/events?since=N: {"events": [every event held after N], "lastEvent": N}
// An event: {"seq", "kind", "kindText", "unit", "timeS", "text"}. A number that is not
// known (no sample, no free space told) is null.

#include "StatusSnapshot.h"

#include <QByteArray>

#include <deque>

namespace kelvra {

QByteArray StatusJson(const StatusSnapshot &snapshot, const std::deque<StatusEvent> &events,
		std::size_t newestEvents, uint64_t lastEvent);
QByteArray EventsJson(const std::deque<StatusEvent> &events, uint64_t since, uint64_t lastEvent);

} // namespace kelvra

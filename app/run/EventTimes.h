#pragma once

// Where an event of a run sits among the samples held. Times count from the
// start of the run, so in a trigger run the window begins where the trigger
// event says: its pre-trigger samples before the trigger moment; in a long
// recording the buffers begin DataOffset samples into the run. Other data
// without a trigger event (a read file) begin at 0 s.

#include "core/ModuleData.h"
#include "core/RunEvent.h"

#include <optional>

namespace kelvra {

// The time of sample k (from 1) of the data held.
double TimeOfSample(const ModuleData &md, int32_t k);

// The sample held nearest to a time; empty when no sample held is there.
std::optional<int32_t> SampleOfTime(const ModuleData &md, double timeS);

// Where a time lies on the graph's X axis, and the time at a place on it.
double GraphX(const ModuleData &md, double timeS);
double TimeOfGraphX(const ModuleData &md, double x);

// A marker with its note at a time (a cursor's), or at the newest sample when
// none is given; empty when no data are held.
std::optional<RunEvent> NewMarker(
		const ModuleData &md, std::optional<double> atS, const QString &note);

} // namespace kelvra

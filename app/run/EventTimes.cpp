#include "EventTimes.h"

#include <algorithm>
#include <cmath>

namespace kelvra {

namespace {

double secondsPerSample(const ModuleData &md)
{
	return md.settings.IntervalTM / 1000.0;
}

// The time of the first sample held.
double windowStart(const ModuleData &md)
{
	if (md.TrgMode == kFalse)
		return static_cast<double>(md.DataOffset) * secondsPerSample(md);
	const auto trigger = std::find_if(md.Events.begin(), md.Events.end(),
			[](const RunEvent &e) { return e.kind == EventKind::Trigger; });
	if (trigger == md.Events.end())
		return 0.0;
	return trigger->timeS - std::max(md.settings.TrgDnum1, 0) * secondsPerSample(md);
}

} // namespace

double TimeOfSample(const ModuleData &md, int32_t k)
{
	return windowStart(md) + (k - 1) * secondsPerSample(md);
}

std::optional<int32_t> SampleOfTime(const ModuleData &md, double timeS)
{
	const double k = std::round((timeS - windowStart(md)) / secondsPerSample(md)) + 1.0;
	if (!(k >= 1.0) || k > md.DataCount)
		return std::nullopt;
	return static_cast<int32_t>(k);
}

double GraphX(const ModuleData &md, double timeS)
{
	// As the series draw sample k: at k intervals of the run, or from the trigger sample at 0.
	const double k = (timeS - windowStart(md)) / secondsPerSample(md) + 1.0;
	return (k - md.GraphOrigin()) * secondsPerSample(md);
}

double TimeOfGraphX(const ModuleData &md, double x)
{
	return TimeOfSample(md, 1) +
			(x / secondsPerSample(md) + md.GraphOrigin() - 1.0) * secondsPerSample(md);
}

std::optional<RunEvent> NewMarker(
		const ModuleData &md, std::optional<double> atS, const QString &note)
{
	if (md.DataCount < 1)
		return std::nullopt;
	return RunEvent{atS.value_or(TimeOfSample(md, md.DataCount)), -1, EventKind::Marker, note};
}

} // namespace kelvra

#include "LimitWatch.h"

namespace kelvra {

void LimitWatch::runStarted(const ModuleData &)
{
	monitor_.reset();
	stored_.fill(0);
	pending_.clear();
}

void LimitWatch::sampleStored(int unit, std::optional<float> value)
{
	stored_[unit] += 1;
	monitor_.check(unit, stored_[unit], value, pending_);
}

void LimitWatch::tickDone(const ModuleData &)
{
	handOn();
}

void LimitWatch::runEnded(const ModuleData &)
{
	handOn();
}

void LimitWatch::handOn()
{
	if (pending_.empty())
		return;
	const std::vector<LimitEvent> events = std::move(pending_);
	pending_.clear();
	if (onEvents)
		onEvents(events);
}

double SampleSeconds(const ModuleData &md, int32_t sample)
{
	return (sample - 1) * (md.settings.IntervalTM / 1000.0);
}

RunEvent RunEventOf(const ModuleData &md, const LimitEvent &event)
{
	static constexpr EventKind kinds[] = {
			EventKind::Warning, EventKind::Alarm, EventKind::Clear};
	return LevelEvent(SampleSeconds(md, event.sample), event.unit,
			kinds[static_cast<int>(event.kind)],
			event.side == LimitSide::Upper ? EventSide::Upper : EventSide::Lower,
			event.level == LimitLevel::Alarm ? EventLevel::Alarm : EventLevel::Warning,
			event.limit, event.value);
}

} // namespace kelvra

#include "RunStatusPage.h"

#include "files/RecordingSpace.h"
#include "run/EventText.h"

#include <algorithm>
#include <cmath>

namespace kelvra {

namespace {

constexpr int kPublishPeriodMs = 1000;

StatusAlarm alarmOf(LimitState state)
{
	switch (state) {
	case LimitState::Warning:
		return StatusAlarm::Warning;
	case LimitState::Alarm:
		return StatusAlarm::Alarm;
	case LimitState::Normal:
		break;
	}
	return StatusAlarm::None;
}

QString unitName(int unit)
{
	return QStringLiteral("ID%1").arg(unit);
}

} // namespace

RunStatusPage::RunStatusPage(StatusServerOptions options, const LimitMonitor &limits,
		std::function<QString()> recordingFile, QString folder)
	: server_(std::move(options)), limits_(limits), recordingFile_(std::move(recordingFile)),
	  folder_(std::move(folder))
{
}

void RunStatusPage::runStarted(const ModuleData &md)
{
	intervalS_ = std::max(md.settings.IntervalTM / 1000.0, 0.001);
	shiftS_.reset();
	stored_.fill(0);
	newest_.fill(NAN);
	for (StatusTrail &trail : trails_)
		trail.clear();
	missing_ = 0;
	publish(md, true);
}

void RunStatusPage::sampleStored(int unit, std::optional<float> value)
{
	const float shown = value.value_or(NAN);
	if (!value)
		++missing_;
	newest_[unit] = shown;
	trails_[unit].add(shiftS() + static_cast<double>(stored_[unit]) * intervalS_, shown);
	++stored_[unit];
}

void RunStatusPage::tickDone(const ModuleData &md)
{
	if (sincePublished_.hasExpired(kPublishPeriodMs))
		publish(md, true);
}

void RunStatusPage::eventHappened(const ModuleData &md, const RunEvent &event)
{
	(void)md;
	StatusEvent shown;
	shown.kind = EventKindName(event.kind);
	shown.kindText = EventKindText(event.kind);
	shown.unit = event.unit >= 0 ? unitName(event.unit) : QString();
	shown.timeS = shiftS() + event.timeS;
	shown.text = EventDetailText(event);
	server_.addEvent(std::move(shown));
}

void RunStatusPage::runEnded(const ModuleData &md)
{
	publish(md, false);
}

double RunStatusPage::shiftS()
{
	if (!shiftS_)
		shiftS_ = timeShiftS ? timeShiftS() : 0.0;
	return *shiftS_;
}

void RunStatusPage::publish(const ModuleData &md, bool running)
{
	StatusSnapshot snapshot;
	snapshot.running = running;
	const QString unitText = ShownUnitText(md.GetSingStr());
	int64_t recorded = 0;
	for (int u = 0; u < kUnitCount; ++u) {
		if (!md.Channels[u].inUse())
			continue;
		recorded = std::max(recorded, stored_[u]);
		snapshot.values.push_back(
				{unitName(u), newest_[u], unitText, alarmOf(limits_.latched(u))});
		snapshot.series.push_back({unitName(u), unitText, trails_[u].points()});
	}
	StatusRecording &recording = snapshot.recording;
	recording.file = recordingFile_();
	recording.recordedS = shiftS_.value_or(0.0) + static_cast<double>(recorded) * intervalS_;
	recording.samplesLost = missing_;
	recording.freeBytes = FreeSpace(folder_);
	if (recording.freeBytes)
		recording.lastsS = SecondsOfSpace(md, *recording.freeBytes);
	server_.publish(std::move(snapshot));
	sincePublished_.start();
}

} // namespace kelvra

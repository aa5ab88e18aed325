#pragma once

// Trigger captures taken again and again from the samples of a long
// recording: the trigger engine works on a state of its own, and each
// complete capture is saved at once as a numbered data file (.vn2) in the
// recording folder, then the trigger is armed again. Armed again, it fires
// only once the watched unit's value has come back from past the level, so
// that one excursion makes one capture.

#include "run/RunRecorder.h"
#include "run/TriggerRing.h"

#include <QDateTime>

#include <deque>
#include <functional>
#include <memory>

namespace kelvra {

class RepeatedCapture : public RunRecorder {
public:
	explicit RepeatedCapture(QString folder);

	// A capture was saved in this file.
	std::function<void(const QString &)> onSaved;
	// A capture could not be saved; the text says why.
	std::function<void(const QString &)> onFailed;
	// The trigger event of each complete capture, for the run's events.
	std::function<void(const RunEvent &)> onTrigger;

	int saved() const { return saved_; }
	// Takes at most this many samples per unit, as the recording keeps; 0: no
	// limit. Samples of the tick under way past a new limit are dropped.
	void setSampleLimit(uint64_t samples);

	void runStarted(const ModuleData &md) override;
	void sampleStored(int unit, std::optional<float> value) override;
	void tickDone(const ModuleData &md) override;
	void runEnded(const ModuleData &md) override;

private:
	void arm();
	void save();
	bool rowComplete() const;
	void offer(int unit);
	bool pastLevel(float value) const;

	QString folder_;
	QString baseName_;
	QDateTime start_;
	ModuleData capture_;
	TriggerRing rings_{capture_};
	std::array<std::deque<std::optional<float>>, kUnitCount> pending_;
	std::array<int64_t, kUnitCount> taken_{};
	std::array<uint64_t, kUnitCount> received_{};
	uint64_t sampleLimit_ = 0;
	int64_t triggerSample_ = 0;   // number of the trigger sample in the run, from 0
	bool awaitingReturn_ = false; // armed again, the value still past the level
	int saved_ = 0;
};

} // namespace kelvra

#pragma once

// Trigger captures taken again and again from the samples of a long
// recording: the trigger engine works on a state of its own, and each
// complete capture is saved at once as a numbered data file (.vn2) in the
// recording folder, then the trigger is armed again.

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

	int saved() const { return saved_; }

	void runStarted(const ModuleData &md) override;
	void sampleStored(int unit, std::optional<float> value) override;
	void tickDone(const ModuleData &md) override;
	void runEnded(const ModuleData &md) override;

private:
	void arm();
	void save();
	bool rowComplete() const;
	void offer(int unit);

	QString folder_;
	QString baseName_;
	QDateTime start_;
	ModuleData capture_;
	TriggerRing rings_{capture_};
	std::array<std::deque<std::optional<float>>, kUnitCount> pending_;
	std::array<int64_t, kUnitCount> taken_{};
	int64_t triggerSample_ = 0; // number of the trigger sample in the run, from 0
	int saved_ = 0;
};

} // namespace kelvra

#pragma once

// The status page of a run, a guest of the run's
// recorders: once a second it hands the server the newest value and limit
// state of every unit in use, how the recording stands and the trail of
// the last ten minutes; each event of the run goes over as it happens.
// Handing over never waits on the network (see StatusServer).

#include "limits/LimitMonitor.h"
#include "run/RunRecorder.h"
#include "status/StatusServer.h"
#include "status/StatusTrail.h"

#include <QElapsedTimer>

#include <array>
#include <functional>
#include <optional>

namespace kelvra {

class RunStatusPage : public RunRecorder {
public:
	// `recordingFile`: the file the run is kept in; `folder`: the disk whose
	// free space the page shows.
	RunStatusPage(StatusServerOptions options, const LimitMonitor &limits,
			std::function<QString()> recordingFile, QString folder);

	// What the recording's times add to the run's (a resumed recording's):
	// the page shows the recording's.
	std::function<double()> timeShiftS;

	// Listens; false with the reason when the address cannot be served.
	bool start(QString &error) { return server_.start(error); }
	QString url() const { return server_.url(); }

	void runStarted(const ModuleData &md) override;
	void sampleStored(int unit, std::optional<float> value) override;
	void tickDone(const ModuleData &md) override;
	void eventHappened(const ModuleData &md, const RunEvent &event) override;
	void runEnded(const ModuleData &md) override;

private:
	void publish(const ModuleData &md, bool running);
	double shiftS();

	StatusServer server_;
	const LimitMonitor &limits_;
	std::function<QString()> recordingFile_;
	QString folder_;
	double intervalS_ = 1.0;
	// Asked once the recording has started, which is after this guest.
	std::optional<double> shiftS_;
	std::array<int64_t, kUnitCount> stored_{}; // samples of each unit this run
	std::array<float, kUnitCount> newest_{};
	std::array<StatusTrail, kUnitCount> trails_;
	int64_t missing_ = 0;
	QElapsedTimer sincePublished_;
};

} // namespace kelvra

#pragma once

// The recorder of a long recording: every sample the run stores and every
// event of the run go into a .kvr file (in parts when split), on the disk at
// most a second after they were measured. Trouble with the disk is told
// once, as text, and never stops the run.

#include "RecordingResume.h"
#include "RecordingStore.h"
#include "RecordingWriter.h"
#include "files/RecordingSpace.h"
#include "run/RunRecorder.h"

#include <QElapsedTimer>
#include <QLockFile>

#include <functional>
#include <memory>
#include <optional>

namespace kelvra {

class LongRecording : public RunRecorder {
public:
	static constexpr int64_t kSpaceCheckPeriodMs = 60 * 1000;

	// `target` is a .kvr file, or a folder in which the file is named by
	// the run's start time.
	LongRecording(QString target, bool isFolder, SplitPeriod split);
	~LongRecording() override;

	// Told once per trouble: the disk refused data, less than an hour of
	// space is left.
	std::function<void(const QString &)> onNotice;
	// Milliseconds of a steady clock; the recording's own one unless set.
	std::function<int64_t()> nowMs;

	// The memo lines of every part's header: the run clears the state's own
	// at its start, so they come from here.
	void setMemoLines(const QStringList &lines) { memoLines_ = lines; }
	// Goes on with an interrupted recording instead of beginning one: in its
	// next part, from the sample number of the clock on, the outage a gap of
	// every unit. The state's settings are to be the recording's.
	void resumeFrom(ResumePoint point) { resume_ = std::move(point); }
	// Whether a program is writing the recording of these files now.
	static bool BeingWritten(const QString &baseName);
	// The seconds without samples before a resumed recording went on, once
	// its run has started.
	std::optional<double> outageS() const { return outageS_; }
	// What the recording's times add to the run's: the time of its first
	// sample when resumed, else 0.
	double timeShiftS() const { return shiftS_; }
	// Keeps at most this many samples per unit; 0: no limit. Samples of the
	// tick under way past a new limit are dropped.
	void setSampleLimit(uint64_t samples);
	// Every unit in use has its limit of samples.
	bool limitReached(const ModuleData &md) const;

	void runStarted(const ModuleData &md) override;
	void sampleStored(int unit, std::optional<float> value) override;
	void tickDone(const ModuleData &md) override;
	void eventHappened(const ModuleData &md, const RunEvent &event) override;
	void runEnded(const ModuleData &md) override;

	// The file being written, or the last one written; empty before the start.
	QString currentFile() const;
	// Samples of the run did not reach the disk.
	bool lostToDisk() const;
	QString diskError() const;
	// What the run left on the disk: its parts in order, none that the disk
	// never took; the first of them that opens with samples in it, the file
	// that opens the whole recording (empty when none holds any), and the
	// samples of the unit that has most in the recording opened so.
	struct OnDisk {
		QStringList files;
		QString first;
		uint64_t samples = 0;
	};
	OnDisk onDisk() const;

private:
	struct Pending {
		std::vector<float> values;
		uint64_t missing = 0; // comes after values when both are set
	};

	QString baseNameAt(const QDateTime &start) const;
	void lock();
	void begin(const ModuleData &md);
	void goOn(const ResumePoint &point);
	void handOver();
	void checkDisk(const ModuleData &md, int64_t now);

	QString target_;
	bool isFolder_;
	SplitPeriod split_;
	QElapsedTimer clock_;
	std::unique_ptr<RecordingWriter> writer_;
	std::unique_ptr<RecordingStore> store_;
	std::array<Pending, kUnitCount> pending_;
	std::array<uint64_t, kUnitCount> taken_{};
	uint64_t sampleLimit_ = 0;
	QStringList memoLines_;
	std::optional<ResumePoint> resume_;
	std::unique_ptr<QLockFile> lock_; // held while the recording is written
	std::optional<double> outageS_;
	double shiftS_ = 0.0; // of the run's times in the recording's
	QString baseName_;
	QString firstFile_;
	QString lastFile_;
	int toldFailures_ = 0;
	bool toldLowSpace_ = false;
	int64_t lastSpaceCheckMs_ = 0;
};

} // namespace kelvra

#pragma once

// The crash-safe journal of a run: from the start of a run until its data are
// saved or deliberately dropped, a file in the user's data folder holds the
// run's settings and every sample stored, so that a run lost to a crash, a
// killed process or a power cut can be rebuilt up to the last second.
//
// While a trigger waits, the journal is started afresh now and then with the
// rings as they stand, so hours of waiting cost the ring's worth of bytes,
// not every sample.
//
// Lifetime: a new run replaces the previous journal; the owner calls
// Discard() when the data were written to a file, replaced by a read or
// cleared by a settings change, or dropped by a confirmed exit. A journal
// left behind belongs to a program that did not end normally. Each journal
// has a lock file, so a running program's journal is never touched by
// another instance.

#include "JournalWriter.h"
#include "RunRecorder.h"
#include "core/Prompt.h"

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace kelvra {

// Where journals live: the window's AppLocalDataLocation, shared with kelvra-cli.
QString JournalFolder();

// The lock file that marks a journal as owned by a running program.
std::unique_ptr<QLockFile> JournalLock(const QString &journalFile);

class RunJournal : public RunRecorder {
public:
	explicit RunJournal(Prompt &prompt, QString folder = JournalFolder());
	// Leaves the journal on the disk for recovery unless it was discarded.
	~RunJournal() override;

	RunJournal(const RunJournal &) = delete;
	RunJournal &operator=(const RunJournal &) = delete;

	// kelvra-cli: memo lines and a sample limit for the header of the next run.
	void setMemoLines(const QStringList &lines);
	void setSampleLimit(int32_t samples) { sampleLimit_ = samples; }
	// Whether a failure is also printed on standard error (the console prompt prints already).
	void setEchoToStandardError(bool echo) { echo_ = echo; }

	void runStarted(const ModuleData &md) override;
	void sampleStored(int unit, std::optional<float> value) override;
	void tickDone(const ModuleData &md) override;
	void eventHappened(const ModuleData &md, const RunEvent &event) override;
	void runEnded(const ModuleData &md) override;

	// The data are safe or deliberately dropped: deletes the journal.
	void Discard();

	// Takes over a recovered journal, which then lives until Discard().
	// False when another program holds it.
	bool Adopt(const QString &journalFile);

	// Where this program's journals, and those of others, live.
	const QString &folder() const { return folder_; }

	// The journal of the data held; empty when none.
	QString fileName() const { return fileName_; }
	// Bytes of the journal synced to the disk so far.
	qint64 syncedBytes() const { return writer_ ? writer_->syncedBytes() : 0; }

	// Waits until everything journaled is on the disk; false, with the
	// reason in failure(), when the journal is not whole. For the command
	// line: the window never waits for the disk.
	bool Flush();
	const QString &failure() const { return failure_; }

	// While a trigger waits, the journal starts afresh once this many bytes
	// of waiting ticks were written (or the rings' worth, when that is more).
	static constexpr qsizetype kWaitingBytes = 1024 * 1024;

private:
	void finishTick(const ModuleData &md);
	void startAfreshWithRings(const ModuleData &md);
	void watchLastWrites();
	void noticeFailure(const QString &reason);
	void tellFailure();
	void tellFailureSoon();
	void showFailure();

	Prompt &prompt_;
	QString folder_;
	std::array<QString, 5> memo_;
	int32_t sampleLimit_ = 0;
	bool echo_ = true;

	QString fileName_;
	std::unique_ptr<QLockFile> lock_;
	std::unique_ptr<JournalWriter> writer_;
	QByteArray header_; // the header record, for starting afresh
	QByteArray events_; // the event records so far, for starting afresh
	QByteArray tick_;
	qsizetype tickBegin_ = -1;
	int32_t lastDataCount_ = 0;
	qsizetype waitingBytes_ = 0; // of waiting ticks since the journal started (afresh)
	qsizetype ringBytes_ = 0;    // of the last start afresh
	bool running_ = false;
	QString failure_; // why this run's journal cannot be written
	bool failedRunning_ = false;
	bool failureTold_ = false;
	QTimer lastWrites_; // watches the writes after the end of the run
	QObject context_;   // ends a pending failure message with the journal
};

} // namespace kelvra

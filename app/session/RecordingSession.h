#pragma once

// A long recording run of the window: the run records into a .kvr file in
// the recording folder instead of the journal, the header tells the file and
// the recorded time, and trouble (a lost unit, the disk) is told once, after
// the tick in which it happened. The unattended settings add the hooks, the
// watch of the free space (shown in the header while it is low) and the
// status page. When the run ends, runs are recorded as before.

#include "RunAssembly.h"
#include "RunHooks.h"
#include "RunStatusPage.h"
#include "core/Prompt.h"
#include "run/RunView.h"

#include <QObject>

namespace kelvra {

class RecordingSession : public QObject {
	Q_OBJECT

public:
	// `assembly` records the other runs as well.
	RecordingSession(ModuleData &md, RunControl &run, RunView &view, Prompt &prompt,
			RunAssembly &assembly, QObject *parent = nullptr);

	// Starts a long recording with these memo lines. False when the run did
	// not start (the reason was told).
	bool start(const QStringList &memoLines);
	// The file of the current or last long recording; empty before one.
	QString currentFile() const;
	// The status page's address while one serves; empty when none.
	QString statusUrl() const;

	// Ends the hooks and the status page: they outlive the run until the
	// next one, so that the hook of its end runs.
	~RecordingSession() override;

private:
	bool addUnattended();
	void dropUnattended();
	void tickDone();
	void runEnded();
	void eventAdded(const RunEvent &event);
	void tellLater(const QString &text);

	ModuleData &md_;
	RunControl &run_;
	RunView &view_;
	Prompt &prompt_;
	RunAssembly &assembly_;
	QString shownHeader_;
	std::unique_ptr<RunHooks> hooks_;
	std::unique_ptr<RunStatusPage> statusPage_;
	std::optional<float> lowSpaceBytes_; // the free space while it is below the least
};

// "1日 02:03:04" or "02:03:04": a recorded time.
QString RecordedTimeText(double seconds);

} // namespace kelvra

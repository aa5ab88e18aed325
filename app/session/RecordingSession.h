#pragma once

// A long recording run of the window: the run records into a .kvr file in
// the recording folder instead of the journal, the header tells the file and
// the recorded time, and trouble (a lost unit, the disk) is told once, after
// the tick in which it happened. When the run ends, runs are recorded as
// before.

#include "RunAssembly.h"
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

private:
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
};

// "1日 02:03:04" or "02:03:04": a recorded time.
QString RecordedTimeText(double seconds);

} // namespace kelvra

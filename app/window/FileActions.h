#pragma once

// What the main window does with files: "保存" (the data with a memo),
// "読込み" (a data file, or a long recording beside it), "範囲保存" (the
// span shown), a file named on the command line or dropped on the window,
// and the runs an earlier program left unsaved in the journal.

#include "core/ModuleData.h"
#include "core/Prompt.h"
#include "recording/RecordingReader.h"
#include "run/RunJournal.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace kelvra {

class RecordingSession;
class ReviewController;

class FileActions : public QObject {
	Q_OBJECT

public:
	using ShowModal = std::function<void(QDialog &)>;

	FileActions(ModuleData &md, Prompt &prompt, const ShowModal &showModal,
			const RecordingSession &session, ReviewController &review,
			QWidget *dialogParent);

	// Data read into the buffers (from a file or the journal), to be shown.
	std::function<void()> onLoaded;
	// A read that gave no data: the cleared state to be shown as such.
	std::function<void()> onNoData;
	// A long recording too long for the buffers, to be reviewed from its summaries.
	std::function<void(std::unique_ptr<RecordingReader>)> onRecordingOpened;

	void save();
	void read();
	// As read does, after the same question, for a file already chosen.
	void openDataFile(const QString &fileName);
	// The span [from, to] of the graph's x axis as a data file, CSV or HDF5.
	void saveSpan(double from, double to);

	// Every run from now on is journaled there until its data are saved or dropped.
	void setJournal(RunJournal &journal) { journal_ = &journal; }
	void offerRecovery();
	void discardJournal();

private:
	// The question before a read replaces data held; true to go on.
	bool mayReplaceData();
	void readFile(const QString &fileName);
	void openRecording(const QString &fileName);
	void readFailed(const QString &fileName, const QString &error);

	ModuleData &md_;
	Prompt &prompt_;
	const ShowModal &showModal_;
	const RecordingSession &session_;
	ReviewController &review_;
	QWidget *dialogParent_;
	RunJournal *journal_ = nullptr;
	QString folder_; // where the last file of this run of the program was saved or read
};

} // namespace kelvra

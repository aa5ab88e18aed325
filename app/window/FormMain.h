#pragma once

// The main window "ひずみ測定(Ver1.2)": the graph with its header line, the
// review row under it, the display range and current value groups, and the
// command buttons. It assembles the run, the review, the limits and events
// presenters and the file actions, wires the controls to them, and is the
// run's view of the window.

#include "acquisition/DeviceApi.h"
#include "acquisition/DeviceControl.h"
#include "core/ModuleData.h"
#include "core/Prompt.h"
#include "display/CurrentValues.h"
#include "display/DialogDatalist.h"
#include "display/DialogEvents.h"
#include "display/DialogMoveWindow.h"
#include "display/GraphView.h"
#include "display/PrinterDialog.h"
#include "display/QCustomPlotChart.h"
#include "display/SeriesDrawing.h"
#include "run/RunControl.h"
#include "run/RunJournal.h"
#include "run/RunView.h"
#include "session/RecordingSession.h"
#include "session/RunAssembly.h"
#include "settings/SettingsStore.h"
#include "window/EventPresenter.h"
#include "window/FileActions.h"
#include "window/LimitsPresenter.h"
#include "window/MainControls.h"
#include "window/ReviewController.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QDialog;
class QPrinter;
class QCustomPlot;

namespace kelvra {

class FormMain : public QWidget, public RunView {
	Q_OBJECT

public:
	// With emulated units (their description given) and no stored
	// conditions, the window starts with the first look at every unit.
	FormMain(ModuleData &md, DeviceApi &api, Prompt &prompt, SettingsStore &store,
			const QString &emulatorDescription = {}, QWidget *parent = nullptr);
	~FormMain() override;

	// RunView
	void SetButtonState() override;
	void CloseDataList() override;
	void SuspendRedraw() override { chart_->setRedrawSuspended(true); }
	void ResumeRedraw() override { chart_->setRedrawSuspended(false); }
	Flag SetGraphParam() override { return graphView_->SetGraphParam(); }
	void FollowAxisX() override { graphView_->FollowAxisX(); }
	void FollowAxisY(Flag expandOnly) override { graphView_->FollowAxisY(expandOnly); }
	void GrDrawData(int32_t n) override { drawing_->GrDrawData(n); }
	void GrDrawData2(int32_t first, int32_t last) override
	{
		drawing_->GrDrawData2(first, last);
	}
	void DrawTrigLine(Flag show) override { drawing_->DrawTrigLine(show); }
	void SetHeaderText(const QString &text) override { drawing_->SetHeaderText(text); }
	void SetTriggerStopTitles(const QString &header, const QString &xTitle) override;
	void ShowCurrentValues() override { values_->ShowCurrentValues(); }
	void ShowCurrentValuesByNum() override { values_->ShowCurrentValuesByNum(); }
	void ShowCurrentValuesTrg() override { values_->ShowCurrentValuesTrg(); }

	void cmdDisp_Click();
	void cmdMeasInfo_Click();
	void cmdSetting_Click();
	void cmdUnitSetting_Click();
	// A data file named on the command line or dropped on the window: read
	// as the read button does, after the same question.
	void openDataFile(const QString &fileName) { files_->openDataFile(fileName); }

	// Every run from now on is journaled there until its data are saved or
	// dropped; the journal outlives the window.
	void setJournal(RunJournal &journal);
	// At start-up: offers the runs that programs which did not end normally
	// left unsaved, and shows a restored one as a read file.
	void offerRecovery() { files_->offerRecovery(); }
	void cmdPrint_Click();
	void cmdMove_Click();
	void cmdLimit_Click() { limits_->edit(); }
	// The start button: a long recording when one is set.
	void cmdStart_Click();
	void cmdAcknowledge_Click() { limits_->acknowledge(); }
	// A marker with a note asked for, at a time given (cursor 1's) or at the
	// newest sample; the key M does the same at cursor 1.
	void cmdMark_Click(std::optional<double> atS = std::nullopt) { events_->mark(atS); }
	// Opens the event list, or brings it to the front.
	void cmdEvents_Click() { events_->openList(); }
	// After the settings were changed: the data are erased and the titles set anew.
	void settingsChanged();

	// Shows a dialog modally and returns once it is closed; tests drive the
	// dialog through its controls instead.
	std::function<void(QDialog &)> showModal;

	RunControl &run() { return *run_; }
	QCustomPlotChart &chart() { return *chart_; }
	DialogDatalist *dataList() const { return dataList_; }
	DialogMoveWindow *moveWindow() const { return moveWindow_; }
	DialogEvents *eventList() const { return events_->list(); }
	GraphView &graphView() { return *graphView_; }
	// The review cursors; cursor 1 is where markers are placed.
	GraphCursors &cursors() { return review_->cursors(); }
	CursorPanel *cursorPanel() const { return review_->cursorPanel(); }
	StatisticsPanel *statisticsPanel() const { return review_->statisticsPanel(); }
	OverviewStrip *overview() const { return review_->overview(); }
	void setPrinterDialog(std::unique_ptr<PrinterDialog> dialog)
	{
		printerDialog_ = std::move(dialog);
	}

protected:
	void closeEvent(QCloseEvent *event) override;
	void dragEnterEvent(QDragEnterEvent *event) override;
	void dropEvent(QDropEvent *event) override;
	void resizeEvent(QResizeEvent *event) override;

private:
	void buildUi();
	void buildPresenters();
	void connectControls();
	void Form_Load(const QString &emulatorDescription);
	bool Form_QueryUnload();
	// The question before a settings dialog opens while data are held; true to go on.
	bool mayEraseData();
	// The titles and ranges of data just read; their values and list cleared.
	void showNewData();
	// Data that came from a file or a journal, shown with their settings.
	void showLoadedData();
	// A read that gave no data: the cleared state shown as such.
	void showNoData();
	// A long recording: the whole run on the graph, drawn from its summaries.
	void showRecording(std::unique_ptr<RecordingReader> reader);
	// Why a long recording cannot start in its folder, as a message; empty when it can.
	QString recordingProblem() const;

	ModuleData &md_;
	Prompt &prompt_;
	SettingsStore &store_;
	MainControls controls_;
	QCustomPlot *plot_ = nullptr;
	std::unique_ptr<QCustomPlotChart> chart_;
	std::unique_ptr<DeviceControl> devices_;
	std::unique_ptr<GraphView> graphView_;
	std::unique_ptr<SeriesDrawing> drawing_;
	std::unique_ptr<CurrentValues> values_;
	std::unique_ptr<RunControl> run_;
	std::unique_ptr<RunAssembly>
			assembly_; // the limit check, then the journal or the recording
	std::unique_ptr<RecordingSession> recordingSession_;
	ReviewController *review_ = nullptr;
	LimitsPresenter *limits_ = nullptr;
	EventPresenter *events_ = nullptr;
	FileActions *files_ = nullptr;
	QPointer<DialogDatalist> dataList_;
	std::unique_ptr<QPrinter> printer_; // the current printer, chosen last
	std::unique_ptr<PrinterDialog> printerDialog_;
	QPointer<DialogMoveWindow> moveWindow_;
};

} // namespace kelvra

#pragma once

// The main window "ひずみ測定(Ver1.2)": the graph with its header line, the
// display range and current value groups, and the command buttons. It wires
// the controls to the core's logic and is the run's view of the window.

#include "acquisition/DeviceApi.h"
#include "acquisition/DeviceControl.h"
#include "core/ModuleData.h"
#include "core/Prompt.h"
#include "display/BufferReview.h"
#include "display/CurrentValues.h"
#include "display/DialogDatalist.h"
#include "display/DialogEvents.h"
#include "display/DialogMoveWindow.h"
#include "display/GraphCursors.h"
#include "display/GraphView.h"
#include "display/PrinterDialog.h"
#include "display/QCustomPlotChart.h"
#include "display/RecordingReview.h"
#include "display/SeriesDrawing.h"
#include "display/ViewControls.h"
#include "files/FileResult.h"
#include "run/RunControl.h"
#include "run/RunJournal.h"
#include "run/RunView.h"
#include "session/RecordingSession.h"
#include "session/RunAssembly.h"
#include "settings/SettingsStore.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QCustomPlot;
class QTimer;

namespace kelvra {

class CursorPanel;
class GraphMouse;
class OverviewStrip;
class StatisticsPanel;

class FormMain : public QWidget, public RunView, public ViewControls, public ValueLabels {
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
	void SuspendRedraw() override;
	void ResumeRedraw() override;
	Flag SetGraphParam() override;
	void FollowAxisX() override;
	void FollowAxisY(Flag expandOnly) override;
	void GrDrawData(int32_t n) override;
	void GrDrawData2(int32_t first, int32_t last) override;
	void DrawTrigLine(Flag show) override;
	void SetHeaderText(const QString &text) override;
	void SetTriggerStopTitles(const QString &header, const QString &xTitle) override;
	void ShowCurrentValues() override;
	void ShowCurrentValuesByNum() override;
	void ShowCurrentValuesTrg() override;

	// ViewControls
	void setScrollButtonsEnabled(bool enabled) override;
	void setCountListEnabled(bool enabled) override;
	void setCountList(const QStringList &items, int selected) override;
	int32_t countListValue() const override;
	void showScrollMode(int index) override;
	void showScaleMode(int index) override;
	void setScaleInputs(bool enabled, const QString &top, const QString &bottom) override;
	QString scaleTopText() const override;
	QString scaleBottomText() const override;

	// ValueLabels
	void setValueText(int unit, const QString &text) override;

	void cmdDisp_Click();
	void cmdMeasInfo_Click();
	void cmdSetting_Click();
	void cmdUnitSetting_Click();
	void cmdSave_Click();
	void cmdRead_Click();
	// A data file named on the command line or dropped on the window: read
	// as the read button does, after the same question.
	void openDataFile(const QString &fileName);
	// "範囲保存": the span shown as a data file, CSV or HDF5.
	void cmdSaveSpan_Click();

	// Every run from now on is journaled there until its data are saved or
	// dropped; the journal outlives the window.
	void setJournal(RunJournal &journal);
	// At start-up: offers the runs that programs which did not end normally
	// left unsaved, and shows a restored one as a read file.
	void offerRecovery();
	void cmdPrint_Click();
	void cmdMove_Click(int index);
	void cmdLimit_Click();
	// The start button: a long recording when one is set.
	void cmdStart_Click();
	void cmdAcknowledge_Click();
	// A marker with a note asked for, at a time given (cursor 1's) or at the
	// newest sample; the key M does the same.
	void cmdMark_Click(std::optional<double> atS = std::nullopt);
	// "マーク": at cursor 1 when it is set.
	void markAtCursor();
	// Opens the event list, or brings it to the front.
	void cmdEvents_Click();
	// Centres the graph on the sample of an event's time.
	void moveToEvent(double timeS);
	// After the settings were changed: the data are erased and the titles set anew.
	void settingsChanged();

	// Shows a dialog modally and returns once it is closed; tests drive the
	// dialog through its controls instead.
	std::function<void(QDialog &)> showModal;

	RunControl &run() { return *run_; }
	QCustomPlotChart &chart() { return *chart_; }
	DialogDatalist *dataList() const { return dataList_; }
	DialogMoveWindow *moveWindow() const { return moveWindow_; }
	DialogEvents *eventList() const { return eventList_; }
	GraphView &graphView() { return *graphView_; }
	// The review cursors; cursor 1 is where markers are placed.
	GraphCursors &cursors() { return cursors_; }
	CursorPanel *cursorPanel() const { return cursorPanel_; }
	StatisticsPanel *statisticsPanel() const { return statisticsPanel_; }
	OverviewStrip *overview() const { return overview_; }
	void setPrinterDialog(std::unique_ptr<PrinterDialog> dialog)
	{
		printerDialog_ = std::move(dialog);
	}

	QPushButton *cmdStart = nullptr;
	QPushButton *cmdStop = nullptr;
	QPushButton *cmdSetting = nullptr;
	QPushButton *cmdUnitSetting = nullptr;
	QPushButton *cmdMeasInfo = nullptr;
	QPushButton *cmdDisp = nullptr;
	QPushButton *cmdSave = nullptr;
	QPushButton *cmdRead = nullptr;
	QPushButton *cmdPrint = nullptr;
	QPushButton *cmdEnd = nullptr;
	std::array<QRadioButton *, 3> optWid{};
	std::array<QRadioButton *, 2> optHei{};
	QComboBox *Combo1 = nullptr;
	QPushButton *cmdLeft = nullptr;
	QPushButton *cmdRight = nullptr;
	QLineEdit *txtVhi = nullptr;
	QLineEdit *txtVlow = nullptr;
	QPushButton *cmdSetScaleY = nullptr;
	std::array<QLabel *, kUnitCount> Label1{};
	QPushButton *cmdLimit = nullptr;
	QPushButton *cmdAcknowledge = nullptr;
	QPushButton *cmdMark = nullptr;
	QPushButton *cmdEvents = nullptr;
	std::array<QPushButton *, 4> cmdMove{};
	QPushButton *cmdSaveSpan = nullptr;
	QCheckBox *chkClock = nullptr;

protected:
	void closeEvent(QCloseEvent *event) override;
	void dragEnterEvent(QDragEnterEvent *event) override;
	void dropEvent(QDropEvent *event) override;
	void resizeEvent(QResizeEvent *event) override;

private:
	void buildUi();
	QWidget *buildRangeGroup();
	QWidget *buildValueGroup();
	QWidget *buildCommandColumn();
	void connectControls();
	void Form_Load(const QString &emulatorDescription);
	bool Form_QueryUnload();
	// The question before a settings dialog opens while data are held; true to go on.
	bool mayEraseData();
	// The question before a read replaces data held; true to go on.
	bool mayReplaceData();
	void readFile(const QString &fileName);
	// A long recording: the whole run on the graph, drawn from its summaries;
	// one that fits the buffers is read into them as a data file is.
	void openRecording(const QString &fileName);
	void endRecordingReview();
	void ShowReadData();
	// Data that came from a file or a journal, shown with their settings.
	void showLoadedData();
	void discardJournal();
	// A read that gave no data: the cleared state shown as such.
	void showNoData();
	void buildMoveButtons();
	// The current values on amber or red while a unit's limit state is latched.
	void showLimitStates();
	void limitEvents(const std::vector<LimitEvent> &events);
	// Why a long recording cannot start in its folder, as a message; empty when it can.
	QString recordingProblem() const;
	void eventAdded(const RunEvent &event);
	// The markers on the graph and the event list anew from the events held.
	void showEvents();
	QWidget *buildReviewRow();
	// The cursor lines, the cursor readouts and the statistics anew.
	void refreshReview();
	// The whole run on the overview strip anew.
	void refreshOverview();

	ModuleData &md_;
	Prompt &prompt_;
	SettingsStore &store_;
	QCustomPlot *plot_ = nullptr;
	QButtonGroup *scrollGroup_ = nullptr;
	QButtonGroup *scaleGroup_ = nullptr;
	std::unique_ptr<QCustomPlotChart> chart_;
	std::unique_ptr<DeviceControl> devices_;
	std::unique_ptr<GraphView> graphView_;
	std::unique_ptr<SeriesDrawing> drawing_;
	std::unique_ptr<CurrentValues> values_;
	std::unique_ptr<RunControl> run_;
	QPointer<DialogDatalist> dataList_;
	QString fileFolder_; // where the last file of this run of the program was saved or read
	RunJournal *journal_ = nullptr;
	std::unique_ptr<RunAssembly>
			assembly_; // the limit check, then the journal or the recording
	std::unique_ptr<RecordingSession> recordingSession_;
	std::unique_ptr<QPrinter> printer_; // the current printer, chosen last
	std::unique_ptr<PrinterDialog> printerDialog_;
	QPointer<DialogMoveWindow> moveWindow_;
	QPointer<DialogEvents> eventList_;
	GraphCursors cursors_;
	BufferReview bufferReview_{md_};
	const ReviewSource *review_ = &bufferReview_; // what the cursors and statistics read
	std::unique_ptr<RecordingReader> recording_;  // the long recording reviewed, if any
	std::unique_ptr<RecordingReview> recordingReview_;
	GraphMouse *graphMouse_ = nullptr;
	CursorPanel *cursorPanel_ = nullptr;
	StatisticsPanel *statisticsPanel_ = nullptr;
	OverviewStrip *overview_ = nullptr;
	QTimer *reviewTimer_ = nullptr; // the statistics follow a run once a second
};

} // namespace kelvra

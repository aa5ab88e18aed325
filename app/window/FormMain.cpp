#include "FormMain.h"

#include "acquisition/DialogSetUnit.h"
#include "display/DialogDatalist.h"
#include "display/PrintDatGraph.h"
#include "display/ShowReadData.h"
#include "files/MeasurementFiles.h"
#include "limits/LimitEntries.h"
#include "session/RecordingTarget.h"
#include "settings/DialogRecordMemo.h"
#include "settings/DialogSetting.h"
#include "settings/LongRecordEntries.h"
#include "settings/MeasInfo.h"
#include "settings/StartUpState.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace kelvra {

FormMain::FormMain(ModuleData &md, DeviceApi &api, Prompt &prompt, SettingsStore &store,
		const QString &emulatorDescription, QWidget *parent)
	: QWidget(parent), md_(md), prompt_(prompt), store_(store),
	  printerDialog_(std::make_unique<QtPrinterDialog>())
{
	plot_ = new QCustomPlot(this);
	chart_ = std::make_unique<QCustomPlotChart>(plot_);
	devices_ = std::make_unique<DeviceControl>(md_, api, prompt_);
	graphView_ = std::make_unique<GraphView>(md_, *chart_, controls_, prompt_);
	drawing_ = std::make_unique<SeriesDrawing>(md_, *chart_, *graphView_);
	graphView_->DispConnectflg = [this] { drawing_->DispConnectflg(); };
	values_ = std::make_unique<CurrentValues>(md_, controls_);
	run_ = std::make_unique<RunControl>(md_, *devices_, prompt_, *this);
	assembly_ = std::make_unique<RunAssembly>(md_, *run_);
	recordingSession_ =
			std::make_unique<RecordingSession>(md_, *run_, *this, prompt_, *assembly_);
	review_ = new ReviewController(md_, *chart_, *graphView_, *drawing_, this);
	showModal = [](QDialog &dialog) { dialog.exec(); };
	buildUi();
	buildPresenters();
	connectControls();
	Form_Load(emulatorDescription);
}

FormMain::~FormMain()
{
	delete dataList_.data(); // before the button it re-enables goes
}

void FormMain::buildUi()
{
	setWindowTitle(tr("ひずみ測定(Ver1.2)"));
	setAcceptDrops(true);
	plot_->setMinimumSize(640, 300);
	review_->attachTo(plot_);

	auto *bottom = new QHBoxLayout;
	bottom->addWidget(controls_.buildRangeGroup(this), 3);
	bottom->addWidget(controls_.buildValueGroup(this), 2);

	auto *left = new QVBoxLayout;
	left->addWidget(plot_, 1);
	left->addWidget(review_->buildRow(this));
	left->addLayout(bottom);

	auto *layout = new QHBoxLayout(this);
	layout->setContentsMargins(28, 28, 28, 28); // room for the move buttons in the corners
	layout->addLayout(left, 1);
	layout->addWidget(controls_.buildCommandColumn(this));
	controls_.buildMoveButtons(this);
	resize(1120, 800);
}

void FormMain::buildPresenters()
{
	limits_ = new LimitsPresenter(md_, assembly_->limits().monitor(), prompt_, showModal,
			controls_.values, controls_.acknowledge, this);
	assembly_->onLimitEvents = [this](const std::vector<LimitEvent> &events) {
		limits_->eventsSeen(events);
	};
	events_ = new EventPresenter(
			md_, *run_, *chart_, *graphView_, review_->cursors(), prompt_, this);
	files_ = new FileActions(md_, prompt_, showModal, *recordingSession_, *review_, this);
	files_->onLoaded = [this] { showLoadedData(); };
	files_->onNoData = [this] { showNoData(); };
	files_->onRecordingOpened = [this](std::unique_ptr<RecordingReader> reader) {
		showRecording(std::move(reader));
	};
}

void FormMain::resizeEvent(QResizeEvent *event)
{
	QWidget::resizeEvent(event);
	controls_.placeMoveButtons(size());
}

void FormMain::cmdMove_Click()
{
	if (!moveWindow_)
		moveWindow_ = new DialogMoveWindow(this);
	moveWindow_->show();
	moveWindow_->raise();
	moveWindow_->activateWindow();
}

void FormMain::connectControls()
{
	const MainControls &c = controls_;
	connect(c.start, &QPushButton::clicked, this, &FormMain::cmdStart_Click);
	connect(c.stop, &QPushButton::clicked, this, [this] { run_->stopRun(); });
	connect(c.dataList, &QPushButton::clicked, this, &FormMain::cmdDisp_Click);
	connect(c.saveConditions, &QPushButton::clicked, this, &FormMain::cmdMeasInfo_Click);
	connect(c.end, &QPushButton::clicked, this, &QWidget::close);
	connect(c.setting, &QPushButton::clicked, this, &FormMain::cmdSetting_Click);
	connect(c.unitSetting, &QPushButton::clicked, this, &FormMain::cmdUnitSetting_Click);
	connect(c.save, &QPushButton::clicked, files_, &FileActions::save);
	connect(c.read, &QPushButton::clicked, files_, &FileActions::read);
	connect(c.print, &QPushButton::clicked, this, &FormMain::cmdPrint_Click);
	connect(c.limit, &QPushButton::clicked, limits_, &LimitsPresenter::edit);
	connect(run_.get(), &RunControl::runStarted, limits_, &LimitsPresenter::showStates);
	connect(c.mark, &QPushButton::clicked, events_, &EventPresenter::markAtCursor);
	connect(new QShortcut(Qt::Key_M, this), &QShortcut::activated, events_,
			&EventPresenter::markAtCursor);
	connect(c.events, &QPushButton::clicked, events_, &EventPresenter::openList);
	connect(run_.get(), &RunControl::runStarted, review_, &ReviewController::endRecording);
	connect(review_, &ReviewController::saveSpanAsked, this, [this] {
		const auto [from, to] = graphView_->visibleX();
		files_->saveSpan(from, to);
	});
	for (QPushButton *move : c.move)
		connect(move, &QPushButton::clicked, this, &FormMain::cmdMove_Click);

	connect(c.scrollGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
		if (checked) {
			graphView_->chooseScrollMode(id);
			review_->refresh();
		}
	});
	connect(c.scaleGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
		if (checked)
			graphView_->chooseScaleMode(id);
	});
	connect(c.countList, &QComboBox::activated, this,
			[this] { graphView_->chooseWindowSize(); });
	connect(c.scrollLeft, &QPushButton::clicked, this, [this] { graphView_->scrollLeft(); });
	connect(c.scrollRight, &QPushButton::clicked, this, [this] { graphView_->scrollRight(); });
	connect(c.setScale, &QPushButton::clicked, this, [this] { graphView_->applyTypedScale(); });
}

void FormMain::Form_Load(const QString &emulatorDescription)
{
	if (const QStringList reset = LoadStartUpState(md_, store_, emulatorDescription);
			!reset.isEmpty())
		prompt_.message(ResetKeysMessage(reset), kMessageTitle, Prompt::Icon::Information);
	assembly_->limits().monitor().setLimits(LoadLimits(store_));
	md_.LongRecord = LoadLongRecord(store_);
	SetButtonState();
	drawing_->InitGraph();
	graphView_->InitGraphParam(false);
	drawing_->SetGraphTitles();
}

void FormMain::SetButtonState()
{
	const bool running = md_.MeasFlag == kTrue;
	controls_.showRunning(running);
	review_->followRun(running);
}

void FormMain::setJournal(RunJournal &journal)
{
	files_->setJournal(journal);
	assembly_->setJournal(&journal);
}

void FormMain::settingsChanged()
{
	review_->endRecording();
	files_->discardJournal();
	CloseDataList();
	md_.ClearMeasData();
	values_->ClearValueLabels();
	controls_.dataList->setEnabled(md_.DataCount >= 1);
	drawing_->SetGraphTitles();
	events_->showAll();
	review_->refreshOverview();
	review_->clearCursors();
}

void FormMain::showNewData()
{
	md_.SetRange();
	drawing_->SetGraphTitles();
	values_->ClearValueLabels();
	CloseDataList();
}

void FormMain::showLoadedData()
{
	showNewData();
	// A settings change may have disabled it while no data were held.
	controls_.dataList->setEnabled(true);
	ShowReadData(md_, *drawing_, *graphView_, *chart_);
	events_->showAll();
	review_->refreshOverview();
	review_->clearCursors();
}

void FormMain::showNoData()
{
	md_.SetRange();
	settingsChanged(); // the emptied data shown as such: graph, values, list
}

void FormMain::showRecording(std::unique_ptr<RecordingReader> reader)
{
	showNewData();
	review_->showRecording(std::move(reader));
}

void FormMain::cmdDisp_Click()
{
	if (md_.DataCount < 1) {
		prompt_.message(tr("データがありません"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	dataList_ = new DialogDatalist(md_, this);
	connect(dataList_, &QObject::destroyed, controls_.dataList,
			[this] { controls_.dataList->setEnabled(md_.MeasFlag != kTrue); });
	dataList_->show();
	controls_.dataList->setEnabled(false);
}

void FormMain::cmdPrint_Click()
{
	if (md_.DataCount < 1) {
		prompt_.message(tr("データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	// Made on first use: finding the system's printers may take a while.
	if (!printer_)
		printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
	// The dialog leaves the chosen printer in printer_, current for the next print.
	if (!printerDialog_->choosePrinter(*printer_, this))
		return;
	PrintDatGraph(md_, *chart_, *printer_, prompt_, QDateTime::currentDateTime());
}

void FormMain::CloseDataList()
{
	if (dataList_) {
		// Deleted now, not later: the data it shows are about to change.
		delete dataList_.data();
		controls_.dataList->setEnabled(true);
	}
}

bool FormMain::mayEraseData()
{
	return md_.DataCount < 1 ||
			prompt_.askYesNo(
					tr("設定を変更するとデータが消去されます。よろしいですか？"),
					kMessageTitle);
}

void FormMain::cmdSetting_Click()
{
	if (!mayEraseData())
		return;
	md_.SettingOK = kFalse;
	DialogSetting dialog(
			md_,
			[this](int unit, bool ticked) {
				devices_->TakeZeroReference(unit, ticked);
			},
			prompt_, this);
	showModal(dialog);
	if (md_.SettingOK == kTrue)
		settingsChanged();
}

void FormMain::cmdUnitSetting_Click()
{
	if (!mayEraseData())
		return;
	DialogSetUnit dialog(md_, prompt_, this);
	showModal(dialog);
	if (!dialog.GetDlgButton())
		return;
	md_.SetRange();
	settingsChanged();
}

// The one local .vn2 or .kvr file dropped on an idle window.
static QString droppedDataFile(const QMimeData *mime)
{
	if (!mime->hasUrls() || mime->urls().size() != 1 ||
			!mime->urls().constFirst().isLocalFile())
		return {};
	const QString path = mime->urls().constFirst().toLocalFile();
	return path.endsWith(QStringLiteral(".vn2"), Qt::CaseInsensitive) || IsRecordingFile(path)
			? path
			: QString();
}

void FormMain::dragEnterEvent(QDragEnterEvent *event)
{
	if (md_.MeasFlag != kTrue && !droppedDataFile(event->mimeData()).isEmpty())
		event->acceptProposedAction();
}

void FormMain::dropEvent(QDropEvent *event)
{
	const QString fileName = droppedDataFile(event->mimeData());
	if (fileName.isEmpty())
		return;
	event->acceptProposedAction();
	files_->openDataFile(fileName);
}

void FormMain::cmdMeasInfo_Click()
{
	SaveMeasInfo(md_, store_);
	SaveLimits(store_, assembly_->limits().monitor().limits());
	SaveLongRecord(store_, md_.LongRecord);
}

void FormMain::cmdStart_Click()
{
	if (!md_.LongRecord.enabled) {
		run_->startRun();
		return;
	}
	if (const QString problem = recordingProblem(); !problem.isEmpty()) {
		prompt_.message(problem, kErrorTitle, Prompt::Icon::Error);
		return;
	}
	DialogRecordMemo memo({}, this);
	showModal(memo);
	if (memo.result() == QDialog::Accepted)
		recordingSession_->start(memo.lines());
}

QString FormMain::recordingProblem() const
{
	RunPlan plan;
	plan.longRecording = true;
	plan.target = md_.LongRecord.folder;
	plan.targetIsFolder = true;
	const TargetProblem problem = CheckRecordingTarget(plan, md_);
	switch (problem.kind) {
	case TargetProblem::Kind::NoFolder:
		return NoRecordFolderText();
	case TargetProblem::Kind::FolderNotWritable:
		return RecordFolderNotWritableText();
	default:
		return problem.detail;
	}
}

bool FormMain::Form_QueryUnload()
{
	if (!controls_.start->isEnabled()) {
		prompt_.message(tr("測定中です。中止してから終了して下さい。"), kErrorTitle,
				Prompt::Icon::Error);
		return false;
	}
	const QString question = md_.DataCount < 1
			? tr("終了しますか？")
			: tr("データが消去されます。終了してもよろしいですか？");
	if (!prompt_.askYesNo(question, kMessageTitle))
		return false;
	CloseDataList();
	files_->discardJournal(); // the user chose to drop the data
	return true;
}

void FormMain::closeEvent(QCloseEvent *event)
{
	if (Form_QueryUnload())
		event->accept();
	else
		event->ignore();
}

void FormMain::SetTriggerStopTitles(const QString &header, const QString &xTitle)
{
	chart_->setHeader(header);
	chart_->setXTitle(xTitle);
}

} // namespace kelvra

#include "FormMain.h"

#include "acquisition/DialogSetUnit.h"
#include "display/CursorPanel.h"
#include "display/DialogDatalist.h"
#include "display/GraphMouse.h"
#include "display/MarkerLines.h"
#include "display/OverviewStrip.h"
#include "display/PrintDatGraph.h"
#include "display/ShowReadData.h"
#include "display/StatisticsPanel.h"
#include "files/CsvFile.h"
#include "files/DataFile.h"
#include "files/MeasurementFiles.h"
#include "limits/DialogLimits.h"
#include "recording/RecordingExport.h"
#include "recording/RecordingHdf5.h"
#include "run/EventTimes.h"
#include "run/JournalRecovery.h"
#include "session/RecordingTarget.h"
#include "settings/DialogMemo.h"
#include "settings/DialogRecordMemo.h"
#include "settings/DialogSetting.h"
#include "settings/LongRecordEntries.h"
#include "settings/MeasInfo.h"
#include "settings/StartUpState.h"
#include "widgets/JapaneseFonts.h"
#include "window/SpanFiles.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace kelvra {

FormMain::FormMain(ModuleData &md, DeviceApi &api, Prompt &prompt, SettingsStore &store,
		const QString &emulatorDescription, QWidget *parent)
	: QWidget(parent), md_(md), prompt_(prompt), store_(store),
	  printerDialog_(std::make_unique<QtPrinterDialog>())
{
	buildUi();
	chart_ = std::make_unique<QCustomPlotChart>(plot_);
	devices_ = std::make_unique<DeviceControl>(md_, api, prompt_);
	graphView_ = std::make_unique<GraphView>(md_, *chart_, *this, prompt_);
	drawing_ = std::make_unique<SeriesDrawing>(md_, *chart_, *graphView_);
	graphView_->DispConnectflg = [this] { drawing_->DispConnectflg(); };
	graphMouse_ = new GraphMouse(plot_, *graphView_, cursors_);
	values_ = std::make_unique<CurrentValues>(md_, *this);
	run_ = std::make_unique<RunControl>(md_, *devices_, prompt_, *this);
	assembly_ = std::make_unique<RunAssembly>(md_, *run_);
	recordingSession_ =
			std::make_unique<RecordingSession>(md_, *run_, *this, prompt_, *assembly_);
	assembly_->onLimitEvents = [this](const std::vector<LimitEvent> &events) {
		limitEvents(events);
	};
	showModal = [](QDialog &dialog) { dialog.exec(); };
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
	plot_ = new QCustomPlot(this);
	plot_->setMinimumSize(640, 300);

	auto *bottom = new QHBoxLayout;
	bottom->addWidget(buildRangeGroup(), 3);
	bottom->addWidget(buildValueGroup(), 2);

	auto *left = new QVBoxLayout;
	left->addWidget(plot_, 1);
	left->addWidget(buildReviewRow());
	left->addLayout(bottom);

	auto *layout = new QHBoxLayout(this);
	layout->setContentsMargins(28, 28, 28, 28); // room for the move buttons in the corners
	layout->addLayout(left, 1);
	layout->addWidget(buildCommandColumn());
	buildMoveButtons();
	resize(1120, 800);
}

QWidget *FormMain::buildReviewRow()
{
	auto *row = new QWidget(this);
	overview_ = new OverviewStrip(row);
	cmdSaveSpan = new QPushButton(tr("範囲保存"), row);
	cmdSaveSpan->setObjectName(QStringLiteral("saveSpanButton"));
	cmdSaveSpan->setToolTip(tr("表示範囲をファイルに保存"));
	chkClock = new QCheckBox(tr("時刻表示"), row);
	chkClock->setObjectName(QStringLiteral("clockCheck"));
	chkClock->setToolTip(tr("時間軸とカーソルを開始からの経過時間でなく時刻で表示"));
	auto *strip = new QHBoxLayout;
	strip->addWidget(overview_, 1);
	strip->addWidget(chkClock);
	strip->addWidget(cmdSaveSpan);
	cursorPanel_ = new CursorPanel(cursors_, row);
	statisticsPanel_ = new StatisticsPanel(row);
	auto *panels = new QHBoxLayout;
	panels->addWidget(cursorPanel_, 2);
	panels->addWidget(statisticsPanel_, 3);
	auto *layout = new QVBoxLayout(row);
	layout->setContentsMargins(0, 0, 0, 0);
	layout->addLayout(strip);
	layout->addLayout(panels);
	reviewTimer_ = new QTimer(this);
	reviewTimer_->setInterval(1000);
	connect(reviewTimer_, &QTimer::timeout, this, [this] {
		refreshOverview();
		refreshReview();
	});
	return row;
}

void FormMain::refreshReview()
{
	for (int c = 0; c < GraphCursors::kCount; ++c)
		chart_->setCursorLine(c, cursors_.time(c));
	const TimeAxis axis = graphView_->timeAxis();
	cursorPanel_->setTimeAxis(axis, graphView_->clockZero());
	statisticsPanel_->setTimeAxis(axis, graphView_->clockZero());
	cursorPanel_->setSource(review_);
	const bool between = cursors_.bothSet();
	auto [from, to] = graphView_->visibleX();
	if (between)
		std::tie(from, to) = std::minmax(*cursors_.time(0), *cursors_.time(1));
	statisticsPanel_->show(
			md_.DataCount > 0 || recording_ ? review_ : nullptr, from, to, between);
	const auto [shownFrom, shownTo] = graphView_->visibleX();
	overview_->setVisibleSpan(shownFrom, shownTo);
}

void FormMain::refreshOverview()
{
	if (recording_) {
		overview_->setRun(0.0, recordingReview_->seconds(),
				[this](int unit, double from, double to, int columns) {
					return recordingReview_->points(unit, from, to, columns);
				});
		return;
	}
	const auto [from, to] = bufferReview_.run();
	overview_->setRun(from, md_.DataCount > 1 ? to : from,
			[this](int unit, double from, double to, int columns) {
				return bufferReview_.points(unit, from, to, columns);
			});
}

void FormMain::cmdSaveSpan_Click()
{
	if (md_.DataCount < 1 && !recording_) {
		prompt_.message(tr("データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	const QString fileName = prompt_.askSaveFileName(
			tr("専用ファイル  (*.vn2);;CSVファイル  (*.csv);;HDF5ファイル  (*.h5)"),
			QStringLiteral("vn2"), fileFolder_);
	if (fileName.isEmpty())
		return;
	const auto [from, to] = graphView_->visibleX();
	const FileResult result = recording_ ? SaveRecordingSpan(*recording_, fileName, from, to)
					     : SaveBufferSpan(md_, fileName, from, to);
	if (!result.ok)
		prompt_.message(tr("ファイルを保存できませんでした。\n%1\n%2")
						.arg(QDir::toNativeSeparators(fileName),
								result.error),
				kErrorTitle, Prompt::Icon::Error);
}

void FormMain::buildMoveButtons()
{
	for (int i = 0; i < static_cast<int>(cmdMove.size()); ++i) {
		cmdMove[i] = new QPushButton(QStringLiteral("○"), this);
		cmdMove[i]->setObjectName(QStringLiteral("moveButton%1").arg(i));
		cmdMove[i]->setToolTip(tr("移動ツールの表示"));
		cmdMove[i]->setAccessibleName(tr("移動ツールの表示"));
		cmdMove[i]->setFixedSize(25, 25);
		connect(cmdMove[i], &QPushButton::clicked, this, [this, i] { cmdMove_Click(i); });
	}
}

void FormMain::resizeEvent(QResizeEvent *event)
{
	QWidget::resizeEvent(event);
	const int right = width() - cmdMove[1]->width();
	const int bottom = height() - cmdMove[2]->height();
	cmdMove[0]->move(0, 0);
	cmdMove[1]->move(right, 0);
	cmdMove[2]->move(0, bottom);
	cmdMove[3]->move(right, bottom);
}

void FormMain::cmdMove_Click(int)
{
	if (!moveWindow_)
		moveWindow_ = new DialogMoveWindow(this);
	moveWindow_->show();
	moveWindow_->raise();
	moveWindow_->activateWindow();
}

QWidget *FormMain::buildRangeGroup()
{
	auto *group = new QGroupBox(tr("表示範囲"), this);
	scrollGroup_ = new QButtonGroup(group);
	const QString scrollCaptions[] = {tr("全表示"), tr("自動ｽｸﾛｰﾙ"), tr("手動ｽｸﾛｰﾙ")};
	auto *scroll = new QVBoxLayout;
	for (int i = 0; i < 3; ++i) {
		optWid[i] = new QRadioButton(scrollCaptions[i], group);
		optWid[i]->setObjectName(QStringLiteral("scrollMode%1").arg(i));
		scrollGroup_->addButton(optWid[i], i);
		scroll->addWidget(optWid[i]);
	}

	Combo1 = new QComboBox(group);
	Combo1->setObjectName(QStringLiteral("countList"));
	cmdLeft = new QPushButton(QStringLiteral("←"), group);
	cmdLeft->setObjectName(QStringLiteral("scrollLeftButton"));
	cmdRight = new QPushButton(QStringLiteral("→"), group);
	cmdRight->setObjectName(QStringLiteral("scrollRightButton"));
	auto *count = new QGridLayout;
	count->addWidget(new QLabel(tr("表示データ数"), group), 0, 0, 1, 2);
	count->addWidget(Combo1, 1, 0, 1, 2);
	count->addWidget(cmdLeft, 2, 0);
	count->addWidget(cmdRight, 2, 1);

	scaleGroup_ = new QButtonGroup(group);
	optHei[0] = new QRadioButton(tr("自動"), group);
	optHei[1] = new QRadioButton(tr("固定"), group);
	optHei[0]->setObjectName(QStringLiteral("scaleAuto"));
	optHei[1]->setObjectName(QStringLiteral("scaleFixed"));
	scaleGroup_->addButton(optHei[0], 0);
	scaleGroup_->addButton(optHei[1], 1);
	txtVhi = new QLineEdit(group);
	txtVhi->setObjectName(QStringLiteral("scaleTopEdit"));
	txtVlow = new QLineEdit(group);
	txtVlow->setObjectName(QStringLiteral("scaleBottomEdit"));
	txtVhi->setToolTip(tr("上限"));
	txtVlow->setToolTip(tr("下限"));
	cmdSetScaleY = new QPushButton(tr("設定"), group);
	cmdSetScaleY->setObjectName(QStringLiteral("setScaleButton"));
	cmdLimit = new QPushButton(tr("リミット"), group);
	cmdLimit->setObjectName(QStringLiteral("limitButton"));
	auto *scale = new QGridLayout;
	scale->addWidget(optHei[0], 0, 0);
	scale->addWidget(txtVhi, 0, 1);
	scale->addWidget(optHei[1], 1, 0);
	scale->addWidget(txtVlow, 1, 1);
	scale->addWidget(cmdSetScaleY, 2, 1);
	scale->addWidget(cmdLimit, 3, 1);

	auto *layout = new QHBoxLayout(group);
	layout->addLayout(scroll);
	layout->addLayout(count);
	layout->addSpacing(12);
	layout->addLayout(scale);
	return group;
}

QWidget *FormMain::buildValueGroup()
{
	auto *group = new QGroupBox(tr("現在値"), this);
	auto *layout = new QGridLayout(group);
	const QFont valueFont = fixedPitchJapaneseFont();
	for (int u = 0; u < kUnitCount; ++u) {
		Label1[u] = new QLabel(group);
		Label1[u]->setObjectName(QStringLiteral("value%1").arg(u));
		Label1[u]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
		Label1[u]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
		Label1[u]->setFont(valueFont);
		Label1[u]->setMinimumWidth(110);
		layout->addWidget(new QLabel(QStringLiteral("ID%1").arg(u), group), u / 2,
				(u % 2) * 2);
		layout->addWidget(Label1[u], u / 2, (u % 2) * 2 + 1);
	}
	cmdAcknowledge = new QPushButton(tr("確認"), group);
	cmdAcknowledge->setObjectName(QStringLiteral("acknowledgeButton"));
	cmdAcknowledge->setToolTip(tr("リミットの表示を戻す"));
	cmdAcknowledge->setEnabled(false);
	cmdMark = new QPushButton(tr("マーク"), group);
	cmdMark->setObjectName(QStringLiteral("markButton"));
	cmdMark->setToolTip(tr("最新のデータに印を付ける (M)"));
	cmdEvents = new QPushButton(tr("イベント"), group);
	cmdEvents->setObjectName(QStringLiteral("eventsButton"));
	auto *buttons = new QHBoxLayout;
	buttons->addWidget(cmdMark);
	buttons->addWidget(cmdEvents);
	buttons->addStretch();
	buttons->addWidget(cmdAcknowledge);
	layout->addLayout(buttons, 2, 0, 1, 4);
	return group;
}

QWidget *FormMain::buildCommandColumn()
{
	auto *column = new QWidget(this);
	auto *layout = new QVBoxLayout(column);
	layout->setContentsMargins(0, 0, 0, 0);
	auto add = [&](QPushButton *&button, const QString &caption, const char *name) {
		button = new QPushButton(caption, column);
		button->setObjectName(QLatin1String(name));
		button->setMinimumSize(110, 34);
		layout->addWidget(button);
	};
	add(cmdStart, tr("開始"), "startButton");
	add(cmdStop, tr("停止"), "stopButton");
	layout->addSpacing(10);
	add(cmdSetting, tr("取込設定"), "settingButton");
	add(cmdUnitSetting, tr("単位設定"), "unitSettingButton");
	add(cmdMeasInfo, tr("測定条件保存"), "saveConditionsButton");
	layout->addSpacing(10);
	add(cmdDisp, tr("データ表示"), "dataListButton");
	add(cmdSave, tr("保存"), "saveButton");
	add(cmdRead, tr("読込み"), "readButton");
	add(cmdPrint, tr("印刷"), "printButton");
	layout->addStretch();
	add(cmdEnd, tr("終了"), "endButton");
	return column;
}

void FormMain::connectControls()
{
	connect(cmdStart, &QPushButton::clicked, this, &FormMain::cmdStart_Click);
	connect(cmdStop, &QPushButton::clicked, this, [this] { run_->stopRun(); });
	connect(cmdDisp, &QPushButton::clicked, this, &FormMain::cmdDisp_Click);
	connect(cmdMeasInfo, &QPushButton::clicked, this, &FormMain::cmdMeasInfo_Click);
	connect(cmdEnd, &QPushButton::clicked, this, &QWidget::close);
	connect(cmdSetting, &QPushButton::clicked, this, &FormMain::cmdSetting_Click);
	connect(cmdUnitSetting, &QPushButton::clicked, this, &FormMain::cmdUnitSetting_Click);
	connect(cmdSave, &QPushButton::clicked, this, &FormMain::cmdSave_Click);
	connect(cmdRead, &QPushButton::clicked, this, &FormMain::cmdRead_Click);
	connect(cmdPrint, &QPushButton::clicked, this, &FormMain::cmdPrint_Click);
	connect(cmdLimit, &QPushButton::clicked, this, &FormMain::cmdLimit_Click);
	connect(cmdAcknowledge, &QPushButton::clicked, this, &FormMain::cmdAcknowledge_Click);
	connect(run_.get(), &RunControl::runStarted, this, &FormMain::showLimitStates);
	connect(cmdMark, &QPushButton::clicked, this, &FormMain::markAtCursor);
	connect(new QShortcut(Qt::Key_M, this), &QShortcut::activated, this,
			&FormMain::markAtCursor);
	connect(cmdEvents, &QPushButton::clicked, this, &FormMain::cmdEvents_Click);
	connect(run_.get(), &RunControl::eventAdded, this, &FormMain::eventAdded);
	connect(run_.get(), &RunControl::runStarted, this, &FormMain::showEvents);
	connect(run_.get(), &RunControl::runStarted, this, &FormMain::endRecordingReview);
	connect(&cursors_, &GraphCursors::moved, this, &FormMain::refreshReview);
	connect(cmdSaveSpan, &QPushButton::clicked, this, &FormMain::cmdSaveSpan_Click);
	connect(chkClock, &QCheckBox::toggled, this, [this](bool shown) {
		graphView_->setClockShown(shown);
		refreshReview();
	});
	connect(overview_, &OverviewStrip::spanMoved, this, [this](double from, double to) {
		graphView_->zoomX(from, to);
		refreshReview();
	});
	connect(graphMouse_, &GraphMouse::viewChanged, this, &FormMain::refreshReview);

	connect(scrollGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
		if (checked) {
			graphView_->chooseScrollMode(id);
			refreshReview();
		}
	});
	connect(scaleGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
		if (checked)
			graphView_->chooseScaleMode(id);
	});
	connect(Combo1, &QComboBox::activated, this, [this] { graphView_->chooseWindowSize(); });
	connect(cmdLeft, &QPushButton::clicked, this, [this] { graphView_->scrollLeft(); });
	connect(cmdRight, &QPushButton::clicked, this, [this] { graphView_->scrollRight(); });
	connect(cmdSetScaleY, &QPushButton::clicked, this,
			[this] { graphView_->applyTypedScale(); });
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
	const bool idle = md_.MeasFlag != kTrue;
	cmdStart->setEnabled(idle);
	cmdStop->setEnabled(!idle);
	for (QPushButton *button : {cmdSetting, cmdUnitSetting, cmdPrint, cmdRead, cmdSave, cmdEnd,
			     cmdDisp, cmdLimit})
		button->setEnabled(idle);
	if (idle)
		reviewTimer_->stop();
	else
		reviewTimer_->start();
	refreshOverview();
	refreshReview();
}

void FormMain::cmdLimit_Click()
{
	DialogLimits dialog(md_, assembly_->limits().monitor().limits(), prompt_, this);
	showModal(dialog);
	if (dialog.result() == QDialog::Accepted) {
		assembly_->limits().monitor().setLimits(dialog.limits());
		showLimitStates();
	}
}

void FormMain::cmdAcknowledge_Click()
{
	assembly_->limits().monitor().acknowledge();
	showLimitStates();
}

void FormMain::cmdMark_Click(std::optional<double> atS)
{
	// At the sample that was newest when asked for, however long the note takes.
	std::optional<RunEvent> marker = NewMarker(md_, atS, {});
	if (!marker) {
		prompt_.message(tr("データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	const std::optional<QString> note =
			prompt_.askText(tr("メモ（空欄のままでも可）"), tr("マーク"));
	if (!note)
		return;
	marker->text = note->simplified();
	run_->addEvent(*marker); // the run may have ended meanwhile: it goes with the data held
}

void FormMain::markAtCursor()
{
	const std::optional<double> x = cursors_.time(0);
	cmdMark_Click(x ? std::optional(TimeOfGraphX(md_, *x)) : std::nullopt);
}

void FormMain::cmdEvents_Click()
{
	if (!eventList_) {
		eventList_ = new DialogEvents(md_, this);
		connect(eventList_, &DialogEvents::eventChosen, this, &FormMain::moveToEvent);
	}
	eventList_->show();
	eventList_->raise();
	eventList_->activateWindow();
}

void FormMain::moveToEvent(double timeS)
{
	if (const std::optional<int32_t> k = SampleOfTime(md_, timeS))
		graphView_->CentreOn(*k);
}

void FormMain::eventAdded(const RunEvent &event)
{
	if (eventList_)
		eventList_->append(event);
	if (event.kind == EventKind::Marker)
		chart_->setMarkers(MarkerLines(md_));
}

void FormMain::showEvents()
{
	chart_->setMarkers(MarkerLines(md_));
	if (eventList_)
		eventList_->reload();
}

void FormMain::limitEvents(const std::vector<LimitEvent> &events)
{
	const bool alarm = std::any_of(events.begin(), events.end(),
			[](const LimitEvent &e) { return e.kind == LimitEvent::Kind::Alarm; });
	if (alarm && assembly_->limits().monitor().limits().beep)
		QApplication::beep();
	showLimitStates();
}

void FormMain::showLimitStates()
{
	bool latched = false;
	for (int u = 0; u < kUnitCount; ++u) {
		const LimitState state = assembly_->limits().monitor().latched(u);
		latched = latched || state != LimitState::Normal;
		// Told in words as well, so the state is not told by colour alone.
		switch (state) {
		case LimitState::Normal:
			Label1[u]->setStyleSheet(QString());
			Label1[u]->setAccessibleDescription(QString());
			break;
		case LimitState::Warning:
			Label1[u]->setStyleSheet(
					QStringLiteral("background-color: #ffbf00; color: black;"));
			Label1[u]->setAccessibleDescription(tr("警告"));
			break;
		case LimitState::Alarm:
			Label1[u]->setStyleSheet(
					QStringLiteral("background-color: #e00000; color: white;"));
			Label1[u]->setAccessibleDescription(tr("異常"));
			break;
		}
	}
	cmdAcknowledge->setEnabled(latched);
}

void FormMain::cmdDisp_Click()
{
	if (md_.DataCount < 1) {
		prompt_.message(tr("データがありません"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	dataList_ = new DialogDatalist(md_, this);
	connect(dataList_, &QObject::destroyed, cmdDisp,
			[this] { cmdDisp->setEnabled(md_.MeasFlag != kTrue); });
	dataList_->show();
	cmdDisp->setEnabled(false);
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
		cmdDisp->setEnabled(true);
	}
}

void FormMain::setJournal(RunJournal &journal)
{
	journal_ = &journal;
	assembly_->setJournal(&journal);
}

void FormMain::offerRecovery()
{
	if (journal_ && OfferRecovery(md_, prompt_, *journal_, journal_->folder()))
		showLoadedData();
}

void FormMain::discardJournal()
{
	if (journal_)
		journal_->Discard();
}

void FormMain::settingsChanged()
{
	endRecordingReview();
	discardJournal();
	CloseDataList();
	md_.ClearMeasData();
	values_->ClearValueLabels();
	cmdDisp->setEnabled(md_.DataCount >= 1);
	drawing_->SetGraphTitles();
	showEvents();
	refreshOverview();
	cursors_.clear();
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

void FormMain::cmdSave_Click()
{
	switch (CheckSaveAllowed(md_)) {
	case SaveState::NoData:
		prompt_.message(tr("測定データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	case SaveState::TriggerPending:
		return;
	case SaveState::Recorded:
		prompt_.message(tr("連続記録のデータはすべて記録ファイル %1 にあります。")
						.arg(QDir::toNativeSeparators(
								recordingSession_->currentFile())),
				kMessageTitle, Prompt::Icon::None);
		return;
	case SaveState::Ready:
		break;
	}
	DialogMemo dialog(md_, prompt_, fileFolder_, this);
	showModal(dialog);
	if (dialog.result() == QDialog::Accepted)
		discardJournal(); // the data are safe in the file
}

bool FormMain::mayReplaceData()
{
	return md_.DataCount <= 0 ||
			prompt_.askYesNo(tr("表示データが消去されます。よろしいですか？"),
					kMessageTitle);
}

void FormMain::cmdRead_Click()
{
	if (!mayReplaceData())
		return;
	// The data file first, as the dialog opens on it; a recording beside it.
	const QString fileName = prompt_.askOpenFileName(fileTypeInfo(FileType::Dedicated).filter +
					QStringLiteral(";;") + tr("記録ファイル  (*.kvr)"),
			fileFolder_);
	if (!fileName.isEmpty())
		readFile(fileName);
}

void FormMain::openDataFile(const QString &fileName)
{
	if (md_.MeasFlag != kTrue && mayReplaceData())
		readFile(fileName);
}

void FormMain::readFile(const QString &fileName)
{
	endRecordingReview();
	if (IsRecordingFile(fileName)) {
		openRecording(fileName);
		return;
	}
	fileFolder_ = QFileInfo(fileName).absolutePath();
	const FileResult result = ReadDataFile(md_, fileName);
	discardJournal(); // the data it kept are gone either way
	if (!result.ok) {
		showNoData();
		prompt_.message(tr("ファイルを読み込めませんでした。\n%1\n%2")
						.arg(QDir::toNativeSeparators(fileName),
								result.error),
				kErrorTitle, Prompt::Icon::Error);
		return;
	}
	if (md_.DataCount < 1) {
		showNoData();
		prompt_.message(tr("データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	showLoadedData();
}

void FormMain::openRecording(const QString &fileName)
{
	fileFolder_ = QFileInfo(fileName).absolutePath();
	QString error;
	std::unique_ptr<RecordingReader> reader = RecordingReader::open(fileName, &error);
	discardJournal(); // the data it kept are gone either way
	const SampleSpan whole = reader ? SpanOfSeconds(*reader, {}, {}) : SampleSpan{};
	if (reader && whole.size() <= static_cast<uint64_t>(kBufferLength)) {
		const FileResult result = LoadRecordingSpan(*reader, whole, md_);
		reader.reset();
		error = result.error;
	}
	if (!reader && !error.isEmpty()) {
		showNoData();
		prompt_.message(tr("ファイルを読み込めませんでした。\n%1\n%2")
						.arg(QDir::toNativeSeparators(fileName), error),
				kErrorTitle, Prompt::Icon::Error);
		return;
	}
	if (!reader) {
		showLoadedData();
		return;
	}
	LoadRecordingSpan(*reader, SampleSpan{}, md_); // its settings, memo lines and start time
	recording_ = std::move(reader);
	recordingReview_ = std::make_unique<RecordingReview>(*recording_);
	review_ = recordingReview_.get();
	md_.SetRange();
	drawing_->SetGraphTitles();
	QStringList legend;
	for (int u = 0; u < kUnitCount; ++u)
		legend << (recordingReview_->inUse(u) ? QStringLiteral("ID%1 ").arg(u) : QString());
	chart_->setSeriesLabels(legend);
	values_->ClearValueLabels();
	CloseDataList();
	std::tie(md_.AllMin, md_.AllMax) = recordingReview_->valueRange();
	graphView_->setReviewedLength(recordingReview_->seconds());
	chart_->setSeriesSource([this](int series, double from, double to, int columns) {
		return recordingReview_->points(series, from, to, columns);
	});
	graphView_->showAll();
	refreshOverview();
	cursors_.clear();
}

void FormMain::endRecordingReview()
{
	if (!recording_)
		return;
	chart_->setSeriesSource({});
	drawing_->DispConnectflg();
	graphView_->setReviewedLength(std::nullopt);
	review_ = &bufferReview_;
	recordingReview_.reset();
	recording_.reset();
}

void FormMain::showLoadedData()
{
	md_.SetRange();
	drawing_->SetGraphTitles();
	values_->ClearValueLabels();
	CloseDataList();
	cmdDisp->setEnabled(true); // a settings change may have disabled it while no data were held
	ShowReadData();
	showEvents();
	refreshOverview();
	cursors_.clear();
}

void FormMain::showNoData()
{
	md_.SetRange();
	settingsChanged(); // the emptied data shown as such: graph, values, list
}

void FormMain::ShowReadData()
{
	kelvra::ShowReadData(md_, *drawing_, *graphView_, *chart_);
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
	openDataFile(fileName);
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
	if (!cmdStart->isEnabled()) {
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
	discardJournal(); // the user chose to drop the data
	return true;
}

void FormMain::closeEvent(QCloseEvent *event)
{
	if (Form_QueryUnload())
		event->accept();
	else
		event->ignore();
}

void FormMain::SuspendRedraw()
{
	chart_->setRedrawSuspended(true);
}

void FormMain::ResumeRedraw()
{
	chart_->setRedrawSuspended(false);
}

Flag FormMain::SetGraphParam()
{
	return graphView_->SetGraphParam();
}

void FormMain::FollowAxisX()
{
	graphView_->FollowAxisX();
}

void FormMain::FollowAxisY(Flag expandOnly)
{
	graphView_->FollowAxisY(expandOnly);
}

void FormMain::GrDrawData(int32_t n)
{
	drawing_->GrDrawData(n);
}

void FormMain::GrDrawData2(int32_t first, int32_t last)
{
	drawing_->GrDrawData2(first, last);
}

void FormMain::DrawTrigLine(Flag show)
{
	drawing_->DrawTrigLine(show);
}

void FormMain::SetHeaderText(const QString &text)
{
	drawing_->SetHeaderText(text);
}

void FormMain::SetTriggerStopTitles(const QString &header, const QString &xTitle)
{
	chart_->setHeader(header);
	chart_->setXTitle(xTitle);
}

void FormMain::ShowCurrentValues()
{
	values_->ShowCurrentValues();
}

void FormMain::ShowCurrentValuesByNum()
{
	values_->ShowCurrentValuesByNum();
}

void FormMain::ShowCurrentValuesTrg()
{
	values_->ShowCurrentValuesTrg();
}

void FormMain::setScrollButtonsEnabled(bool enabled)
{
	cmdLeft->setEnabled(enabled);
	cmdRight->setEnabled(enabled);
}

void FormMain::setCountListEnabled(bool enabled)
{
	Combo1->setEnabled(enabled);
}

void FormMain::setCountList(const QStringList &items, int selected)
{
	const QSignalBlocker blocker(Combo1);
	Combo1->clear();
	Combo1->addItems(items);
	Combo1->setCurrentIndex(selected);
}

int32_t FormMain::countListValue() const
{
	return Combo1->currentText().toInt();
}

void FormMain::showScrollMode(int index)
{
	const QSignalBlocker blocker(scrollGroup_);
	optWid[index]->setChecked(true);
}

void FormMain::showScaleMode(int index)
{
	const QSignalBlocker blocker(scaleGroup_);
	optHei[index]->setChecked(true);
}

void FormMain::setScaleInputs(bool enabled, const QString &top, const QString &bottom)
{
	txtVhi->setEnabled(enabled);
	txtVlow->setEnabled(enabled);
	cmdSetScaleY->setEnabled(enabled);
	txtVhi->setText(top);
	txtVlow->setText(bottom);
}

QString FormMain::scaleTopText() const
{
	return txtVhi->text();
}

QString FormMain::scaleBottomText() const
{
	return txtVlow->text();
}

void FormMain::setValueText(int unit, const QString &text)
{
	Label1[unit]->setText(text);
}

} // namespace kelvra

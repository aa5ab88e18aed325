#include "window/FormMain.h"
#include "acquisition/DialogSetUnit.h"
#include "acquisition/VarnelLibrary.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/MapStore.h"
#include "fakes/RecordingPrompt.h"
#include "files/DataFile.h"
#include "files/MeasurementFiles.h"
#include "limits/DialogLimits.h"
#include "run/EventTimes.h"
#include "run/JournalRecovery.h"
#include "settings/DialogMemo.h"
#include "settings/DialogSetting.h"
#include "window/JapaneseTexts.h"
#include "window/MessageBoxPrompt.h"
#include "window/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <qcustomplot.h>

using namespace kelvra;
using namespace kelvra::testing;

// Cancels until given a PDF file to print into; records the file it was shown with.
struct ScriptedPrinterDialog : PrinterDialog {
	QString pdf, seeded;

	bool choosePrinter(QPrinter &printer, QWidget *) override
	{
		seeded = printer.outputFileName();
		if (!pdf.isEmpty())
			printer.setOutputFileName(pdf);
		return !pdf.isEmpty();
	}
};

class FormMainTest : public QObject {
	Q_OBJECT

private:
	struct Window {
		ModuleData md;
		FakeDeviceApi api;
		RecordingPrompt prompt;
		MapStore store;
		std::unique_ptr<FormMain> form;

		explicit Window(const QString &emulated = {}, bool stored = true)
		{
			if (stored)
				store.values[QStringLiteral("MflagID2")] = QStringLiteral("True");
			form = std::make_unique<FormMain>(md, api, prompt, store, emulated);
			form->show();
		}
	};

	// A trigger capture of 30 samples of unit 2, a file without rows and one cut short.
	static void writeCaptures(
			const QString &trigger, const QString &empty, const QString &broken)
	{
		ModuleData md;
		md.InitDataArray();
		md.ClearMeasData();
		md.Channels[2].Mflag = kTrue;
		md.settings.TrgMaxFlag = kTrue;
		md.TrgMode = kTrue;
		md.TrgOn = kTrue;
		md.settings.TrgDnum1 = 10;
		md.settings.TrgDnum2 = 20;
		md.settings.TrgUnitID = 2;
		for (int i = 0; i < 30; ++i)
			md.Channels[2].Data[i] = static_cast<float>(i);
		md.Channels[2].WritePos = 29;
		md.Channels[2].DataNum = 30;
		md.DataCount = 30;
		QVERIFY(SaveDataFile(md, trigger).ok);
		QFile file(trigger);
		QVERIFY(file.open(QIODevice::ReadOnly));
		const QByteArray bytes = file.readAll();
		QVERIFY(WriteWholeFile(broken, bytes.left(bytes.size() / 2)).ok);
		md.DataCount = 0;
		QVERIFY(SaveDataFile(md, empty).ok);
	}

	static QList<QPushButton *> idleButtons(FormMain &form)
	{
		return {control(form, "startButton"), control(form, "settingButton"),
				control(form, "unitSettingButton"), control(form, "printButton"),
				control(form, "readButton"), control(form, "saveButton"),
				control(form, "endButton"), control(form, "dataListButton")};
	}

private Q_SLOTS:
	void startUpIsIdle()
	{
		Window w;
		QCOMPARE(w.form->windowTitle(), QStringLiteral("ひずみ測定(Ver1.2)"));
		QVERIFY(!control(*w.form, "stopButton")->isEnabled());
		for (QPushButton *button : idleButtons(*w.form))
			QVERIFY2(button->isEnabled(), qPrintable(button->text()));
		QVERIFY(control(*w.form, "saveConditionsButton")->isEnabled());
		QCOMPARE(control<QComboBox>(*w.form, "countList")->currentText(),
				QStringLiteral("100"));
		QVERIFY(control<QRadioButton>(*w.form, "scrollMode0")->isChecked());
		QVERIFY(control<QRadioButton>(*w.form, "scaleAuto")->isChecked());
		QCOMPARE(w.md.Channels[2].Mflag, kTrue); // from the stored conditions
		QCOMPARE(w.md.TrgMode, kFalse);
		QCOMPARE(w.md.RangeMax, 8000.0f);
		QVERIFY(w.api.calls.isEmpty());
	}

	void emulatedUnitsWithNothingStoredStartIdleWithEveryUnit()
	{
		const struct {
			const char *emulated;
			bool stored;
			std::array<Flag, kUnitCount> used;
		} cases[] = {
				{"demo", false, {kTrue, kTrue, kTrue, kTrue}},
				// A 16-bit unit set to 1 is reached as unit 2.
				{"id=1,signal=sine:1000:2;id=3,kind=1", false,
						{kFalse, kFalse, kTrue, kTrue}},
				{"demo", true, {kTrue, kFalse, kTrue, kFalse}}, // the stored
										// conditions win
		};
		for (const auto &start : cases) {
			Window w(QString::fromLatin1(start.emulated), start.stored);
			const QByteArray name = QByteArray(start.emulated) +
					(start.stored ? " stored" : "");
			for (int u = 0; u < kUnitCount; ++u)
				QVERIFY2(w.md.Channels[u].Mflag == start.used[u], name.constData());
			if (!start.stored)
				QVERIFY2(w.md.settings.TimerType == kFalse &&
								w.md.settings.IntervalTM == 100,
						name.constData());
			for (QPushButton *button : idleButtons(*w.form))
				QVERIFY2(button->isEnabled(),
						qPrintable(button->text() + QLatin1Char(' ') +
								QLatin1String(name)));
			control(*w.form, "dataListButton")->click();
			QCOMPARE(w.prompt.texts(),
					QStringList{QStringLiteral("データがありません")});
		}
	}

	void closeAsksAndMayBeRefused()
	{
		Window w;
		w.prompt.answers = {false};
		QVERIFY(!w.form->close());
		QCOMPARE(w.prompt.shown.back().text, QStringLiteral("終了しますか？"));
		QVERIFY(w.form->isVisible());

		w.md.DataCount = 3;
		w.form->cmdDisp_Click();
		QVERIFY(w.form->dataList());
		w.prompt.answers = {false};
		QVERIFY(!w.form->close());
		QCOMPARE(w.prompt.shown.back().text,
				QStringLiteral("データが消去されます。終了してもよろしいですか？"));
		QVERIFY2(w.form->dataList(), "No leaves the data list open");

		w.prompt.answers = {true};
		QVERIFY(w.form->close());
		QVERIFY(!w.form->dataList());
	}

	void closeDuringARunOnlyRefuses()
	{
		Window w;
		w.form->run().startRun();
		QCOMPARE(w.md.MeasFlag, kTrue);
		for (QPushButton *button : idleButtons(*w.form))
			QVERIFY2(!button->isEnabled(), qPrintable(button->text()));
		QVERIFY(control(*w.form, "stopButton")->isEnabled());
		QVERIFY2(control(*w.form, "saveConditionsButton")->isEnabled(),
				"the conditions may be stored while measuring");
		const auto shown = w.prompt.shown.size();
		QVERIFY(!w.form->close());
		QCOMPARE(w.prompt.shown.size(), shown + 1);
		QCOMPARE(w.prompt.shown.back().text,
				QStringLiteral("測定中です。中止してから終了して下さい。"));
		QCOMPARE(w.prompt.shown.back().caption, QStringLiteral("エラーメッセージ"));
		QCOMPARE(w.prompt.shown.back().icon, Prompt::Icon::Error);
		QVERIFY(!w.prompt.shown.back().question);
		w.form->run().stopRun();
	}

	void settingsDialogsAskFirstAndEraseOnlyOnOk()
	{
		Window w;
		QPushButton *dialogButtons[] = {control(*w.form, "settingButton"),
				control(*w.form, "unitSettingButton")};
		for (QPushButton *button : dialogButtons) {
			w.md.Channels[0].Data[0] = 1.25f;
			w.md.DataCount = 1;
			w.form->cmdDisp_Click();
			int shownDialogs = 0;
			bool pressOk = false;
			w.form->showModal = [&](QDialog &dialog) {
				++shownDialogs;
				if (auto *settings = qobject_cast<DialogSetting *>(&dialog))
					(pressOk ? settings->OKButton : settings->CancelButton)
							->click();
				if (auto *units = qobject_cast<DialogSetUnit *>(&dialog))
					(pressOk ? units->OKButton : units->CancelButton)->click();
			};

			w.prompt.answers = {false};
			button->click();
			QCOMPARE(w.prompt.shown.back().text,
					QStringLiteral("設定を変更するとデータが消去されます。よろしいですか？"));
			QCOMPARE(shownDialogs, 0);

			w.prompt.answers = {true};
			button->click();
			QCOMPARE(shownDialogs, 1);
			QVERIFY2(w.md.DataCount == 1 && w.form->dataList(),
					"Cancel keeps data and list");

			pressOk = true;
			w.prompt.answers = {true};
			button->click();
			QCOMPARE(shownDialogs, 2);
			QCOMPARE(w.md.DataCount, 0);
			QCOMPARE(w.md.Channels[0].Data[0], kNoData);
			QVERIFY(!w.form->dataList());
			QVERIFY(!control(*w.form, "dataListButton")->isEnabled());
		}
	}

	void unitSettingsSetTheRangeAndTitles()
	{
		Window w;
		w.form->showModal = [](QDialog &dialog) {
			auto &units = dynamic_cast<DialogSetUnit &>(dialog);
			units.optUintsBtn[4]->setChecked(true);
			for (int unit : {0, 2}) {
				units.txtPower[unit]->setText(QStringLiteral("2"));
				units.txtCapacity[unit]->setText(QString::number(25 * (unit + 1)));
			}
			units.OKButton->click();
		};
		control(*w.form, "unitSettingButton")->click();
		QCOMPARE(w.md.settings.Sing, int16_t(4));
		QCOMPARE(w.md.RangeMax, 75.0f); // the largest capacity in use
		QVERIFY(w.form->chart().plot()->yAxis->label().contains(QStringLiteral("KN")));
	}

	void saveNeedsDataOrAFiredTrigger()
	{
		Window w;
		int memoDialogs = 0;
		w.form->showModal = [&](QDialog &dialog) {
			memoDialogs += qobject_cast<DialogMemo *>(&dialog) != nullptr;
		};
		control(*w.form, "saveButton")->click();
		QCOMPARE(w.prompt.texts(), QStringList{QStringLiteral("測定データがありません。")});

		w.md.TrgMode = kTrue;
		w.md.DataCount = 5;
		control(*w.form, "saveButton")->click();
		QCOMPARE(w.prompt.shown.size(),
				size_t{1}); // waiting for the trigger: nothing happens
		QCOMPARE(memoDialogs, 0);

		w.md.TrgOn = kTrue;
		control(*w.form, "saveButton")->click();
		QCOMPARE(memoDialogs, 1);
	}

	void readReplacesTheDataOnlyWithAFileThatReads()
	{
		QTemporaryDir dir;
		const QString trigger = dir.filePath(QStringLiteral("trigger.vn2"));
		const QString empty = dir.filePath(QStringLiteral("empty.vn2"));
		const QString broken = dir.filePath(QStringLiteral("broken.vn2"));
		writeCaptures(trigger, empty, broken);

		Window w;
		w.md.Channels[0].Data[0] = 1.25f;
		w.md.DataCount = 1;
		w.form->cmdDisp_Click();
		w.prompt.answers = {false, true};
		control(*w.form, "readButton")->click(); // No
		control(*w.form, "readButton")->click(); // Yes, then the file dialog is cancelled
		QCOMPARE(w.prompt.fileDialogs.size(), size_t{1});
		QCOMPARE(w.prompt.fileDialogs[0].filter,
				QStringLiteral("専用ファイル  (*.vn2);;記録ファイル  (*.kvr)"));
		QVERIFY2(w.md.DataCount == 1 && w.form->dataList(), "both keep everything");

		w.prompt.fileNames = {broken};
		control(*w.form, "readButton")->click();
		QVERIFY(w.prompt.shown.back().text.contains(QStringLiteral("broken.vn2")));
		QCOMPARE(w.prompt.shown.back().icon, Prompt::Icon::Error);
		QVERIFY2(w.md.DataCount == 0 && !w.form->dataList(),
				"a broken read leaves the state cleared");
		const auto points = w.form->chart().plot()->graph(0)->data();
		QVERIFY2(points->size() == 1 && std::isnan(points->at(0)->value),
				"the graph shows nothing");

		w.prompt.fileNames = {empty};
		control(*w.form, "readButton")->click();
		QCOMPARE(w.prompt.shown.back().text, QStringLiteral("データがありません。"));
		QCOMPARE(w.prompt.fileDialogs.back().folder, dir.path());

		w.prompt.fileNames = {trigger};
		control(*w.form, "readButton")->click();
		QCOMPARE(w.md.DataCount, 30);
		QCOMPARE(w.md.TrgOn, kTrue);
		QCOMPARE(w.md.Channels[2].Mflag, kTrue);
		QCOMPARE(w.form->chart().plot()->graph(2)->data()->size(), 30);
		QVERIFY2(w.form->chart().plot()->item(0)->visible(), "the trigger line");
		QCOMPARE(w.md.MeasFlag, kFalse);
		QVERIFY2(control(*w.form, "dataListButton")->isEnabled(),
				"the data read can be listed");
		QCOMPARE(CheckSaveAllowed(w.md), SaveState::Ready);
	}

	void unsavedRunsAreOfferedAtTheNextStart()
	{
		QTemporaryDir journals;
		// One program's run ends but is never saved; another's is cut off
		// while measuring. Neither program discards its journal.
		const auto leaveRun = [&](bool stop, int32_t *count) {
			Window w;
			RunJournal journal(w.prompt, journals.path());
			w.form->setJournal(journal);
			control(*w.form, "startButton")->click();
			QTRY_VERIFY(w.md.DataCount >= 256);
			if (stop)
				control(*w.form, "stopButton")->click();
			*count = w.md.DataCount;
		};
		int32_t ended = 0;
		int32_t cutOff = 0;
		leaveRun(true, &ended);
		QTest::qWait(20); // the cut-off run is the newer one
		leaveRun(false, &cutOff);

		Window w;
		RunJournal journal(w.prompt, journals.path());
		w.form->setJournal(journal);
		w.prompt.answers = {false, true}; // not the newer, the older
		w.form->offerRecovery();
		QCOMPARE(w.prompt.texts(),
				QStringList(2, QStringLiteral("前回の測定データが保存されていません。復元しますか？")));
		QCOMPARE(w.md.DataCount, ended);
		QCOMPARE(w.md.Channels[2].Data[ended - 1],
				float(ended)); // the fake unit counts its samples
		QCOMPARE(w.form->chart().plot()->graph(2)->data()->size(), ended);
		QCOMPARE(CheckSaveAllowed(w.md), SaveState::Ready);
		QCOMPARE(ListJournals(journals.path()).size(), size_t{1});

		w.prompt.answers = {true};
		QVERIFY(w.form->close());
		QVERIFY2(ListJournals(journals.path()).empty(),
				"a confirmed exit drops the restored run");
		QVERIFY(cutOff >= 256);
	}

	void dataListOpensOnlyWithDataAndClosesOnANewRun()
	{
		Window w;
		control(*w.form, "dataListButton")->click();
		QCOMPARE(w.prompt.shown.back().text, QStringLiteral("データがありません"));
		QVERIFY(!w.form->dataList());

		w.md.Channels[0].Data[0] = 1.25f;
		w.md.DataCount = 1;
		control(*w.form, "dataListButton")->click();
		QVERIFY(w.form->dataList());
		QVERIFY(!control(*w.form, "dataListButton")->isEnabled());
		QCOMPARE(w.form->dataList()->lblDataNum()->text(), QStringLiteral("1"));
		QCOMPARE(w.form->dataList()->List1()->model()->rowCount(), 1);

		w.prompt.answers = {true};
		control(*w.form, "startButton")->click();
		QVERIFY(!w.form->dataList());
		control(*w.form, "stopButton")->click();
		QVERIFY(control(*w.form, "dataListButton")->isEnabled());
	}

	void limitAlarmStaysShownUntilAcknowledged()
	{
		Window w;
		w.form->showModal = [](QDialog &dialog) {
			auto &limits = static_cast<DialogLimits &>(dialog);
			limits.chkLevel[2][1][0]->setChecked(true); // the alarm above
			limits.txtLevel[2][1][0]->setText(QStringLiteral("100"));
			limits.OKButton->click();
		};
		control(*w.form, "limitButton")->click();
		// Past the level for 50 samples, then back.
		w.api.units[2].signal = [](long k) { return k > 100 && k <= 150 ? 200.0 : 0.0; };
		control(*w.form, "startButton")->click();
		QVERIFY(!control(*w.form, "limitButton")->isEnabled());
		QTRY_VERIFY(w.md.DataCount >= 256);
		control(*w.form, "stopButton")->click();
		QCOMPARE(control<QLabel>(*w.form, "value2")->accessibleDescription(),
				QStringLiteral("異常"));
		QVERIFY(control(*w.form, "acknowledgeButton")->isEnabled());
		control(*w.form, "acknowledgeButton")->click();
		QVERIFY(control<QLabel>(*w.form, "value2")->accessibleDescription().isEmpty());
		QVERIFY(!control(*w.form, "acknowledgeButton")->isEnabled());
		control(*w.form, "saveConditionsButton")->click();
		QCOMPARE(w.store.values.value(QStringLiteral("LimitAlarmUpper2")),
				QStringLiteral("100"));
	}

	void markersAndTheEventListFollowTheRun()
	{
		Window w;
		control(*w.form, "startButton")->click();
		QTRY_VERIFY(w.md.DataCount >= 128);
		w.prompt.textAnswers = {QStringLiteral(" 荷重 ")};
		w.form->activateWindow();
		QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
		QTest::keyClick(w.form.get(), Qt::Key_M);
		const double newest = TimeOfSample(w.md, w.md.DataCount);
		control(*w.form, "eventsButton")->click();
		QTreeWidget *list = w.form->eventList()->List1();
		QCOMPARE(list->topLevelItemCount(), 1);
		QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("マーク"));
		QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("荷重"));
		control(*w.form, "stopButton")->click();

		// At cursor 1's time; a cancelled note sets none.
		w.prompt.textAnswers = {std::nullopt, QString()};
		w.form->cmdMark_Click(0.5);
		w.form->cmdMark_Click(0.5);
		QCOMPARE(w.md.Events,
				(std::vector<RunEvent>{{newest, -1, EventKind::Marker,
								       QStringLiteral("荷重")},
						{0.5, -1, EventKind::Marker, QString()}}));
		QCOMPARE(list->topLevelItemCount(), 2);
		// The trigger line, the two cursor lines, and a line with its label per marker.
		QCOMPARE(w.form->chart().plot()->itemCount(), 1 + 2 + 2 * 2);

		list->setCurrentItem(list->topLevelItem(0));
		QTest::keyClick(list, Qt::Key_Return);
		const int32_t k = SampleOfTime(w.md, newest).value();
		const GraphViewState &shown = w.form->graphView().state();
		QCOMPARE(shown.scrollMode, XAxisMode::ManualScroll);
		QVERIFY(shown.firstShown < k && k < shown.lastShown);

		control(*w.form, "startButton")->click();
		QCOMPARE(list->topLevelItemCount(), 0);
		QCOMPARE(w.form->chart().plot()->itemCount(), 1 + 2); // no marker left
		control(*w.form, "stopButton")->click();
	}

	void windowGoesWithItsDataListOpen()
	{
		Window w;
		w.md.DataCount = 2;
		w.form->cmdDisp_Click();
		const QPointer<DialogDatalist> list = w.form->dataList();
		QVERIFY(list);
		w.form.reset(); // must not touch the list's button after it is gone
		QVERIFY2(!list, "the list goes with its window");
	}

	void printNeedsDataAsksForThePrinterAndKeepsIt()
	{
		Window w;
		auto &script = *new ScriptedPrinterDialog;
		w.form->setPrinterDialog(std::unique_ptr<PrinterDialog>(&script));
		control(*w.form, "printButton")->click();
		QCOMPARE(w.prompt.texts(), QStringList{QStringLiteral("データがありません。")});

		w.md.DataCount = 1;
		control(*w.form, "printButton")->click(); // cancelled
		QTemporaryDir dir;
		script.pdf = dir.filePath(QStringLiteral("page.pdf"));
		control(*w.form, "printButton")->click();
		QVERIFY(QFileInfo(script.pdf).size() > 1000);
		control(*w.form, "printButton")->click();
		QCOMPARE(script.seeded, script.pdf);
		QCOMPARE(w.prompt.shown.size(), size_t{1});
	}

	void moveButtonsOpenOneToolThatMovesTheWindow()
	{
		Window w;
		control(*w.form, "moveButton0")->click();
		control(*w.form, "moveButton3")->click();
		DialogMoveWindow *tool = w.form->moveWindow();
		QVERIFY(tool && tool->isVisible());
		QCOMPARE(w.form->findChildren<DialogMoveWindow *>().size(), 1);
		tool->cmdMV[MoveSteps::Left]->click();
		QVERIFY(w.form->pos().x() < 0);
		tool->cmdMV[MoveSteps::TopLeft]->click();
		QCOMPARE(w.form->pos(), QPoint(0, 0));
	}

	void questionsSpeakJapaneseAndDefaultToNo()
	{
		QVERIFY(installJapaneseTexts(*QCoreApplication::instance()));
		MessageBoxPrompt prompt;
		QStringList buttons;
		QTimer::singleShot(0, [&] {
			auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
			QVERIFY(box);
			for (QAbstractButton *button : box->buttons())
				buttons << button->text();
			QTest::keyClick(box, Qt::Key_Return);
		});
		QVERIFY2(!prompt.askYesNo(QStringLiteral("終了しますか？"), kMessageTitle),
				"Enter answers No");
		buttons.sort();
		QCOMPARE(buttons,
				(QStringList{QStringLiteral("いいえ(&N)"),
						QStringLiteral("はい(&Y)")}));
	}

	void blockRunInTheRealWindowWithEmulatedUnits()
	{
		qputenv("VARNELIO_EMULATOR",
				"id=0,signal=seq:10:20:30,block=16;id=3,signal=const:-5,block=16");
		ModuleData md;
		VarnelLibrary library(QStringLiteral(VARNELIO_FILE));
		RecordingPrompt prompt;
		MapStore store;
		store.values[QStringLiteral("MflagID3")] = QStringLiteral("True");
		store.values[QStringLiteral("IntervalTM")] = QStringLiteral("10");
		FormMain form(md, library, prompt, store);
		form.show();

		control(form, "startButton")->click();
		QVERIFY(!control(form, "startButton")->isEnabled());
		QVERIFY(control(form, "stopButton")->isEnabled());
		QTRY_VERIFY_WITH_TIMEOUT(md.DataCount >= 48, 5000);
		control(form, "stopButton")->click();

		QCOMPARE(md.MeasFlag, kFalse);
		QVERIFY(control(form, "startButton")->isEnabled());
		QVERIFY(!control(form, "stopButton")->isEnabled());
		QVERIFY(control(form, "dataListButton")->isEnabled());
		QCOMPARE(md.DataCount % 16, 0);
		QCOMPARE(md.Channels[0].Data[0], 10.0f);
		QCOMPARE(md.Channels[0].Data[4], 20.0f);
		QCOMPARE(md.Channels[3].DataNum, md.DataCount);
		QCOMPARE(md.Channels[3].Data[md.DataCount - 1], -5.0f);
		QCOMPARE(control<QLabel>(form, "value3")->text(), QStringLiteral("-5.000"));
		QVERIFY(control<QLabel>(form, "value1")->text().isEmpty());
		QVERIFY(form.chart().plot()->graph(0)->data()->size() >= 48);
		QVERIFY(prompt.shown.empty());
	}
};

QTEST_MAIN(FormMainTest)
#include "FormMainTest.moc"

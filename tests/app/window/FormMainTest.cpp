#include "acquisition/VarnelLibrary.h"
#include "window/FormMain.h"
#include "window/JapaneseTexts.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/MapStore.h"
#include "fakes/RecordingPrompt.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <qcustomplot.h>
#include <QtTest>

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

		Window()
		{
			store.values[QStringLiteral("MflagID2")] = QStringLiteral("True");
			form = std::make_unique<FormMain>(md, api, prompt, store);
			form->show();
		}
	};

	static QList<QPushButton *> idleButtons(FormMain &form)
	{
		return {form.cmdStart, form.cmdSetting, form.cmdUnitSetting, form.cmdPrint, form.cmdRead,
				form.cmdSave, form.cmdEnd, form.cmdDisp};
	}

private Q_SLOTS:
	void startUpIsIdle()
	{
		Window w;
		QCOMPARE(w.form->windowTitle(), QStringLiteral("ひずみ測定(Ver1.2)"));
		QVERIFY(!w.form->cmdStop->isEnabled());
		for (QPushButton *button : idleButtons(*w.form))
			QVERIFY2(button->isEnabled(), qPrintable(button->text()));
		QVERIFY(w.form->cmdMeasInfo->isEnabled());
		QCOMPARE(w.form->Combo1->currentText(), QStringLiteral("100"));
		QVERIFY(w.form->optWid[0]->isChecked());
		QVERIFY(w.form->optHei[0]->isChecked());
		QCOMPARE(w.md.Channels[2].Mflag, kTrue); // from the stored conditions
		QCOMPARE(w.md.TrgMode, kFalse);
		QCOMPARE(w.md.RangeMax, 8000.0f);
		QVERIFY(w.api.calls.isEmpty());
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
		QCOMPARE(w.prompt.shown.back().text, QStringLiteral("データが消去されます。終了してもよろしいですか？"));
		QVERIFY2(w.form->dataList(), "No leaves the data list open");

		w.prompt.answers = {true};
		QVERIFY(w.form->close());
		QVERIFY(!w.form->dataList());
	}

	void closeDuringARunOnlyRefuses()
	{
		Window w;
		w.form->run().cmdStart_Click();
		QCOMPARE(w.md.MeasFlag, kTrue);
		const auto shown = w.prompt.shown.size();
		QVERIFY(!w.form->close());
		QCOMPARE(w.prompt.shown.size(), shown + 1);
		QCOMPARE(w.prompt.shown.back().text, QStringLiteral("測定中です。中止してから終了して下さい。"));
		QCOMPARE(w.prompt.shown.back().caption, QStringLiteral("エラーメッセージ"));
		QCOMPARE(w.prompt.shown.back().icon, Prompt::Icon::Error);
		QVERIFY(!w.prompt.shown.back().question);
		w.form->run().cmdStop_Click();
	}

	void laterFunctionsSayTheyAreNotThereYet()
	{
		Window w;
		for (QPushButton *button : {w.form->cmdSetting, w.form->cmdUnitSetting, w.form->cmdSave,
				     w.form->cmdRead}) {
			button->click();
			QCOMPARE(w.prompt.shown.back().icon, Prompt::Icon::Information);
		}
		QCOMPARE(w.prompt.shown.size(), size_t{4});
	}

	void dataListOpensOnlyWithDataAndClosesOnANewRun()
	{
		Window w;
		w.form->cmdDisp->click();
		QCOMPARE(w.prompt.shown.back().text, QStringLiteral("データがありません"));
		QVERIFY(!w.form->dataList());

		w.md.Channels[0].Data[0] = 1.25f;
		w.md.DataCount = 1;
		w.form->cmdDisp->click();
		QVERIFY(w.form->dataList());
		QVERIFY(!w.form->cmdDisp->isEnabled());
		QCOMPARE(w.form->dataList()->lblDataNum()->text(), QStringLiteral("1"));
		QCOMPARE(w.form->dataList()->List1()->model()->rowCount(), 1);

		w.prompt.answers = {true};
		w.form->cmdStart->click();
		QVERIFY(!w.form->dataList());
		w.form->cmdStop->click();
		QVERIFY(w.form->cmdDisp->isEnabled());
	}

	void windowGoesWithItsDataListOpen()
	{
		Window w;
		w.md.DataCount = 2;
		w.form->cmdDisp_Click();
		QVERIFY(w.form->dataList());
		w.form.reset(); // must not touch the list's button after it is gone
	}

	void printNeedsDataAsksForThePrinterAndKeepsIt()
	{
		Window w;
		auto &script = *new ScriptedPrinterDialog;
		w.form->setPrinterDialog(std::unique_ptr<PrinterDialog>(&script));
		w.form->cmdPrint->click();
		QCOMPARE(w.prompt.texts(), QStringList{QStringLiteral("データがありません。")});

		w.md.DataCount = 1;
		w.form->cmdPrint->click(); // cancelled
		QTemporaryDir dir;
		script.pdf = dir.filePath(QStringLiteral("page.pdf"));
		w.form->cmdPrint->click();
		QVERIFY(QFileInfo(script.pdf).size() > 1000);
		w.form->cmdPrint->click();
		QCOMPARE(script.seeded, script.pdf);
		QCOMPARE(w.prompt.shown.size(), size_t{1});
	}

	void moveButtonsOpenOneToolThatMovesTheWindow()
	{
		Window w;
		w.form->cmdMove[0]->click();
		w.form->cmdMove[3]->click();
		DialogMoveWindow *tool = w.form->moveWindow();
		QVERIFY(tool && tool->isVisible());
		QCOMPARE(w.form->findChildren<DialogMoveWindow *>().size(), 1);
		tool->cmdMV[MoveSteps::Left]->click();
		QVERIFY(w.form->pos().x() < 0);
		tool->cmdMV[MoveSteps::TopLeft]->click();
		QCOMPARE(w.form->pos(), QPoint(0, 0));
	}

	void standardButtonsSpeakJapanese()
	{
		QVERIFY(installJapaneseTexts(*QCoreApplication::instance()));
		QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));
	}

	void blockRunInTheRealWindowWithEmulatedUnits()
	{
		qputenv("VARNELIO_EMULATOR", "id=0,signal=seq:10:20:30,block=16;id=3,signal=const:-5,block=16");
		ModuleData md;
		VarnelLibrary library(QStringLiteral(VARNELIO_FILE));
		RecordingPrompt prompt;
		MapStore store;
		store.values[QStringLiteral("MflagID3")] = QStringLiteral("True");
		store.values[QStringLiteral("IntervalTM")] = QStringLiteral("10");
		FormMain form(md, library, prompt, store);
		form.show();

		form.cmdStart->click();
		QVERIFY(!form.cmdStart->isEnabled());
		QVERIFY(form.cmdStop->isEnabled());
		QTRY_VERIFY_WITH_TIMEOUT(md.DataCount >= 48, 5000);
		form.cmdStop->click();

		QCOMPARE(md.MeasFlag, kFalse);
		QVERIFY(form.cmdStart->isEnabled());
		QVERIFY(!form.cmdStop->isEnabled());
		QVERIFY(form.cmdDisp->isEnabled());
		QCOMPARE(md.DataCount % 16, 0);
		QCOMPARE(md.Channels[0].Data[0], 10.0f);
		QCOMPARE(md.Channels[0].Data[4], 20.0f);
		QCOMPARE(md.Channels[3].DataNum, md.DataCount);
		QCOMPARE(md.Channels[3].Data[md.DataCount - 1], -5.0f);
		QCOMPARE(form.Label1[3]->text(), QStringLiteral("-5.000"));
		QVERIFY(form.Label1[1]->text().isEmpty());
		QVERIFY(form.chart().plot()->graph(0)->data()->size() >= 48);
		QVERIFY(prompt.shown.empty());
	}
};

QTEST_MAIN(FormMainTest)
#include "FormMainTest.moc"

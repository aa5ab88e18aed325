// The review tools in the real window, as a person uses them: the mouse and
// keys on the graph, the cursor panel and the statistics of a file read.

#include "display/CursorPanel.h"
#include "display/StatisticsPanel.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/MapStore.h"
#include "fakes/Measurements.h"
#include "fakes/RecordingPrompt.h"
#include "files/DataFile.h"
#include "recording/RecordingStore.h"
#include "window/FormMain.h"
#include "window/WindowControls.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>
#include <qcustomplot.h>

using namespace kelvra;
using namespace kelvra::testing;

class ReviewWindowTest : public QObject {
	Q_OBJECT

	struct Window {
		ModuleData md;
		FakeDeviceApi api;
		RecordingPrompt prompt;
		MapStore store;
		std::unique_ptr<FormMain> form;
		QTemporaryDir dir;

		// A file of 1000 samples a second apart: unit 0 steps from 0 to 10 at
		// its 501st sample, unit 2 holds 3.
		Window()
		{
			ModuleData file = smallMeasurement();
			for (int u : {0, 2}) {
				file.Channels[u].Mflag = kTrue;
				file.Channels[u].DataNum = 1000;
				for (int32_t i = 0; i < 1000; ++i)
					file.Channels[u].Data[i] = u == 2 ? 3.0f
							: i < 500         ? 0.0f
									  : 10.0f;
			}
			file.DataCount = 1000;
			const QString name = dir.filePath(QStringLiteral("step.vn2"));
			QVERIFY(SaveDataFile(file, name).ok);
			form = std::make_unique<FormMain>(md, api, prompt, store);
			form->show();
			form->openDataFile(name);
			plot()->replot(QCustomPlot::rpImmediateRefresh);
		}

		QCustomPlot *plot() const { return form->chart().plot(); }
		QPoint pixelAt(double seconds, double value) const
		{
			return {qRound(plot()->xAxis->coordToPixel(seconds)),
					qRound(plot()->yAxis->coordToPixel(value))};
		}
		// As a screen reader tells it: the value behind the figure's name.
		QString figure(const QString &name) const
		{
			auto *label = figureLabel(name);
			if (!label)
				return QStringLiteral("(none)");
			QAccessibleInterface *node = QAccessible::queryAccessibleInterface(label);
			return node ? node->text(QAccessible::Description)
				    : QStringLiteral("(none)");
		}
		QLabel *figureLabel(const QString &name) const
		{
			for (auto *label : form->findChildren<QLabel *>())
				if (label->accessibleName() == name)
					return label;
			return nullptr;
		}
		QCPRange time() const { return plot()->xAxis->range(); }
	};

private Q_SLOTS:
	void statisticsOfAFileReadByTheirNames()
	{
		Window w;
		const std::pair<const char *, const char *> whole[] = {{"ID0 最小", "0.000"},
				{"ID0 最大", "10.000"}, {"ID0 平均", "5.000"},
				{"ID0 実効値", "7.071"}, {"ID0 標準偏差", "5.000"},
				{"ID0 p-p", "10.000"}, {"ID0 データ数", "1000"},
				{"ID2 平均", "3.000"}, {"ID2 標準偏差", "0.000"}};
		for (auto [name, text] : whole)
			QCOMPARE(w.figure(QString::fromUtf8(name)), QString::fromUtf8(text));
		QVERIFY2(!w.figureLabel(QStringLiteral("ID1 平均"))->isVisible(),
				"a unit not in use");

		// Typed cursor times: the readouts, and the statistics between them.
		CursorPanel &cursors = *w.form->cursorPanel();
		for (auto [edit, text] : {std::pair{cursors.timeEdit[0], "451"},
				     {cursors.timeEdit[1], "550"}}) {
			edit->setText(QString::fromLatin1(text));
			emit edit->editingFinished();
		}
		QCOMPARE(w.figure(QStringLiteral("ID0 カーソル1")), QStringLiteral("0.000"));
		QCOMPARE(w.figure(QStringLiteral("ID0 カーソル2")), QStringLiteral("10.000"));
		QCOMPARE(w.figure(QStringLiteral("ID0 差")), QStringLiteral("10.000"));
		QCOMPARE(w.figure(QStringLiteral("時刻の差")), QStringLiteral("99.000"));
		QCOMPARE(w.figure(QStringLiteral("ID0 データ数")), QStringLiteral("100"));
		QCOMPARE(w.figure(QStringLiteral("ID0 平均")), QStringLiteral("5.000"));

		w.form->statisticsPanel()->copyButton->click();
		const QStringList lines =
				QApplication::clipboard()->text().split(QLatin1Char('\n'));
		QCOMPARE(lines.value(0),
				QStringLiteral("\t最小\t最大\t平均\t実効値\t標準偏差\tp-p\tデータ数"));
		QCOMPARE(lines.value(1),
				QStringLiteral("ID0\t0.000\t10.000\t5.000\t7.071\t5.000\t10.000\t100"));
		QVERIFY(lines.value(2).startsWith(QStringLiteral("ID2\t3.000")));
	}

	// 300000 samples at 10 ms, more than the buffers hold: unit 1 holds 2.5,
	// unit 3 steps from 0 to 4 at 1500 s.
	void statisticsOfALongRecordingFromItsSummaries()
	{
		QTemporaryDir dir;
		const QString name = dir.filePath(QStringLiteral("long.kvr"));
		{
			ModuleData md;
			md.Channels[1].Mflag = md.Channels[3].Mflag = kTrue;
			md.settings.IntervalTM = 10;
			RecordingWriter writer;
			RecordingStore store(
					RecordingHeaderOf(md,
							QDateTime(QDate(2026, 12, 9), QTime(0, 0),
									QTimeZone::utc()),
							SplitPeriod::None),
					name.chopped(4), writer, 0);
			std::vector<float> constant(1000, 2.5f), step(1000);
			for (int64_t block = 0; block < 300; ++block) {
				std::fill(step.begin(), step.end(), block < 150 ? 0.0f : 4.0f);
				store.add(1, constant.data(), 1000);
				store.add(3, step.data(), 1000);
				store.tick(block * 10000);
			}
		}
		Window w;
		w.form->openDataFile(name);
		const std::pair<const char *, const char *> whole[] = {{"ID1 データ数", "300000"},
				{"ID1 平均", "2.500"}, {"ID1 標準偏差", "0.000"},
				{"ID3 平均", "2.000"}, {"ID3 実効値", "2.828"},
				{"ID3 標準偏差", "2.000"}, {"ID3 最大", "4.000"}};
		for (auto [name, text] : whole)
			QCOMPARE(w.figure(QString::fromUtf8(name)), QString::fromUtf8(text));
		QCOMPARE(w.time().upper, 3000.0);
		QVERIFY2(!w.figureLabel(QStringLiteral("ID0 平均"))->isVisible(),
				"a unit not in use");
		QStringList legend;
		for (int i = 0; i < w.plot()->legend->itemCount(); ++i)
			legend << static_cast<QCPPlottableLegendItem *>(w.plot()->legend->item(i))
							->plottable()
							->name();
		QCOMPARE(legend, (QStringList{QStringLiteral("ID1 "), QStringLiteral("ID3 ")}));

		// Samples 140000..159999 between the cursors: half at 0, half at 4.
		w.form->cursors().set(0, 1400.0);
		w.form->cursors().set(1, 1599.99);
		QCOMPARE(w.figure(QStringLiteral("ID3 データ数")), QStringLiteral("20000"));
		QCOMPARE(w.figure(QStringLiteral("ID3 平均")), QStringLiteral("2.000"));
		QCOMPARE(w.figure(QStringLiteral("ID3 カーソル2")), QStringLiteral("4.000"));
		w.form->graphView().zoomX(1499.0, 1501.0);
		w.plot()->replot(QCustomPlot::rpImmediateRefresh);
		QVERIFY2(w.plot()->graph(3)->data()->size() <= 202,
				"the samples themselves, zoomed in");
	}

	// Two hours at 1 s: the time axis and the cursors in h:mm:ss, or the clock.
	void aLongTimeAxisReadsInHoursOrTheClock()
	{
		QTemporaryDir dir;
		const QString name = dir.filePath(QStringLiteral("hours.kvr"));
		{
			ModuleData md;
			md.Channels[0].Mflag = kTrue;
			md.settings.IntervalTM = 1000;
			md.StartTimeStr = QStringLiteral("2026/12/9 23:0:0");
			RecordingWriter writer;
			RecordingStore store(
					RecordingHeaderOf(md,
							QDateTime(QDate(2026, 12, 9), QTime(23, 0)),
							SplitPeriod::None),
					name.chopped(4), writer, 0);
			std::vector<float> values(100, 1.0f);
			for (int64_t block = 0; block < 72; ++block) {
				store.add(0, values.data(), 100);
				store.tick(block * 100000);
			}
		}
		Window w;
		w.form->openDataFile(name);
		w.plot()->replot(QCustomPlot::rpImmediateRefresh);
		const QRegularExpression hours(QStringLiteral("^\\d:\\d\\d:\\d\\d$"));
		QVERIFY2(w.plot()->xAxis->tickVectorLabels().filter(hours).size() >= 2,
				qPrintable(w.plot()->xAxis->tickVectorLabels().join(
						QLatin1Char(' '))));
		QVERIFY(w.plot()->xAxis->label().endsWith(QStringLiteral("（時:分:秒）")));

		CursorPanel &cursors = *w.form->cursorPanel();
		w.form->cursors().set(0, 3723.0);
		QCOMPARE(cursors.timeEdit[0]->text(), QStringLiteral("1:02:03.000"));
		cursors.timeEdit[1]->setText(QStringLiteral("1:30:00"));
		emit cursors.timeEdit[1]->editingFinished();
		QCOMPARE(*w.form->cursors().time(1), 5400.0);
		QCOMPARE(w.figure(QStringLiteral("時刻の差")), QStringLiteral("0:27:57.000"));
		QCOMPARE(w.form->statisticsPanel()->span->text(),
				QStringLiteral("カーソル間  1:02:03.000 – 1:30:00.000"));

		control<QCheckBox>(*w.form, "clockCheck")->click();
		w.plot()->replot(QCustomPlot::rpImmediateRefresh);
		QCOMPARE(cursors.timeEdit[1]->text(),
				QStringLiteral("00:30:00.000")); // past midnight
		QVERIFY(w.plot()->xAxis->tickVectorLabels().contains(QStringLiteral("00:00:00")));
		cursors.timeEdit[0]->setText(QStringLiteral("23:30:00"));
		emit cursors.timeEdit[0]->editingFinished();
		QCOMPARE(*w.form->cursors().time(0), 1800.0);
	}

	void mouseAndKeysZoomPanAndSetCursors()
	{
		Window w;
		QCustomPlot *plot = w.plot();
		// The wheel zooms in around the moment under the pointer.
		const QPoint at = w.pixelAt(250.0, 0.0);
		QWheelEvent wheel(at, plot->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
				Qt::NoModifier, Qt::NoScrollPhase, false);
		QApplication::sendEvent(plot, &wheel);
		QCOMPARE(control<QRadioButton>(*w.form, "scrollMode2")->isChecked(), true);
		QVERIFY(std::abs(plot->xAxis->pixelToCoord(at.x()) - 250.0) < 1.0);
		QVERIFY(w.time().size() < 900.0);

		// A right-button rectangle zooms into it.
		plot->replot(QCustomPlot::rpImmediateRefresh);
		QTest::mousePress(plot, Qt::RightButton, {}, w.pixelAt(300.0, 800.0));
		QTest::mouseMove(plot, w.pixelAt(350.0, 200.0));
		QTest::mouseRelease(plot, Qt::RightButton, {}, w.pixelAt(400.0, 200.0));
		QVERIFY(std::abs(w.time().lower - 300.0) < 2.0 &&
				std::abs(w.time().upper - 400.0) < 2.0);
		QVERIFY(std::abs(plot->yAxis->range().upper - 800.0) < 10.0);

		// A click sets cursor 1, Shift+click cursor 2.
		plot->replot(QCustomPlot::rpImmediateRefresh);
		QTest::mouseClick(plot, Qt::LeftButton, {}, w.pixelAt(320.0, 5.0));
		QTest::mouseClick(plot, Qt::LeftButton, Qt::ShiftModifier, w.pixelAt(380.0, 5.0));
		QVERIFY(std::abs(*w.form->cursors().time(0) - 320.0) < 1.0);
		QVERIFY(std::abs(*w.form->cursors().time(1) - 380.0) < 1.0);

		// Dragging with the left button pans by the distance dragged.
		const QPoint from = w.pixelAt(350.0, 5.0), via = w.pixelAt(340.0, 5.0),
			     to = w.pixelAt(330.0, 5.0);
		QTest::mousePress(plot, Qt::LeftButton, {}, from);
		QTest::mouseMove(plot, via);
		QTest::mouseMove(plot, to);
		QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
		QVERIFY(std::abs(w.time().lower - 320.0) < 2.0);
		QVERIFY2(std::abs(*w.form->cursors().time(0) - 320.0) < 1.0,
				"a pan moves no cursor");

		// The keyboard on the focused graph; Home shows everything again.
		plot->setFocus();
		const double before = w.time().lower;
		QTest::keyClick(plot, Qt::Key_Right);
		QVERIFY(w.time().lower > before);
		QTest::keyClick(plot, Qt::Key_Home);
		QVERIFY(control<QRadioButton>(*w.form, "scrollMode0")->isChecked());
		QCOMPARE(w.time().upper, 1000.0);
		QVERIFY(plot->yAxis->range().upper > 900.0);
	}
};

QTEST_MAIN(ReviewWindowTest)
#include "ReviewWindowTest.moc"

#include "display/MeasParamLines.h"
#include "display/PrintDatGraph.h"
#include "fakes/FakeChart.h"
#include "fakes/RecordingPrompt.h"

#include <QPaintEngine>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

constexpr double kCmPerPixel = 2.54 / 300;

bool near(QPointF a, QPointF b)
{
	return (a - b).manhattanLength() < 1e-3;
}

// A printable area of 19 x 27 cm at 300 dpi that records where texts land, in cm.
class RecordingPage : public QPaintDevice, public QPaintEngine {
public:
	std::vector<std::pair<QString, QRectF>> texts; // each text with its top left and width

	RecordingPage() : QPaintEngine(AllFeatures) {}
	QPaintEngine *paintEngine() const override { return const_cast<RecordingPage *>(this); }
	int metric(PaintDeviceMetric metric) const override
	{
		switch (metric) {
		case PdmWidth:
			return qRound(19 / kCmPerPixel);
		case PdmHeight:
			return qRound(27 / kCmPerPixel);
		case PdmDpiX:
		case PdmDpiY:
		case PdmPhysicalDpiX:
		case PdmPhysicalDpiY:
			return 300;
		case PdmDepth:
			return 32;
		case PdmDevicePixelRatioScaled:
			return static_cast<int>(devicePixelRatioFScale());
		default:
			return 1;
		}
	}
	bool begun = false;
	bool begin(QPaintDevice *) override { return begun = true; }
	bool end() override { return true; }
	void updateState(const QPaintEngineState &) override {}
	void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
	Type type() const override { return User; }
	// Qt hands a text over in runs of one script each; a run that goes on
	// where the last one ended belongs to the same text.
	void drawTextItem(const QPointF &baseline, const QTextItem &item) override
	{
		const QPointF topLeft =
				(baseline - QPointF(0, QFontMetricsF(item.font(), this).ascent())) *
				kCmPerPixel;
		const QRectF box(topLeft, QSizeF(item.width() * kCmPerPixel, 0));
		if (!texts.empty() && near(texts.back().second.topRight(), topLeft)) {
			texts.back().first += item.text();
			texts.back().second.setRight(box.right());
		} else {
			texts.push_back({item.text(), box});
		}
	}

	QRectF find(const QString &text) const
	{
		const auto found = std::find_if(texts.begin(), texts.end(),
				[&](const auto &t) { return t.first == text; });
		return found == texts.end() ? QRectF() : found->second;
	}
	// The conditions block from the top: "label=value" a line.
	QStringList block() const
	{
		std::map<double, QString> lines;
		for (const auto &[text, box] : texts) {
			if (qAbs(box.left() - 4.75) < 1e-3 && box.top() > 1.6)
				lines[box.top()].prepend(text);
			else if (qAbs(box.left() - 7.75) < 1e-3)
				lines[box.top()].append(QLatin1Char('=') + text);
		}
		QStringList out;
		for (const auto &line : lines)
			out << line.second;
		return out;
	}
};

using Setup = std::function<void(ModuleData &)>;

struct Printed {
	ModuleData md;
	FakeChart chart;
	RecordingPrompt prompt;
	RecordingPage page;
	bool ok;

	explicit Printed(const Setup &setup, bool chartDraws = true)
	{
		md.StartTimeStr = QStringLiteral("2024/5/1 9:3:5");
		md.settings.IntervalTM = 500;
		setup(md);
		chart.paintable = chartDraws;
		ok = PrintDatGraph(md, chart, page, prompt,
				QDateTime(QDate(2024, 5, 2), QTime(13, 4, 5)));
	}
};

// The lines of the page as poppler reads them from the PDF, blanks collapsed.
QStringList pdfTextLines(const ModuleData &md)
{
	QTemporaryDir dir;
	const QString path = dir.filePath(QStringLiteral("page.pdf"));
	{
		QPdfWriter pdf(path);
		FakeChart chart;
		RecordingPrompt prompt;
		if (!PrintDatGraph(md, chart, pdf, prompt,
				    QDateTime(QDate(2024, 5, 2), QTime(13, 4, 5))))
			return {};
	}
	QProcess pdftotext;
	pdftotext.start(QStringLiteral("pdftotext"),
			{QStringLiteral("-layout"), path, QStringLiteral("-")});
	if (!pdftotext.waitForFinished())
		return {QStringLiteral("pdftotext (poppler-utils) did not run")};
	QStringList lines;
	for (const QString &line : QString::fromUtf8(pdftotext.readAllStandardOutput())
						   .split(QLatin1Char('\n')))
		lines << line.simplified();
	return lines;
}

} // namespace

class PrintPageTest : public QObject {
	Q_OBJECT

private Q_SLOTS:
	void pageGeometryInCentimetres()
	{
		const Printed p([](ModuleData &) {});
		QVERIFY(p.ok && p.prompt.shown.empty());
		QVERIFY(near(p.page.find(QStringLiteral("2024/05/02 13:04:05")).topLeft(),
				{15, 0.5}));
		QVERIFY(near(p.page.find(QStringLiteral("----- ひずみ測定 -----")).center(),
				{9.5, 0.7}));
		QVERIFY(near(p.page.find(QStringLiteral("＜取込設定＞")).topLeft(), {4.75, 1.5}));

		const auto top = [&p](const char *label) {
			return p.page.find(QString::fromUtf8(label)).top();
		};
		const double strH = top("測定日") - 1.5;
		QVERIFY(strH > 0.3 && strH < 1.0);
		QVERIFY(qAbs(top("単位") - top("測定日") - 3 * strH) < 1e-4);
		QVERIFY(near(p.chart.paintedInto.topLeft() * kCmPerPixel, {1.9, 13.7}));
		QVERIFY(near(p.chart.paintedInto.bottomRight() * kCmPerPixel, {17.1, 26.2}));
	}

	void conditionsBlock_data()
	{
		QTest::addColumn<Setup>("setup");
		QTest::addColumn<QStringList>("lines");
		const QString date = QStringLiteral("測定日=2024/5/1 9:3:5");
		QTest::newRow("no trigger, microstrain, msec")
				<< Setup([](ModuleData &) {})
				<< QStringList{date, QStringLiteral("測定間隔=500 (msec)"),
						   QStringLiteral("平均化=無し"),
						   QStringLiteral("単位=μひずみ")};
		QTest::newRow("both triggers, sec")
				<< Setup([](ModuleData &md) {
					   md.settings.TimerType = md.settings.DataAverage =
							   md.settings.TrgMaxFlag =
									   md.settings.TrgMinFlag =
											   kTrue;
					   md.settings.IntervalTM = 2000;
					   std::tie(md.settings.TrgVMax, md.settings.TrgVMin,
							   md.settings.TrgDnum1,
							   md.settings.TrgDnum2) =
							   std::tuple(1.5f, -20.0f, 100, 200);
					   md.settings.TrgUnitID = 3;
				   })
				<< QStringList{date, QStringLiteral("測定間隔=2 (sec)"),
						   QStringLiteral("平均化=有り"),
						   QStringLiteral("上限トリガ=1.5"),
						   QStringLiteral("下限トリガ=-20"),
						   QStringLiteral("取込データ数=トリガ前：100  トリガ後：200"),
						   QStringLiteral("トリガ使用ユニット  ID3"),
						   QStringLiteral("単位=μひずみ")};
		QTest::newRow("load unit, units 0 and 2")
				<< Setup([](ModuleData &md) {
					   md.settings.TimerType = kTrue;
					   md.settings.IntervalTM = 1500;
					   md.settings.Sing = 1;
					   for (int u : {0, 2})
						   md.Channels[u] = {.Data = {},
								   .Mflag = kTrue,
								   .Power = u * 750.0f + 2,
								   .PowerSing = int16_t(u / 2),
								   .Capacity = u * 250.0f + 500};
					   md.Channels[3].Power = 9; // not in use
				   })
				<< QStringList{date, QStringLiteral("測定間隔=1.5 (sec)"),
						   QStringLiteral("平均化=無し"),
						   QStringLiteral("単位=kgf"),
						   QStringLiteral("定格出力=ID0：2mV/V　ID2：1502μひずみ　"),
						   QStringLiteral("定格容量=ID0：500kgf　ID2：1000kgf　")};
	}

	void conditionsBlock()
	{
		QFETCH(Setup, setup);
		QFETCH(QStringList, lines);
		const Printed p(setup);
		QCOMPARE(p.page.block(), lines);
		QVERIFY2(qAbs(p.chart.paintedInto.bottom() * kCmPerPixel - 26.2) < 1e-3,
				"the graph stays at the bottom");
	}

	void pdfTextReadsBackAsPrinted_data()
	{
		QTest::addColumn<Setup>("setup");
		QTest::newRow("kN, trigger, unit-timed") << Setup([](ModuleData &md) {
			md.settings.IntervalTM = 50;
			md.settings.TrgMaxFlag = kTrue;
			std::tie(md.settings.TrgVMax, md.settings.TrgDnum1, md.settings.TrgDnum2,
					md.settings.TrgUnitID) =
					std::tuple(12.5f, 100, 200, int16_t(2));
			md.settings.Sing = 4;
			for (int u : {0, 2})
				md.Channels[u] = {.Data = {},
						.Mflag = kTrue,
						.Power = u * 749.0f + 2,
						.PowerSing = int16_t(u / 2),
						.Capacity = u * 250.0f + 500};
		});
		QTest::newRow("microstrain, PC-timed") << Setup([](ModuleData &md) {
			md.settings.TimerType = md.settings.DataAverage = kTrue;
			md.settings.IntervalTM = 1500;
		});
	}

	// Digits, 日, 用 and 出 survive the PDF's text layer, so the page can be searched and
	// copied.
	void pdfTextReadsBackAsPrinted()
	{
		QFETCH(Setup, setup);
		ModuleData md;
		md.StartTimeStr = QStringLiteral("2024/5/10 9:38:05");
		setup(md);
		const QStringList read = pdfTextLines(md);
		QStringList missing;
		for (const MeasParamLine &line : MeasParamLines(md)) {
			const QString printed =
					(line.label + QLatin1Char(' ') + line.value).simplified();
			if (!read.contains(printed))
				missing << printed;
		}
		if (!read.contains(QStringLiteral("----- ひずみ測定 -----")))
			missing.prepend(QStringLiteral("----- ひずみ測定 -----"));
		QVERIFY2(missing.isEmpty(),
				qPrintable(QStringLiteral("not read back: %1\npoppler read:\n%2")
								.arg(missing.join(QStringLiteral(
										     " | ")),
										read.join(QLatin1Char(
												'\n')))));
	}

	void chartThatCannotDrawPrintsNothing()
	{
		const Printed p([](ModuleData &) {}, false);
		QVERIFY(!p.ok);
		QCOMPARE(p.prompt.texts(), QStringList{QStringLiteral("グラフ印刷エラー")});
		QVERIFY2(!p.page.begun, "the printer is never begun");
	}
};

QTEST_MAIN(PrintPageTest)
#include "PrintPageTest.moc"

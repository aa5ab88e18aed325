#include "PrintDatGraph.h"

#include "MeasParamLines.h"
#include "MyPrinter.h"

#include <QCoreApplication>
#include <QPicture>
#include <qcustomplot.h>

namespace kelvra {

namespace {

const char *const kPrintFault = QT_TRANSLATE_NOOP(
		"PrintDatGraph", "印刷できませんでした。プリンタを確認して下さい。");

void printFault(Prompt &prompt)
{
	prompt.message(QCoreApplication::translate("PrintDatGraph", kPrintFault), kMessageTitle,
			Prompt::Icon::Error);
}

// Not every printer can take back a page once it was begun (a PDF file is
// written whole even when aborted), so the chart is tried on a scratch
// picture before the printer is touched.
bool chartDraws(Chart &chart)
{
	QPicture scratch;
	QCPPainter painter(&scratch);
	const bool drawn = chart.paint(
			painter, QRectF(0, 0, 800, 500)); // the size of a screen's graph
	painter.end();
	return drawn;
}

} // namespace

bool PrintDatGraph(const ModuleData &md, Chart &chart, QPaintDevice &printer, Prompt &prompt,
		const QDateTime &now)
{
	if (!chartDraws(chart)) {
		prompt.message(QCoreApplication::translate("PrintDatGraph", "グラフ印刷エラー"),
				kMessageTitle, Prompt::Icon::None);
		return false;
	}
	MyPrinter page;
	if (!page.SetPrinter(printer)) {
		printFault(prompt);
		return false;
	}
	if (!page.PrintGraph(chart)) { // drew a moment ago: the page is given up all the same
		page.Abort();
		prompt.message(QCoreApplication::translate("PrintDatGraph", "グラフ印刷エラー"),
				kMessageTitle, Prompt::Icon::None);
		return false;
	}
	page.PrDate(now.toString(QStringLiteral("yyyy/MM/dd H:mm:ss")));
	page.PrTitle(QCoreApplication::translate("PrintDatGraph", "----- ひずみ測定 -----"));
	float y = page.PrSubTitle(QCoreApplication::translate("PrintDatGraph", "＜取込設定＞"));
	const float h = page.GetStrH();
	for (const MeasParamLine &line : MeasParamLines(md)) {
		page.PrMeasParam(y, line.label, false);
		if (!line.value.isEmpty())
			page.PrMeasParam(y, line.value, true);
		y += h;
	}
	if (!page.EndPrint()) {
		printFault(prompt);
		return false;
	}
	return true;
}

} // namespace kelvra

#include "PrintDatGraph.h"

#include "MeasParamLines.h"
#include "MyPrinter.h"

namespace kelvra {

namespace {

const QString kPrintFault = QStringLiteral("印刷できませんでした。プリンタを確認して下さい。");

void printFault(Prompt &prompt)
{
	prompt.message(kPrintFault, kMessageTitle, Prompt::Icon::Error);
}

} // namespace

bool PrintDatGraph(const ModuleData &md, Chart &chart, QPaintDevice &printer, Prompt &prompt,
		const QDateTime &now)
{
	MyPrinter page;
	if (!page.SetPrinter(printer)) {
		printFault(prompt);
		return false;
	}
	// The graph first: a chart that cannot draw leaves no page at all.
	if (!page.PrintGraph(chart)) {
		page.Abort();
		prompt.message(QStringLiteral("グラフ印刷エラー"), kMessageTitle, Prompt::Icon::None);
		return false;
	}
	page.PrDate(now.toString(QStringLiteral("yyyy/MM/dd H:mm:ss")));
	page.PrTitle(QStringLiteral("----- ひずみ測定 -----"));
	float y = page.PrSubTitle(QStringLiteral("＜取込設定＞"));
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

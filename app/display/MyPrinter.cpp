#include "MyPrinter.h"

#include "Chart.h"
#include "PageFonts.h"

#include <QFontMetricsF>
#include <QPrinter>

namespace kelvra {

namespace {

constexpr double kCmPerInch = 2.54;
const QString kFontName = QStringLiteral("MS P明朝");
// Drawn to the metrics of "MS P明朝".
const QString kSerifFallback = QStringLiteral("IPAPMincho");

} // namespace

bool MyPrinter::SetPrinter(QPaintDevice &printer)
{
	PrObj = &printer;
	printer_ = dynamic_cast<QPrinter *>(&printer);
	if (!painter_.begin(&printer))
		return false;
	PrWidth = toCm(printer.width());
	PrHeight = static_cast<float>(printer.height() * kCmPerInch / printer.logicalDpiY());
	CenterX = PrWidth / 2;
	CurY = 1.5f;
	return true;
}

float MyPrinter::toCm(double devicePixels) const
{
	return static_cast<float>(devicePixels * kCmPerInch / PrObj->logicalDpiX());
}

QPointF MyPrinter::toDevice(float left, float top) const
{
	return {left / kCmPerInch * PrObj->logicalDpiX(), top / kCmPerInch * PrObj->logicalDpiY()};
}

void MyPrinter::SetFont(float size, const QString &name)
{
	QFont font(pageFontFamily({name, kSerifFallback}));
	font.setPointSizeF(size);
	painter_.setFont(font);
}

void MyPrinter::LocateStr(float left, float top, const QString &text)
{
	// The position is the text's top left; Qt places text on its baseline.
	const QFontMetricsF metrics(painter_.font(), PrObj);
	painter_.drawText(toDevice(left, top) + QPointF(0, metrics.ascent()), text);
}

void MyPrinter::PrTitle(const QString &text)
{
	SetFont(12, kFontName);
	const float width = toCm(QFontMetricsF(painter_.font(), PrObj).horizontalAdvance(text));
	LocateStr((PrWidth - width) / 2, 0.7f, text);
}

float MyPrinter::PrSubTitle(const QString &text)
{
	SetFont(10, kFontName);
	LocateStr(PrWidth / 4, CurY, text);
	const double height = QFontMetricsF(painter_.font(), PrObj).height();
	StrH = static_cast<float>(height * kCmPerInch / PrObj->logicalDpiY()) + 0.2f;
	CurY += StrH;
	return CurY;
}

void MyPrinter::PrMeasParam(float top, const QString &text, bool value)
{
	SetFont(10, kFontName);
	LocateStr(CenterX - PrWidth / 4 + (value ? 3 : 0), top, text);
}

void MyPrinter::PrDate(const QString &text)
{
	SetFont(10, kFontName);
	LocateStr(PrWidth - 4, 0.5f, text);
}

QRectF MyPrinter::GraphRect(float width, float height)
{
	return {0.1 * width, height - 0.8 - 12.5, 0.8 * width, 12.5};
}

bool MyPrinter::PrintGraph(Chart &chart)
{
	const QRectF cm = GraphRect(PrWidth, PrHeight);
	const QPointF topLeft =
			toDevice(static_cast<float>(cm.left()), static_cast<float>(cm.top()));
	const QPointF bottomRight =
			toDevice(static_cast<float>(cm.right()), static_cast<float>(cm.bottom()));
	return chart.paint(painter_, QRectF(topLeft, bottomRight));
}

bool MyPrinter::EndPrint()
{
	const bool ended = painter_.end();
	return ended && (!printer_ || printer_->printerState() != QPrinter::Error);
}

void MyPrinter::Abort()
{
	if (printer_)
		printer_->abort();
	painter_.end();
}

} // namespace kelvra

#pragma once

// Composes the printed page in centimetres from the top left of the printable
// area: the date, the title, the conditions block one line below the other
// and the graph in its rectangle at the bottom. It draws on a printer, a PDF
// writer or any paint device whose whole area is printable.

#include <QRectF>
#include <QString>

#include <qcustomplot.h>

class QPaintDevice;
class QPrinter;

namespace kelvra {

class Chart;

class MyPrinter {
public:
	// Attaches the device and starts painting on it; false when it cannot
	// be painted on (no such printer, a file that cannot be written).
	bool SetPrinter(QPaintDevice &printer);

	void SetFont(float size, const QString &name);
	void LocateStr(float left, float top, const QString &text);
	void PrTitle(const QString &text);
	float PrSubTitle(const QString &text);
	// A label, or with `value` its value in the column to its right.
	void PrMeasParam(float top, const QString &text, bool value);
	void PrDate(const QString &text);
	float GetStrH() const { return StrH; }
	bool PrintGraph(Chart &chart);
	// Ends the document, which sends the page to the printer; false on a fault.
	bool EndPrint();
	// Ends without a page: a printer's job is cancelled.
	void Abort();

	// The graph's rectangle, in cm, on a printable area of that size.
	static QRectF GraphRect(float width, float height);

	float PrWidth = 0;
	float PrHeight = 0;
	float CenterX = 0;
	float CurY = 0;
	float StrH = 0;

private:
	QPointF toDevice(float left, float top) const;
	float toCm(double devicePixels) const;

	QPaintDevice *PrObj = nullptr;
	QPrinter *printer_ = nullptr; // set when the device is a printer, to cancel its job
	QCPPainter painter_;          // the chart draws through it too
};

} // namespace kelvra

#pragma once

// The printer dialog: shows the printer's settings, and on OK leaves the
// chosen printer and page settings in it. Tests choose as scripted.

class QPrinter;
class QWidget;

namespace kelvra {

class PrinterDialog {
public:
	virtual ~PrinterDialog() = default;

	// False when the user cancels.
	virtual bool choosePrinter(QPrinter &printer, QWidget *parent) = 0;
};

// Qt's print dialog, which offers printing into a PDF file on every platform.
class QtPrinterDialog : public PrinterDialog {
public:
	bool choosePrinter(QPrinter &printer, QWidget *parent) override;
};

} // namespace kelvra

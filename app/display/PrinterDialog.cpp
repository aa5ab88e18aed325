#include "PrinterDialog.h"

#include <QPrintDialog>

namespace kelvra {

bool QtPrinterDialog::choosePrinter(QPrinter &printer, QWidget *parent)
{
	QPrintDialog dialog(&printer, parent);
	return dialog.exec() == QDialog::Accepted;
}

} // namespace kelvra

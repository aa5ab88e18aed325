#pragma once

// The printed page of the measurement: the print date, the title, the
// measuring conditions and the graph as the chart draws it.

#include "Chart.h"
#include "core/ModuleData.h"
#include "core/Prompt.h"

#include <QDateTime>

class QPaintDevice;

namespace kelvra {

// Prints the page on the device; false, after its message, when nothing was
// printed.
bool PrintDatGraph(const ModuleData &md, Chart &chart, QPaintDevice &printer, Prompt &prompt,
		const QDateTime &now);

} // namespace kelvra

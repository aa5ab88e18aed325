#pragma once

// The graph as it shows data read from a file or restored from a journal:
// every sample at once, the view over all of them, the Y scale from their
// extremes and, for a trigger capture, the trigger line.

#include "Chart.h"
#include "GraphView.h"
#include "SeriesDrawing.h"
#include "core/ModuleData.h"

namespace kelvra {

void ShowReadData(ModuleData &md, SeriesDrawing &drawing, GraphView &view, Chart &chart);

} // namespace kelvra

#pragma once

// The markers of the data held as the graph shows them: a vertical line at
// each marker's time, labelled "M1", "M2", … with its note.

#include "Chart.h"
#include "core/ModuleData.h"

#include <vector>

namespace kelvra {

std::vector<ChartMarker> MarkerLines(const ModuleData &md);

} // namespace kelvra

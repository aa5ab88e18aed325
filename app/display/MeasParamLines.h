#pragma once

// The measuring conditions printed beside the graph, one label and its value
// a line, in the order and under the conditions of the printed page.

#include "core/ModuleData.h"

#include <vector>

namespace kelvra {

struct MeasParamLine {
	QString label;
	QString value; // empty: the label stands alone
};

std::vector<MeasParamLine> MeasParamLines(const ModuleData &md);

} // namespace kelvra

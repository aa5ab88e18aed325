#pragma once

// The one check of a set of definitions against the units measured, for the
// dialogs, the command line and a recording's header alike: the first fault,
// or none. The setups of units not in use are checked as well (they are
// kept and written with the rest), but may hold a strain setup while the
// display unit is a load.

#include "ChannelDefinitions.h"
#include "DefinitionFault.h"

#include <optional>

namespace kelvra {

std::optional<DefinitionFault> checkDefinitions(
		const ChannelDefinitions &definitions, const MeasuredUnits &units);

} // namespace kelvra

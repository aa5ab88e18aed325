#pragma once

// The definitions as command-line options (`--bridge 0:half2`), which are
// also the lines of their text form (`bridge 0:half2`). An option reads its
// value's form only; the ranges are the check's, so every way in is checked
// alike, but for the number of rosettes and channels, which stays within
// what the check allows. A rosette or a channel given again under its name
// is redefined and keeps its material or unit.

#include "ChannelDefinitions.h"
#include "DefinitionFault.h"

#include <optional>
#include <span>
#include <string_view>

namespace kelvra {

struct DefinitionOption {
	std::string_view name; // without the dashes
	std::string_view form; // of its value, as --help shows it
};

// In the order to apply them: the options that add to a rosette or a
// channel after those that define it, so a command line can hand over the
// values grouped by option.
std::span<const DefinitionOption> definitionOptions();

bool isDefinitionOption(std::string_view name);

// The words of the options' values: none, quarter1, …; rect, delta.
std::string_view bridgeKeyword(BridgeType type);
std::string_view layoutKeyword(RosetteLayout layout);

// Empty when `value` is of the option's form and was applied.
std::optional<DefinitionFault> applyDefinitionOption(
		ChannelDefinitions &definitions, std::string_view option, std::string_view value);

} // namespace kelvra

#pragma once

// The definitions as text: a line per option that differs from the defaults,
// the option's name and its value as on the command line ("bridge 0:half2"),
// unit by unit, then the tare's sample count, the rosettes and the channels,
// each followed by what adds to it. Numbers are written in their shortest
// form that reads back the same. The stored settings, a recording's header
// and `info` carry this text; every set of definitions that passes the check
// reads back from it unchanged, and no defaults are written, so the text of
// no definitions is empty.

#include "ChannelDefinitions.h"
#include "DefinitionFault.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelvra {

std::string definitionsText(const ChannelDefinitions &definitions);

struct DefinitionsRead {
	std::optional<ChannelDefinitions> definitions;
	DefinitionFault fault{FaultCode::UnknownLine}; // with its line, when not read
};

// The lines in their order; empty lines are passed over. Only the form is
// read: check what it gives against the units it is for.
DefinitionsRead readDefinitionsText(std::string_view text);

} // namespace kelvra

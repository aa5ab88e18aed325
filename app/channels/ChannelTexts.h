#pragma once

// The texts a user reads of the definitions, in the interface's language:
// why one was refused, and a line that describes each output channel (for
// legends, file headers, `info` and the printed page).

#include "ChannelDefinitions.h"
#include "DefinitionFault.h"
#include "OutputChannels.h"

#include <QString>

namespace kelvra {

QString definitionFaultText(const DefinitionFault &fault);
QString bridgeTypeText(BridgeType type);
QString rosetteLayoutText(RosetteLayout layout);
QString outputChannelDescription(
		const OutputChannel &channel, const ChannelDefinitions &definitions);

} // namespace kelvra

#pragma once

// Trigger capture: the readings of a trigger run, stored into the rings of
// the trigger engine (TriggerRing).

#include "TriggerRing.h"
#include "acquisition/BlockFetch.h"
#include "acquisition/DeviceControl.h"
#include "core/ModuleData.h"

namespace kelvra {

class ModuleTrgData : public TriggerRing {
public:
	ModuleTrgData(ModuleData &md, DeviceControl &devices);

	Flag GetTrgSingleData();
	Flag GetTrgBlockData();
	Flag GetTrgBlockAveData();

private:
	Flag readTrgBlocks(bool averaged);
	void updateDataCount();

	DeviceControl &devices_;
	BlockFetch blocks_;
};

} // namespace kelvra

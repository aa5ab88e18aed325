#include "StartUpState.h"

#include "MeasInfo.h"
#include "acquisition/EmulatedUnits.h"

namespace kelvra {

QStringList LoadStartUpState(
		ModuleData &md, const SettingsStore &store, const QString &emulatorDescription)
{
	md.InitDataArray();
	md.ClearZeroData();
	md.ClearMeasData();
	const bool firstLook = !emulatorDescription.isEmpty() && !HasMeasInfo(store);
	const QStringList reset = LoadMeasInfo(md, store);
	if (firstLook)
		UseEmulatedUnits(md, EmulatedUnitIds(emulatorDescription));
	md.SetRange(); // after the units: the range follows the capacities of those in use
	return reset;
}

} // namespace kelvra

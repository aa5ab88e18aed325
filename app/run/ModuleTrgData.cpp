#include "ModuleTrgData.h"

#include "acquisition/SampleReader.h"

namespace kelvra {

ModuleTrgData::ModuleTrgData(ModuleData &md, DeviceControl &devices)
	: TriggerRing(md), devices_(devices)
{
}

void ModuleTrgData::updateDataCount()
{
	md_.DataCount = md_.TrgOn == kTrue ? md_.SetDataMaxCounter() : 0;
}

Flag ModuleTrgData::GetTrgSingleData()
{
	Flag ok = kFalse;
	for (int16_t u = 0; u < kUnitCount; ++u) {
		if (!md_.Channels[u].inUse())
			continue;
		const SingleAverage average = ReadSingleAverage(md_, devices_, u);
		if (average.failed)
			devices_.DispDevError(average.code);
		ok = toFlag(!average.failed); // a failed unit stores nothing on this tick
		if (average.failed || md_.Channels[u].EndFlag != kFalse)
			continue;
		if (!storeAndCheck(u, average.value))
			break;
	}
	updateDataCount();
	return ok;
}

Flag ModuleTrgData::GetTrgBlockData()
{
	return readTrgBlocks(false);
}

Flag ModuleTrgData::GetTrgBlockAveData()
{
	return readTrgBlocks(true);
}

Flag ModuleTrgData::readTrgBlocks(bool averaged)
{
	unsigned char n = VARNELIO_MAX_BLOCK;
	for (int16_t u = 0; u < kUnitCount; ++u) {
		const ChannelRecord &channel = md_.Channels[u];
		if (!channel.inUse())
			continue;
		const auto block = blocks_.fetch(md_, devices_.api(), u, n, averaged,
				[&](std::optional<float> value) {
					return channel.EndFlag != kFalse ||
							storeAndCheck(u, value); // an ended unit
										 // stores nothing
				});
		if (block.code != 0) {
			devices_.DispDevError(block.code);
			updateDataCount();
			return kFalse;
		}
		n = static_cast<unsigned char>(block.delivered);
	}
	updateDataCount();
	return kTrue;
}

} // namespace kelvra

#include "SampleReader.h"

#include "Conversion.h"

namespace kelvra {

SampleReader::SampleReader(ModuleData &md, DeviceControl &devices)
	: md_(md), devices_(devices), store_(md)
{
}

SingleAverage ReadSingleAverage(ModuleData &md, DeviceControl &devices, int16_t unit)
{
	double sum = 0.0;
	bool convertible = true;
	for (int32_t k = 0; k < md.AverageNum; ++k) {
		double reading = 0.0;
		const int16_t code = devices.api().Varnel_Single_Sample(unit, reading);
		if (code != 0)
			return {true, code, std::nullopt};
		const auto value = ConvertReading(md, unit, reading);
		convertible = convertible && value.has_value();
		sum += value.value_or(0.0f);
	}
	if (!convertible || md.AverageNum < 1)
		return {};
	return {false, 0, static_cast<float>(sum / md.AverageNum)};
}

bool SampleReader::GetMeasSingleData()
{
	bool result = false;
	const int32_t index = md_.DataCount;
	for (int16_t i = 0; i < kUnitCount; ++i) {
		ChannelRecord &channel = md_.Channels[i];
		if (!channel.inUse())
			continue;
		const SingleAverage average = ReadSingleAverage(md_, devices_, i);
		if (average.failed)
			devices_.DispDevError(average.code);
		result = !average.failed; // the last unit in use decides
		if (average.failed || index < 0 || index >= kBufferLength)
			continue;
		store_.storeSingleSample(i, index, average.value);
	}
	return result;
}

bool SampleReader::ReadBlockData()
{
	return readBlocks(false);
}

bool SampleReader::ReadBlockAveData()
{
	return readBlocks(true);
}

bool SampleReader::readBlocks(bool averaged)
{
	unsigned char n = VARNELIO_MAX_BLOCK;
	bool result = true;
	for (int16_t i = 0; i < kUnitCount; ++i) {
		if (!md_.Channels[i].inUse())
			continue;
		const auto block = blocks_.fetch(md_, devices_.api(), i, n, averaged,
				[&](std::optional<float> value) {
					return store_.storeBlockSample(i, value);
				});
		if (block.code != 0) {
			devices_.DispDevError(block.code);
			result = false;
			break;
		}
		lostToOverflow_ += static_cast<uint64_t>(block.lost);
		n = static_cast<unsigned char>(
				block.used); // when the buffer is full, later units take as many
	}
	md_.DataCount = md_.SetDataMaxCounter();
	return result;
}

} // namespace kelvra

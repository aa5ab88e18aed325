#include "SampleReader.h"

#include "Conversion.h"

#include <algorithm>

namespace kelvra {

SampleReader::SampleReader(ModuleData &md, DeviceControl &devices) : md_(md), devices_(devices) {}

SingleAverage ReadSingleAverage(ModuleData &md, DeviceControl &devices, int16_t unit)
{
	double sum = 0.0;
	bool convertible = true;
	for (int32_t k = 0; k < md.AverageNum; ++k) {
		double reading = 0.0;
		const int16_t code = devices.api().Varnel_Single_Sample(unit, reading);
		if (code != 0) {
			devices.DispDevError(code);
			return {true, std::nullopt};
		}
		const auto value = ConvertReading(md, unit, reading);
		convertible = convertible && value.has_value();
		sum += value.value_or(0.0f);
	}
	if (!convertible || md.AverageNum < 1)
		return {};
	return {false, static_cast<float>(sum / md.AverageNum)};
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
		result = !average.failed; // the last unit in use decides
		if (average.failed || index < 0 || index >= kBufferLength)
			continue;
		storeSingleSample(i, index, average.value);
	}
	return result;
}

void SampleReader::storeSingleSample(int unit, int32_t index, std::optional<float> value)
{
	if (sink_)
		sink_->sampleStored(unit, value);
	ChannelRecord &channel = md_.Channels[unit];
	if (value)
		channel.Data[index] = *value;
	channel.DataNum += 1;
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
	unsigned char n = 128;
	bool result = true;
	for (int16_t i = 0; i < kUnitCount; ++i) {
		if (!md_.Channels[i].inUse())
			continue;
		const int16_t code = devices_.api().Varnel_Get_Datas(i, readings_.data(), status_.data(), n);
		if (code != 0) {
			devices_.DispDevError(code);
			result = false;
			break;
		}
		n = std::min<unsigned char>(n, 128); // never trust a count beyond what was asked
		for (int j = 0; j < n; ++j) {
			std::optional<double> reading = readings_[j];
			if (averaged)
				reading = md_.AveBuf[i].add(readings_[j], md_.AverageNum);
			if (!reading)
				continue;
			if (!storeBlockSample(i, ConvertReading(md_, i, *reading))) {
				n = static_cast<unsigned char>(j + 1); // the buffer is full: later units take as many
				break;
			}
		}
	}
	md_.DataCount = md_.SetDataMaxCounter();
	return result;
}

bool SampleReader::storeBlockSample(int unit, std::optional<float> value)
{
	ChannelRecord &channel = md_.Channels[unit];
	const int32_t c = channel.DataNum;
	if (c < 0 || c >= kBufferLength)
		return false;
	if (sink_)
		sink_->sampleStored(unit, value);
	if (value)
		channel.Data[c] = *value; // without a value the element keeps its no-data marker
	channel.foldExtremes(channel.Data[c], c == 0);
	channel.DataNum = c + 1;
	return c < kBufferLength - 1;
}

} // namespace kelvra

#include "SampleReader.h"

#include "Conversion.h"

#include <algorithm>

namespace kelvra {

SampleReader::SampleReader(ModuleData &md, DeviceControl &devices) : md_(md), devices_(devices) {}

bool SampleReader::GetMeasSingleData()
{
	bool result = false;
	const int32_t index = md_.DataCount;
	for (int16_t i = 0; i < kUnitCount; ++i) {
		ChannelRecord &channel = md_.Channels[i];
		if (!channel.inUse())
			continue;
		double sum = 0.0;
		bool convertible = true;
		for (int32_t k = 0; k < md_.AverageNum; ++k) {
			double reading = 0.0;
			const int16_t code = devices_.api().Varnel_Single_Sample(i, reading);
			if (code != 0) {
				devices_.DispDevError(code);
				result = false;
				break;
			}
			const auto value = ConvertReading(md_, i, reading);
			convertible = convertible && value.has_value();
			sum += value.value_or(0.0f);
			result = true;
		}
		if (!result || index < 0 || index >= kBufferLength)
			continue;
		if (convertible)
			channel.Data[index] = static_cast<float>(sum / md_.AverageNum);
		channel.DataNum += 1;
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
	if (value)
		channel.Data[c] = *value; // without a value the element keeps its no-data marker
	const float stored = channel.Data[c];
	if (c == 0) {
		channel.MaxVal = channel.MinVal = stored;
	} else {
		channel.MaxVal = std::max(channel.MaxVal, stored);
		channel.MinVal = std::min(channel.MinVal, stored);
	}
	channel.DataNum = c + 1;
	return c < kBufferLength - 1;
}

} // namespace kelvra

#include "BufferStore.h"

namespace kelvra {

void BufferStore::storeSingleSample(int unit, int32_t index, std::optional<float> value)
{
	if (sink_)
		sink_->sampleStored(unit, value);
	ChannelRecord &channel = md_.Channels[unit];
	if (value)
		channel.Data[index] = *value;
	channel.DataNum += 1;
}

bool BufferStore::storeBlockSample(int unit, std::optional<float> value)
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

void BufferStore::storeMissing(int unit)
{
	ChannelRecord &channel = md_.Channels[unit];
	if (channel.DataNum < 0 || channel.DataNum >= kBufferLength)
		return;
	if (sink_)
		sink_->sampleStored(unit, std::nullopt);
	channel.DataNum += 1;
}

} // namespace kelvra

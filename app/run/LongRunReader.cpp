#include "LongRunReader.h"

#include "acquisition/SampleReader.h"

namespace kelvra {

LongRunReader::LongRunReader(ModuleData &md, DeviceControl &devices)
	: md_(md), devices_(devices), store_(md)
{
}

void LongRunReader::start(int16_t period)
{
	lost_.fill(false);
	period_ = period;
	lastReopenMs_ = 0;
	allLostSinceMs_ = -1;
	lastReadMs_ = 0;
	lostToOverflow_ = 0;
	overflowEvents_ = 0;
	overflowing_.fill(false);
}

int32_t LongRunReader::newestCount() const
{
	int32_t newest = 0;
	for (const ChannelRecord &channel : md_.Channels) {
		if (channel.inUse())
			newest = std::max(newest, channel.DataNum);
	}
	return newest;
}

void LongRunReader::makeRoom(int32_t needed, Tick &tick)
{
	if (newestCount() + needed <= kBufferLength)
		return;
	md_.DataCount = newestCount(); // what a roll may drop, up to date within a tick
	md_.RollBuffers(kRollChunk);
	tick.rolled = true;
	tick.firstNew = 1;
}

double LongRunReader::secondsAt(int unit) const
{
	return static_cast<double>(md_.DataOffset + md_.Channels[unit].DataNum) *
			(md_.settings.IntervalTM / 1000.0);
}

void LongRunReader::drop(int unit, int16_t code)
{
	lost_[unit] = true;
	devices_.api().Varnel_Device_Close(static_cast<int16_t>(unit));
	if (onEvent)
		onEvent(UnitLostEvent(secondsAt(unit), unit, code));
}

// One event for a stretch of ticks in which the unit lost samples.
void LongRunReader::countOverflow(int unit, int lost, double atS)
{
	lostToOverflow_ += static_cast<uint64_t>(lost);
	if (!overflowing_[unit] && !overflowedNow_[unit]) {
		overflowEvents_ += 1;
		if (onEvent)
			onEvent(UnitLostEvent(atS, unit, kUnitOverflow));
	}
	overflowedNow_[unit] = true;
}

// A lost unit is opened again with its zero reference and started with the
// others' period; its samples go on from where the others are.
void LongRunReader::reopenLost(int64_t nowMs)
{
	if (nowMs - lastReopenMs_ < kReopenPeriodMs)
		return;
	lastReopenMs_ = nowMs;
	DeviceApi &api = devices_.api();
	for (int16_t u = 0; u < kUnitCount; ++u) {
		if (!lost_[u] || !md_.Channels[u].inUse())
			continue;
		if (api.Varnel_Device_Open(u) != 0)
			continue;
		if (api.Varnel_Zero_Adj(u, md_.ZeroValue[u]) != 0 ||
				(md_.settings.TimerType != kTrue &&
						api.Varnel_Start_Sample(u, period_) != 0)) {
			api.Varnel_Device_Close(u);
			continue;
		}
		lost_[u] = false;
		md_.AveBuf[u] = AverageRecord{};
		if (onEvent)
			onEvent({secondsAt(u), u, EventKind::Reconnect, QString()});
	}
}

// The samples a lost unit missed while the others measured.
void LongRunReader::fillMissing()
{
	const int32_t newest = newestCount();
	for (int u = 0; u < kUnitCount; ++u) {
		if (!lost_[u] || !md_.Channels[u].inUse())
			continue;
		while (md_.Channels[u].DataNum < newest)
			store_.storeMissing(u);
	}
}

bool LongRunReader::anyLive() const
{
	for (int u = 0; u < kUnitCount; ++u) {
		if (md_.Channels[u].inUse() && !lost_[u])
			return true;
	}
	return false;
}

// With every unit lost, the samples they would have taken since are stored
// as missing, so that those measured after a reconnect keep their time.
// Unit-timed samples were read up to the last tick with a live unit;
// PC-timed ones up to this tick's reading, which failed.
void LongRunReader::keepTime(int64_t nowMs, Tick &tick)
{
	const int64_t held = md_.DataOffset + newestCount();
	if (anyLive()) {
		allLostSinceMs_ = -1;
		return;
	}
	if (allLostSinceMs_ < 0) {
		allLostSinceMs_ = md_.settings.TimerType == kTrue ? nowMs : lastReadMs_;
		heldWhenAllLost_ = held;
	}
	const int64_t due = heldWhenAllLost_ +
			(nowMs - allLostSinceMs_) / std::max<int64_t>(md_.settings.IntervalTM, 1);
	for (int64_t behind = due - held; behind > 0;) {
		const auto step = static_cast<int32_t>(std::min<int64_t>(behind, kRollChunk));
		makeRoom(step, tick);
		for (int u = 0; u < kUnitCount; ++u) {
			for (int32_t i = 0; i < step && md_.Channels[u].inUse(); ++i)
				store_.storeMissing(u);
		}
		behind -= step;
	}
}

// One block of every live unit; true when one of them was full, so that
// more may be waiting.
bool LongRunReader::readRound(bool averaged)
{
	bool full = false;
	for (int16_t u = 0; u < kUnitCount; ++u) {
		if (!md_.Channels[u].inUse() || lost_[u])
			continue;
		const double blockS = secondsAt(u);
		const auto block = blocks_.fetch(md_, devices_.api(), u, VARNELIO_MAX_BLOCK,
				averaged, [&](std::optional<float> value) {
					store_.storeBlockSample(u, value);
					return true;
				});
		if (block.code != 0)
			drop(u, block.code);
		if (block.lost > 0)
			countOverflow(u, block.lost,
					blockS +
							block.firstLost /
									(averaged ? md_.AverageNum
										  : 1) *
									(md_.settings.IntervalTM /
											1000.0));
		full = full || block.delivered == VARNELIO_MAX_BLOCK;
	}
	return full;
}

LongRunReader::Tick LongRunReader::readBlocks(bool averaged, int64_t nowMs)
{
	Tick tick;
	tick.firstNew = md_.SetDataMinCounter() + 1;
	keepTime(nowMs, tick);
	reopenLost(nowMs);
	overflowedNow_.fill(false);
	bool more = true;
	for (int round = 0; more && round < kMaxBlocksPerTick; ++round) {
		makeRoom(VARNELIO_MAX_BLOCK, tick);
		more = readRound(averaged);
	}
	overflowing_ = overflowedNow_;
	fillMissing();
	keepTime(nowMs, tick);
	if (anyLive())
		lastReadMs_ = nowMs;
	md_.DataCount = newestCount();
	return tick;
}

LongRunReader::Tick LongRunReader::readSingles(int64_t nowMs)
{
	Tick tick;
	tick.firstNew = md_.SetDataMinCounter() + 1;
	keepTime(nowMs, tick);
	reopenLost(nowMs);
	makeRoom(1, tick);
	const int32_t index = newestCount();
	for (int16_t u = 0; u < kUnitCount; ++u) {
		if (!md_.Channels[u].inUse() || lost_[u])
			continue;
		const SingleAverage average = ReadSingleAverage(md_, devices_, u);
		if (average.failed)
			drop(u, average.code);
		else
			store_.storeSingleSample(u, index, average.value);
	}
	fillMissing();
	keepTime(nowMs, tick);
	md_.DataCount = newestCount();
	return tick;
}

} // namespace kelvra

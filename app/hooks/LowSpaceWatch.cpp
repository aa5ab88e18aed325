#include "LowSpaceWatch.h"
#include "HookText.h"

#include <QStorageInfo>

#include <algorithm>

namespace kelvra {

namespace {

// "6時間（2.4 GB）" for a limit in time: what it means on this disk now.
QString limitText(const MinFree &limit, qint64 limitBytes)
{
	if (limit.form == MinFree::Form::Size)
		return MinFreeText(limit);
	return HookText::tr("%1（%2）").arg(MinFreeText(limit), ByteText(limitBytes));
}

} // namespace

HookEvent LowSpaceEvent(const SpaceChange &change, double timeS)
{
	const QString text = change.low ? HookText::tr("空き容量 %1 が下限 %2 を下回りました")
					: HookText::tr("空き容量 %1 が下限 %2 を上回りました");
	return {HookKind::LowSpace, -1, timeS, static_cast<double>(change.freeBytes),
			text.arg(ByteText(change.freeBytes),
					limitText(change.limit, change.limitBytes))};
}

LowSpaceWatch::FreeSpace LowSpaceWatch::DiskOf(const QString &folder)
{
	return [folder]() -> std::optional<qint64> {
		const QStorageInfo storage(folder);
		if (!storage.isValid() || !storage.isReady())
			return std::nullopt;
		return storage.bytesAvailable();
	};
}

LowSpaceWatch::LowSpaceWatch(MinFree limit, FreeSpace freeSpace)
	: limit_(limit), freeSpace_(std::move(freeSpace))
{
	timer_.setInterval(kCheckPeriodMs);
}

std::optional<SpaceChange> LowSpaceWatch::check()
{
	lastFree_ = freeSpace_();
	if (!lastFree_)
		return std::nullopt;
	const qint64 limit = limitBytes();
	const auto margin = std::max(static_cast<qint64>(static_cast<double>(limit) * kMarginShare),
			kLeastMarginBytes);
	const bool low = low_ ? *lastFree_ < limit + margin : *lastFree_ < limit;
	if (low == low_)
		return std::nullopt;
	low_ = low;
	return SpaceChange{low, *lastFree_, limit, limit_};
}

void LowSpaceWatch::start(std::function<void(const SpaceChange &)> onChange)
{
	auto checkAndTell = [this, onChange] {
		if (const std::optional<SpaceChange> change = check())
			onChange(*change);
	};
	timer_.disconnect();
	timer_.callOnTimeout(checkAndTell);
	timer_.start();
	checkAndTell();
}

QString LowSpaceWatch::stateText() const
{
	if (!lastFree_)
		return HookText::tr("空き容量 不明");
	if (!low_)
		return HookText::tr("空き %1").arg(ByteText(*lastFree_));
	return HookText::tr("空き容量不足 %1（下限 %2）")
			.arg(ByteText(*lastFree_), limitText(limit_, limitBytes()));
}

} // namespace kelvra

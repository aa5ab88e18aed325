#include "ModuleData.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace kelvra {

namespace {

const QString kBlankStartTime = QString(19, QLatin1Char(' '));

} // namespace

int32_t roundHalfEven(double value)
{
	return static_cast<int32_t>(
			std::nearbyint(value)); // default rounding mode: to nearest, ties to even
}

std::optional<double> AverageRecord::add(double reading, int32_t averageNum)
{
	if (AveCount < averageNum) {
		AveSum += reading;
		AveCount += 1;
	}
	if (AveCount < averageNum)
		return std::nullopt;
	const double mean = AveSum / averageNum;
	*this = AverageRecord{};
	return mean;
}

void ModuleData::InitDataArray()
{
	for (auto &channel : Channels)
		channel.Data.assign(kBufferLength, 0.0f);
}

void ModuleData::ClearZeroData()
{
	ZeroValue.fill(0.0);
}

void ModuleData::ClearMeasData()
{
	AllMax = RangeMax;
	AllMin = RangeMin;
	for (auto &channel : Channels) {
		channel.MaxVal = RangeMax;
		channel.MinVal = RangeMin;
		channel.DataNum = 0;
		channel.StartPos = 0;
		channel.WritePos = 0;
		channel.EndFlag = kFalse;
		std::fill(channel.Data.begin(), channel.Data.end(), kNoData);
	}
	DataCount = 0;
	DataOffset = 0;
	MeasFlag = kFalse;
	ReadTickCount = 0;
	ClearAveData();
	TrgMode = toFlag(settings.TrgMaxFlag == kTrue || settings.TrgMinFlag == kTrue);
	DataMaxNum = kBufferLength;
	TrgFirst = kFalse;
	TrgOn = kFalse;
	StartTimeStr = kBlankStartTime;
	Events.clear();
}

void ModuleData::RollBuffers(int32_t count)
{
	count = std::clamp(count, 0, DataCount);
	for (auto &channel : Channels) {
		const int32_t kept = std::max(channel.DataNum - count, 0);
		std::copy(channel.Data.begin() + (channel.DataNum - kept),
				channel.Data.begin() + channel.DataNum, channel.Data.begin());
		std::fill(channel.Data.begin() + kept, channel.Data.end(), kNoData);
		channel.DataNum = kept;
		bool first = true;
		for (int32_t j = 0; j < kept; ++j) {
			if (channel.Data[j] != kNoData) {
				channel.foldExtremes(channel.Data[j], first);
				first = false;
			}
		}
	}
	DataCount -= count;
	DataOffset += count;
	bool first = true;
	for (const auto &channel : Channels) {
		if (channel.inUse()) {
			foldAllExtremes(channel, first);
			first = false;
		}
	}
}

void ModuleData::ClearMemo()
{
	for (auto &memo : MemoStr)
		memo.clear();
}

void ModuleData::ClearAveData()
{
	AveBuf.fill(AverageRecord{});
}

void ModuleData::CalcMaxMin()
{
	bool first = true;
	for (auto &channel : Channels) {
		if (!channel.inUse())
			continue;
		for (int32_t j = 0; j < channel.DataNum && j < kBufferLength; ++j)
			channel.foldExtremes(channel.Data[j], j == 0);
		foldAllExtremes(channel, first);
		first = false;
	}
}

void ModuleData::foldAllExtremes(const ChannelRecord &channel, bool first)
{
	AllMax = first ? channel.MaxVal : std::max(AllMax, channel.MaxVal);
	AllMin = first ? channel.MinVal : std::min(AllMin, channel.MinVal);
}

void ModuleData::SetMaxMin(int32_t n)
{
	n = std::clamp(n, 1, kBufferLength);
	for (auto &channel : Channels) {
		if (!channel.inUse())
			continue;
		const float v = channel.Data[n - 1];
		if (n <= 1 || v != kNoData)
			channel.foldExtremes(v, n <= 1);
	}
}

void ModuleData::SetAllMaxMin()
{
	bool taken = false;
	for (const auto &channel : Channels) {
		if (!channel.inUse())
			continue;
		foldAllExtremes(channel, DataCount == 1 && !taken);
		taken = true;
	}
}

void ModuleData::AddAllMaxMin()
{
	for (const auto &channel : Channels) {
		if (channel.inUse())
			foldAllExtremes(channel, false);
	}
}

void ModuleData::SetRange()
{
	RangeMax = kDefaultRange;
	RangeMin = -kDefaultRange;
	if (settings.Sing <= 0)
		return;
	RangeMax = 0.0f;
	for (const auto &channel : Channels) {
		if (channel.inUse())
			RangeMax = std::max(RangeMax, std::fabs(channel.Capacity));
	}
	RangeMin = -RangeMax;
}

bool ModuleData::CheckDataMax() const
{
	return std::none_of(Channels.begin(), Channels.end(), [this](const ChannelRecord &channel) {
		return channel.inUse() && channel.DataNum >= DataMaxNum;
	});
}

template <typename Pick>
int32_t ModuleData::foldUsedCounts(Pick pick) const
{
	std::optional<int32_t> count;
	for (const auto &channel : Channels) {
		if (channel.inUse())
			count = count ? pick(*count, channel.DataNum) : channel.DataNum;
	}
	return count.value_or(0);
}

int32_t ModuleData::SetDataMaxCounter() const
{
	return foldUsedCounts([](int32_t a, int32_t b) { return std::max(a, b); });
}

int32_t ModuleData::SetDataMinCounter() const
{
	return foldUsedCounts([](int32_t a, int32_t b) { return std::min(a, b); });
}

void ModuleData::DeriveAverageNum()
{
	if (settings.DataAverage != kTrue)
		AverageNum = 1;
	else if (settings.TimerType != kFalse)
		AverageNum = 100;
	else
		AverageNum = std::max(1, roundHalfEven(settings.IntervalTM / 10.0));
}

bool ModuleData::anyUnitInUse() const
{
	return std::any_of(Channels.begin(), Channels.end(),
			[](const ChannelRecord &channel) { return channel.inUse(); });
}

QString ModuleData::GetSingStr() const
{
	return kelvra::GetSingStr(settings.Sing);
}

QString FormatValue(float value)
{
	const QString text = QString::number(static_cast<double>(value), 'f', 3);
	return text.size() >= 10 ? text : text.rightJustified(10, QLatin1Char(' '));
}

QString GetSingStr(int16_t sing)
{
	switch (sing) {
	case 0:
		return QStringLiteral(QT_TRANSLATE_NOOP("Units", "μひずみ"));
	case 1:
		return QStringLiteral("kgf");
	case 2:
		return QStringLiteral("tf");
	case 3:
		return QStringLiteral("N");
	case 4:
		return QStringLiteral("KN");
	case 5:
		return QStringLiteral("MN");
	default:
		return {};
	}
}

QString GetPowerSingStr(int16_t powerSing)
{
	switch (powerSing) {
	case 0:
		return QStringLiteral("mV/V");
	case 1:
		return QStringLiteral(QT_TRANSLATE_NOOP("Units", "μひずみ"));
	default:
		return {};
	}
}

QString ShownUnitText(const QString &unit)
{
	return QCoreApplication::translate("Units", unit.toUtf8().constData());
}

} // namespace kelvra

#include "RecordingSpace.h"

#include <QCoreApplication>
#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace kelvra {

namespace {

constexpr double kMinimumRecordingSeconds = 60.0;

} // namespace

double RecordingBytesPerSecond(const ModuleData &md)
{
	const auto units = std::count_if(md.Channels.begin(), md.Channels.end(),
			[](const ChannelRecord &c) { return c.inUse(); });
	return static_cast<double>(units) * kRecordingBytesPerSample /
			std::max(md.settings.IntervalTM / 1000.0, 0.001);
}

double SecondsOfSpace(const ModuleData &md, qint64 bytesFree)
{
	const double bytesPerSecond = RecordingBytesPerSecond(md);
	return bytesPerSecond > 0.0 ? static_cast<double>(bytesFree) / bytesPerSecond : 0.0;
}

QString SpanText(double seconds)
{
	const auto minutes = static_cast<qint64>(seconds / 60.0);
	const qint64 days = minutes / (24 * 60);
	const qint64 hours = minutes / 60 % 24;
	if (days > 0)
		return QCoreApplication::translate("LongRecording", "%1日 %2時間")
				.arg(days)
				.arg(hours);
	if (hours > 0)
		return QCoreApplication::translate("LongRecording", "%1時間 %2分")
				.arg(hours)
				.arg(minutes % 60);
	return QCoreApplication::translate("LongRecording", "%1分").arg(minutes);
}

std::optional<qint64> FreeSpace(const QString &folder)
{
	const QStorageInfo storage(folder);
	if (!storage.isValid() || !storage.isReady())
		return std::nullopt;
	return storage.bytesAvailable();
}

QString CheckRecordingSpace(const ModuleData &md, const QString &folder)
{
	const auto free = md.anyUnitInUse() ? FreeSpace(folder) : std::nullopt;
	if (!free || SecondsOfSpace(md, *free) >= kMinimumRecordingSeconds)
		return {};
	return QCoreApplication::translate("LongRecording",
			"%1 の空き容量 (%2 バイト) では、この測定間隔で1分も記録できません。"
			"記録を始めません。")
			.arg(QDir::toNativeSeparators(folder))
			.arg(*free);
}

} // namespace kelvra

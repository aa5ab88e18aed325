#include "LongRecording.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <cmath>

namespace kelvra {

namespace {

const QString kStartTimeFormat = QStringLiteral("yyyy/M/d H:m:s");

int unitsInUse(const ModuleData &md)
{
	return static_cast<int>(std::count_if(md.Channels.begin(), md.Channels.end(),
			[](const ChannelRecord &c) { return c.inUse(); }));
}

} // namespace

double SecondsOfSpace(const ModuleData &md, qint64 bytesFree)
{
	const double bytesPerSecond = unitsInUse(md) * LongRecording::kBytesPerSample /
			std::max(md.IntervalTM / 1000.0, 0.001);
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

LongRecording::LongRecording(QString target, bool isFolder, SplitPeriod split)
	: target_(std::move(target)), isFolder_(isFolder), split_(split)
{
	clock_.start();
	nowMs = [this] { return clock_.elapsed(); };
}

LongRecording::~LongRecording() = default;

QString LongRecording::baseNameAt(const QDateTime &start) const
{
	if (!isFolder_)
		return target_.endsWith(QStringLiteral(".kvr"), Qt::CaseInsensitive)
				? target_.chopped(4)
				: target_;
	return QDir(target_).filePath(QStringLiteral("kelvra-") +
			start.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

void LongRecording::runStarted(const ModuleData &md)
{
	QDateTime start = QDateTime::fromString(md.StartTimeStr, kStartTimeFormat);
	if (!start.isValid())
		start = QDateTime::currentDateTime();
	pending_ = {};
	toldFailures_ = 0;
	toldLowSpace_ = false;
	RecordingHeader header = RecordingHeaderOf(md, start, split_);
	for (qsizetype i = 0; i < qsizetype(header.MemoStr.size()); ++i)
		header.MemoStr[i] = memoLines_.value(i);
	writer_ = std::make_unique<RecordingWriter>();
	store_ = std::make_unique<RecordingStore>(
			std::move(header), baseNameAt(start), *writer_, nowMs());
	lastSpaceCheckMs_ = nowMs() - kSpaceCheckPeriodMs;
}

bool LongRecording::limitReached(const ModuleData &md) const
{
	if (sampleLimit_ == 0)
		return false;
	for (int u = 0; u < kUnitCount; ++u) {
		if (md.Channels[u].inUse() && taken_[u] < sampleLimit_)
			return false;
	}
	return true;
}

void LongRecording::sampleStored(int unit, std::optional<float> value)
{
	if (!store_ || (sampleLimit_ > 0 && taken_[unit] >= sampleLimit_))
		return;
	taken_[unit] += 1;
	Pending &p = pending_[unit];
	if (!value) {
		p.missing += 1;
		return;
	}
	if (p.missing > 0) {
		store_->add(unit, p.values.data(), p.values.size());
		store_->skip(unit, p.missing);
		p.values.clear();
		p.missing = 0;
	}
	p.values.push_back(*value);
}

void LongRecording::handOver()
{
	for (int u = 0; u < kUnitCount; ++u) {
		Pending &p = pending_[u];
		store_->add(u, p.values.data(), p.values.size());
		store_->skip(u, p.missing);
		p.values.clear();
		p.missing = 0;
	}
}

void LongRecording::tickDone(const ModuleData &md)
{
	if (!store_)
		return;
	handOver();
	const int64_t now = nowMs();
	store_->tick(now);
	checkDisk(md, now);
}

void LongRecording::checkDisk(const ModuleData &md, int64_t now)
{
	if (writer_->failures() > toldFailures_ && toldFailures_ == 0 && onNotice)
		onNotice(QCoreApplication::translate("LongRecording",
				"記録ファイルに書き込めません（%1）。測定は続けます。"
				"書き込めるようになれば、新しいファイルで記録を続けます。")
						.arg(writer_->error()));
	toldFailures_ = writer_->failures();
	if (toldLowSpace_ || now - lastSpaceCheckMs_ < kSpaceCheckPeriodMs)
		return;
	lastSpaceCheckMs_ = now;
	const auto free = FreeSpace(QFileInfo(currentFile()).absolutePath());
	if (free && SecondsOfSpace(md, *free) < 3600.0) {
		toldLowSpace_ = true;
		if (onNotice)
			onNotice(QCoreApplication::translate("LongRecording",
					"記録フォルダの空き容量が残り1時間分を切りました。"));
	}
}

void LongRecording::eventHappened(const ModuleData &md, const RunEvent &event)
{
	(void)md;
	if (store_)
		store_->event(event);
}

void LongRecording::runEnded(const ModuleData &md)
{
	(void)md;
	if (!store_)
		return;
	handOver();
	lastFile_ = store_->currentFile();
	store_.reset(); // ends the part
	writer_->finish();
}

QString LongRecording::currentFile() const
{
	return store_ ? store_->currentFile() : lastFile_;
}

bool LongRecording::lostToDisk() const
{
	return writer_ && writer_->failures() > 0;
}

QString LongRecording::diskError() const
{
	return writer_ ? writer_->error() : QString();
}

} // namespace kelvra

#include "LongRecording.h"

#include "RecordingReader.h"
#include "core/RunClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace kelvra {

namespace {

int partNumberOf(const QString &baseName, const QString &file)
{
	const QString suffix = file.mid(baseName.size()); // ".kvr" or "-001.kvr"
	return suffix.startsWith(QLatin1Char('-')) ? suffix.mid(1).chopped(4).toInt() : 0;
}

// A hidden file beside the recording says who writes it; a lock left by a
// program that died is taken over.
std::unique_ptr<QLockFile> lockOf(const QString &baseName)
{
	const QFileInfo base(baseName);
	auto lock = std::make_unique<QLockFile>(base.absoluteDir().filePath(
			QLatin1Char('.') + base.fileName() + QStringLiteral(".lock")));
	lock->setStaleLockTime(0); // a week-long recording holds it for a week
	return lock;
}

// The run's start to the millisecond, unless the state's start time says otherwise.
QDateTime startOf(const ModuleData &md)
{
	const QDateTime now = QDateTime::currentDateTime();
	const QDateTime start = StartTimeOf(md.StartTimeStr);
	return start.isValid() && std::abs(start.secsTo(now)) > 2 ? start : now;
}

} // namespace

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
	pending_ = {};
	taken_.fill(0);
	toldFailures_ = 0;
	toldLowSpace_ = false;
	writer_ = std::make_unique<RecordingWriter>();
	if (resume_)
		goOn(*resume_);
	else
		begin(md);
	lastSpaceCheckMs_ = nowMs() - kSpaceCheckPeriodMs;
}

bool LongRecording::BeingWritten(const QString &baseName)
{
	const auto probe = lockOf(baseName);
	return !probe->tryLock(0) && probe->error() == QLockFile::LockFailedError;
}

void LongRecording::lock()
{
	lock_ = lockOf(baseName_);
	lock_->tryLock(0);
}

void LongRecording::begin(const ModuleData &md)
{
	const QDateTime start = startOf(md);
	RecordingHeader header = RecordingHeaderOf(md, start, split_);
	for (qsizetype i = 0; i < qsizetype(header.MemoStr.size()); ++i)
		header.MemoStr[i] = memoLines_.value(i);
	baseName_ = baseNameAt(start);
	lock();
	store_ = std::make_unique<RecordingStore>(std::move(header), baseName_, *writer_, nowMs());
	firstFile_ = store_->currentFile();
	outageS_.reset();
	shiftS_ = 0.0;
}

void LongRecording::goOn(const ResumePoint &point)
{
	const uint64_t first = ResumeSample(point, QDateTime::currentDateTime());
	const double intervalS = point.header.intervalS;
	RecordingHeader header = point.header;
	header.firstSample = point.earliestEnd();
	baseName_ = point.baseName;
	lock();
	store_ = std::make_unique<RecordingStore>(std::move(header), baseName_, *writer_, nowMs(),
			RecordingStore::Continuation{point.nextPart, point.unitEnds});
	for (int u = 0; u < kUnitCount; ++u)
		store_->skip(u, first - std::min(first, point.unitEnds[u]));
	firstFile_ = point.firstFile;
	outageS_ = static_cast<double>(first - point.end()) * intervalS;
	shiftS_ = static_cast<double>(first) * intervalS;
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

void LongRecording::setSampleLimit(uint64_t samples)
{
	sampleLimit_ = samples;
	for (int u = 0; u < kUnitCount && samples > 0; ++u) {
		Pending &p = pending_[u];
		for (; taken_[u] > samples && (p.missing > 0 || !p.values.empty()); --taken_[u]) {
			if (p.missing > 0)
				p.missing -= 1;
			else
				p.values.pop_back();
		}
	}
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
	if (!store_)
		return;
	RunEvent shifted = event;
	shifted.timeS += shiftS_;
	store_->event(shifted);
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
	lock_.reset();
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

// By the part numbers from the run's first file to its last, so that the
// parts of an earlier run of the same name are left out.
LongRecording::OnDisk LongRecording::onDisk() const
{
	OnDisk found;
	const int last = partNumberOf(baseName_, currentFile());
	for (int number = partNumberOf(baseName_, firstFile_);
			!firstFile_.isEmpty() && number <= last; ++number) {
		const QString file = RecordingPartFile(baseName_, number);
		if (QFileInfo(file).size() > 0)
			found.files << file;
	}
	for (const QString &file : found.files) {
		QString error;
		const auto reader = RecordingReader::open(file, &error);
		for (int u = 0; reader && u < kUnitCount; ++u)
			found.samples = std::max(found.samples, reader->sampleCount(u));
		if (found.samples > 0) {
			found.first = file;
			break;
		}
	}
	return found;
}

} // namespace kelvra

#include "RunJournal.h"

#include "JournalFormat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>

namespace kelvra {

namespace {

const QString kJournalFailedText =
		QStringLiteral("測定データの控えを書き込めません。測定は続けますが、異常終了したときは復元できません。\n%1");

// Named by the start time, so that names sort as the runs began.
QString newJournalName(const QString &folder)
{
	const QString stem = QDir(folder).filePath(QStringLiteral("run-%1-%2")
	                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")))
	                .arg(QCoreApplication::applicationPid()));
	for (int n = 0;; ++n) {
		const QString name = stem + QStringLiteral("-%1.kvj").arg(n, 3, 10, QLatin1Char('0'));
		if (!QFile::exists(name) && !QFile::exists(name + QStringLiteral(".lock")))
			return name;
	}
}

} // namespace

QString JournalFolder()
{
	// The window's AppLocalDataLocation, named so that kelvra-cli, which has
	// an application name of its own, finds the same folder.
	return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
			QStringLiteral("/Kelvra/journals");
}

std::unique_ptr<QLockFile> JournalLock(const QString &journalFile)
{
	auto lock = std::make_unique<QLockFile>(journalFile + QStringLiteral(".lock"));
	lock->setStaleLockTime(0); // only a lock whose process has gone is stale, however old
	return lock;
}

RunJournal::RunJournal(Prompt &prompt, QString folder) : prompt_(prompt), folder_(std::move(folder))
{
	tick_.reserve(8 + 5 + kUnitCount * 128 * 5);
}

RunJournal::~RunJournal()
{
	writer_.reset(); // writes out what is pending
}

void RunJournal::setMemoLines(const QStringList &lines)
{
	for (int i = 0; i < static_cast<int>(memo_.size()); ++i)
		memo_[i] = lines.value(i);
}

void RunJournal::runStarted(const ModuleData &md)
{
	Discard();
	failure_.clear();
	failureTold_ = false;
	lastDataCount_ = 0;
	tickBegin_ = -1;
	tick_.resize(0);

	// The lock comes first, so no other instance ever sees the journal unlocked.
	fileName_ = newJournalName(folder_);
	lock_ = JournalLock(fileName_);
	if (!QDir().mkpath(folder_) || !lock_->tryLock(0)) {
		noticeFailure(QStringLiteral("cannot create a journal in %1").arg(folder_));
		tellFailureSoon();
		fileName_.clear(); // there is none to point the user to
		running_ = true;
		return;
	}
	writer_ = std::make_unique<JournalWriter>(fileName_);
	JournalHeader header = HeaderOfRun(md);
	header.MemoStr = memo_;
	header.sampleLimit = sampleLimit_;
	QByteArray bytes;
	AppendHeaderRecord(bytes, header);
	writer_->append(bytes);
	if (writer_->failed()) {
		noticeFailure(writer_->error());
		tellFailureSoon();
	}
	running_ = true;
}

void RunJournal::sampleStored(int unit, std::optional<float> value)
{
	if (!writer_)
		return;
	if (tickBegin_ < 0)
		tickBegin_ = BeginTickRecord(tick_);
	AddTickSample(tick_, unit, value);
}

void RunJournal::finishTick(const ModuleData &md)
{
	if (!writer_ || (tickBegin_ < 0 && md.DataCount == lastDataCount_))
		return;
	if (tickBegin_ < 0)
		tickBegin_ = BeginTickRecord(tick_);
	FinishTickRecord(tick_, tickBegin_, md.DataCount);
	writer_->append(tick_);
	tick_.resize(0); // keeps its room for the next tick
	tickBegin_ = -1;
	lastDataCount_ = md.DataCount;
	if (writer_->failed())
		noticeFailure(writer_->error());
}

void RunJournal::tickDone(const ModuleData &md)
{
	finishTick(md);
}

void RunJournal::runEnded(const ModuleData &md)
{
	if (!running_) {
		Discard(); // a start that failed before sampling has cleared the data
		return;
	}
	running_ = false;
	finishTick(md);
	if (md.DataCount < 1) {
		Discard(); // nothing to recover
	} else if (writer_) {
		QByteArray bytes;
		AppendEndRecord(bytes, md.StartTimeStr);
		writer_->append(bytes);
	}
	tellFailure();
}

void RunJournal::Discard()
{
	running_ = false;
	if (writer_)
		writer_->abandon(); // the data go: nothing waits for the disk
	writer_.reset();
	if (!fileName_.isEmpty() && lock_ && lock_->isLocked())
		QFile::remove(fileName_);
	lock_.reset(); // unlocking removes the lock file
	fileName_.clear();
}

bool RunJournal::Adopt(const QString &journalFile)
{
	Discard();
	auto lock = JournalLock(journalFile);
	if (!lock->tryLock(0))
		return false;
	lock_ = std::move(lock);
	fileName_ = journalFile;
	return true;
}

// Told on standard error at once; the box waits for the end of the run, as a
// modal box during a run would hold up its ticks.
void RunJournal::noticeFailure(const QString &reason)
{
	if (!failure_.isEmpty())
		return;
	failure_ = reason;
	if (echo_) {
		std::fprintf(stderr, "kelvra: the run journal cannot be written (%s); the run goes on, "
		                     "but cannot be recovered after a crash\n",
				reason.toLocal8Bit().constData());
		std::fflush(stderr);
	}
}

void RunJournal::tellFailure()
{
	if (failure_.isEmpty() || failureTold_ || running_)
		return;
	failureTold_ = true;
	showFailure();
}

void RunJournal::tellFailureSoon()
{
	// Once the run has started: a box shown now would hold up its first samples.
	failureTold_ = true;
	QMetaObject::invokeMethod(&context_, [this] { showFailure(); }, Qt::QueuedConnection);
}

void RunJournal::showFailure()
{
	prompt_.message(kJournalFailedText.arg(failure_), kMessageTitle, Prompt::Icon::None);
}

} // namespace kelvra

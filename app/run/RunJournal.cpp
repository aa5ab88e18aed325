#include "RunJournal.h"

#include "JournalFormat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>

namespace kelvra {

namespace {

const char *const kJournalFailedText = QT_TRANSLATE_NOOP("RunJournal",
		"測定データの控えを書き込めません。測定は続けますが、異常終了したときは復元できません。\n%1");
const char *const kJournalEndFailedText = QT_TRANSLATE_NOOP("RunJournal",
		"測定データの控えを最後まで書き込めませんでした。保存しないまま異常終了したときは、最後の部分を復元できません。\n%1");

// Named by the start time, so that names sort as the runs began.
QString newJournalName(const QString &folder)
{
	const QString stem = QDir(folder).filePath(
			QStringLiteral("run-%1-%2")
					.arg(QDateTime::currentDateTime().toString(
							QStringLiteral("yyyyMMdd-HHmmss-zzz")))
					.arg(QCoreApplication::applicationPid()));
	for (int n = 0;; ++n) {
		const QString name =
				stem + QStringLiteral("-%1.kvj").arg(n, 3, 10, QLatin1Char('0'));
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
	lastWrites_.setInterval(100);
	QObject::connect(&lastWrites_, &QTimer::timeout, &context_, [this] { watchLastWrites(); });
}

RunJournal::~RunJournal()
{
	// The program ends: standard error is all that is left to tell a failure on.
	if (writer_ && !writer_->flush())
		noticeFailure(writer_->error());
	writer_.reset();
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
	waitingBytes_ = 0;
	ringBytes_ = 0;
	tickBegin_ = -1;
	tick_.resize(0);
	events_.clear();

	// The lock comes first, so no other instance ever sees the journal unlocked.
	fileName_ = newJournalName(folder_);
	lock_ = JournalLock(fileName_);
	if (!QDir().mkpath(folder_) || !lock_->tryLock(0)) {
		noticeFailure(QCoreApplication::translate(
				"RunJournal", "%1 に測定データの控えを作成できません")
						.arg(folder_));
		tellFailureSoon();
		fileName_.clear(); // there is none to point the user to
		running_ = true;
		return;
	}
	writer_ = std::make_unique<JournalWriter>(fileName_);
	JournalHeader header = HeaderOfRun(md);
	header.MemoStr = memo_;
	header.sampleLimit = sampleLimit_;
	header_.clear();
	AppendHeaderRecord(header_, header);
	writer_->append(header_);
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
	const bool waiting = md.TrgMode == kTrue && md.TrgOn != kTrue;
	waitingBytes_ += waiting ? tick_.size() : 0;
	tick_.resize(0); // keeps its room for the next tick
	tickBegin_ = -1;
	lastDataCount_ = md.DataCount;
	if (waiting && waitingBytes_ >= std::max(kWaitingBytes, ringBytes_))
		startAfreshWithRings(md);
	if (writer_->failed())
		noticeFailure(writer_->error());
}

// The rings hold all that a later trigger can take of the samples so far,
// so they take the place of the waiting ticks that stored them.
void RunJournal::startAfreshWithRings(const ModuleData &md)
{
	QByteArray bytes = header_;
	AppendRingRecord(bytes, RingOfRun(md));
	bytes.append(events_);
	ringBytes_ = bytes.size();
	waitingBytes_ = 0;
	writer_->replace(bytes);
}

void RunJournal::tickDone(const ModuleData &md)
{
	finishTick(md);
}

void RunJournal::eventHappened(const ModuleData &, const RunEvent &event)
{
	if (!writer_ || !running_)
		return;
	const qsizetype begin = events_.size();
	AppendEventRecord(events_, event);
	writer_->append(events_.sliced(begin));
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
		lastWrites_.start();
	}
	tellFailure();
}

bool RunJournal::Flush()
{
	if (writer_ && !writer_->flush())
		noticeFailure(writer_->error());
	return failure_.isEmpty() && writer_ != nullptr;
}

void RunJournal::Discard()
{
	running_ = false;
	lastWrites_.stop();
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

// The writes after the end of the run are watched until they are on the
// disk, so that their failure is told too; the window never waits for them.
void RunJournal::watchLastWrites()
{
	if (writer_ && !writer_->settled())
		return;
	lastWrites_.stop();
	if (writer_ && writer_->failed()) {
		noticeFailure(writer_->error());
		tellFailure();
	}
}

// Told on standard error at once; the box waits for the end of the run, as a
// modal box during a run would hold up its ticks.
void RunJournal::noticeFailure(const QString &reason)
{
	if (!failure_.isEmpty())
		return;
	failure_ = reason;
	failedRunning_ = running_;
	if (echo_) {
		std::fprintf(stderr, "kelvra: the run journal cannot be written (%s); %s\n",
				reason.toLocal8Bit().constData(),
				running_ ? "the run goes on, but cannot be recovered after a crash"
					 : "its last part cannot be recovered after a crash");
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
	failedRunning_ = true;
	QMetaObject::invokeMethod(
			&context_, [this] { showFailure(); }, Qt::QueuedConnection);
}

void RunJournal::showFailure()
{
	const QString &text = failedRunning_
			? QCoreApplication::translate("RunJournal", kJournalFailedText)
			: QCoreApplication::translate("RunJournal", kJournalEndFailedText);
	prompt_.message(text.arg(failure_), kMessageTitle, Prompt::Icon::None);
}

} // namespace kelvra

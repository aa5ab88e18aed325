#include "HookRunner.h"
#include "HookText.h"

#include <csignal>
#include <unistd.h>
#include <utility>

namespace kelvra {

namespace {

QString reportText(const HookReport &report)
{
	const QString kind = HookKindName(report.cause.kind);
	switch (report.end) {
	case HookReport::End::Exited:
		return HookText::tr("%1 のフック: 終了コード %2").arg(kind).arg(report.exitStatus);
	case HookReport::End::NotStarted:
		return HookText::tr("%1 のフックを起動できません").arg(kind);
	case HookReport::End::Crashed:
		return HookText::tr("%1 のフックが異常終了しました").arg(kind);
	case HookReport::End::Killed:
		return HookText::tr("%1 のフックを %2 秒で打ち切りました")
				.arg(kind)
				.arg(report.timeLimitMs / 1000.0);
	case HookReport::End::Stopped:
		return HookText::tr("%1 のフックを止めました").arg(kind);
	case HookReport::End::Dropped:
		break;
	}
	return HookText::tr("待ち行列が満杯のため %1 件のイベントでフックを実行しませんでした")
			.arg(report.dropped);
}

// One line of plain text for the event lists and the recording.
QString plainLine(QString line)
{
	for (QChar &c : line) {
		if (c.category() == QChar::Other_Control)
			c = u' ';
	}
	return line.trimmed();
}

} // namespace

HookEvent ReportEvent(const HookReport &report)
{
	HookEvent event;
	event.timeS = report.timeS;
	event.text = reportText(report);
	if (report.end == HookReport::End::Dropped) {
		event.kind = HookKind::HooksDropped;
		event.value = report.dropped;
		return event;
	}
	event.kind = HookKind::Hook;
	event.unit = report.cause.unit;
	if (report.end == HookReport::End::Exited)
		event.value = report.exitStatus;
	if (!report.firstLine.isEmpty())
		event.text = HookText::tr("%1「%2」").arg(event.text, report.firstLine);
	return event;
}

HookRunner::HookRunner(HookCommand command, HookKinds kinds)
	: command_(std::move(command)), kinds_(kinds)
{
	age_.start();
	nowS = [this] { return age_.elapsed() / 1000.0; };
	startSoon_.setSingleShot(true);
	startSoon_.setInterval(0);
	startSoon_.callOnTimeout([this] { startNext(); });
	timeLimit_.setSingleShot(true);
	timeLimit_.callOnTimeout([this] {
		killedAs_ = HookReport::End::Killed;
		killGroup();
	});
}

HookRunner::~HookRunner()
{
	if (process_ == nullptr)
		return;
	process_->disconnect();
	killGroup();
	// The run is over: reaping the killed hook takes a moment, and a
	// QProcess destroyed running would wait for it anyway.
	process_->waitForFinished(1000);
	delete process_;
}

void HookRunner::notify(const HookEvent &event)
{
	if (!kinds_.has(event.kind))
		return;
	if (queue_.size() >= kQueueLimit) {
		dropped_ += 1;
		return;
	}
	queue_.push_back(event);
	if (process_ == nullptr)
		startSoon_.start();
}

void HookRunner::stop()
{
	queue_.clear();
	dropped_ = 0;
	if (process_ != nullptr) {
		killedAs_ = HookReport::End::Stopped;
		killGroup();
	}
}

void HookRunner::startNext()
{
	if (process_ != nullptr)
		return;
	if (queue_.empty()) {
		if (dropped_ > 0)
			reportDropped();
		if (onIdle)
			onIdle();
		return;
	}
	cause_ = queue_.front();
	queue_.pop_front();
	decoder_ = QStringDecoder(QStringDecoder::Utf8);
	firstLine_.clear();
	lineDone_ = false;
	killedAs_.reset();

	process_ = new QProcess;
	process_->setProgram(command_.program);
	process_->setArguments(command_.arguments);
	process_->setProcessEnvironment(HookEnvironment(cause_, recording_));
	process_->setProcessChannelMode(QProcess::MergedChannels);
	process_->setStandardInputFile(QProcess::nullDevice());
	// A group of its own, so that the time limit ends what the hook started
	// too, and Ctrl+C at the terminal leaves a hook to finish its work.
	process_->setChildProcessModifier([] { ::setpgid(0, 0); });
	QObject::connect(process_, &QProcess::readyReadStandardOutput, process_,
			[this] { readOutput(); });
	QObject::connect(process_, &QProcess::finished, process_,
			[this](int code, QProcess::ExitStatus status) { exited(code, status); });
	QObject::connect(process_, &QProcess::errorOccurred, process_,
			[this](QProcess::ProcessError e) {
				if (e == QProcess::FailedToStart)
					notStarted();
			});
	timeLimit_.start(timeLimitMs_);
	process_->start();
}

void HookRunner::readOutput()
{
	// QProcess takes all the pipe holds into its buffer: read it all, even
	// once the line is complete, so that a flood never piles up there.
	const QByteArray chunk = process_->readAll();
	if (lineDone_)
		return;
	const QString text = decoder_(chunk);
	const qsizetype end = text.indexOf(u'\n');
	firstLine_ += end < 0 ? text : text.left(end);
	if (end >= 0 || firstLine_.size() >= kFirstLineChars) {
		firstLine_.truncate(kFirstLineChars);
		lineDone_ = true;
	}
}

void HookRunner::exited(int exitCode, QProcess::ExitStatus status)
{
	readOutput();
	HookReport report;
	report.end = killedAs_                          ? *killedAs_
			: status == QProcess::CrashExit ? HookReport::End::Crashed
							: HookReport::End::Exited;
	report.exitStatus = status == QProcess::NormalExit ? exitCode : 0;
	report.firstLine = plainLine(firstLine_);
	finish(report);
}

void HookRunner::notStarted()
{
	HookReport report;
	report.end = HookReport::End::NotStarted;
	report.firstLine = plainLine(process_->errorString());
	finish(report);
}

void HookRunner::reportDropped()
{
	HookReport report;
	report.end = HookReport::End::Dropped;
	report.dropped = std::exchange(dropped_, 0);
	report.timeS = nowS();
	if (onReport)
		onReport(report);
}

void HookRunner::killGroup()
{
	const qint64 pid = process_->processId();
	if (pid > 0)
		::kill(static_cast<pid_t>(-pid), SIGKILL);
	process_->kill(); // the hook itself, should it have left its group
}

void HookRunner::finish(HookReport report)
{
	timeLimit_.stop();
	process_->disconnect();
	process_->deleteLater();
	process_ = nullptr;
	report.cause = cause_;
	report.timeS = nowS();
	report.timeLimitMs = timeLimitMs_;
	if (onReport)
		onReport(report);
	startSoon_.start();
}

} // namespace kelvra

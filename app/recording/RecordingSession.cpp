#include "RecordingSession.h"

#include "run/EventText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cmath>

namespace kelvra {

QString RecordedTimeText(double seconds)
{
	const auto s = static_cast<qint64>(std::floor(seconds));
	const QString clock = QStringLiteral("%1:%2:%3")
					      .arg(s / 3600 % 24, 2, 10, QLatin1Char('0'))
					      .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
					      .arg(s % 60, 2, 10, QLatin1Char('0'));
	return s >= 86400 ? QCoreApplication::translate("kelvra::RecordingSession", "%1日 ")
							.arg(s / 86400) +
					clock
			  : clock;
}

RecordingSession::RecordingSession(ModuleData &md, RunControl &run, RunView &view, Prompt &prompt,
		RunRecorder &usual, RunRecorder &watch, QObject *parent)
	: QObject(parent), md_(md), run_(run), view_(view), prompt_(prompt), usual_(usual),
	  watch_(watch)
{
	connect(&run_, &RunControl::tickDone, this, &RecordingSession::tickDone);
	connect(&run_, &RunControl::runEnded, this, &RecordingSession::runEnded);
	connect(&run_, &RunControl::eventAdded, this, &RecordingSession::eventAdded);
}

bool RecordingSession::start(const QStringList &memoLines)
{
	recording_ = std::make_unique<LongRecording>(
			md_.LongRecord.folder, true, md_.LongRecord.split);
	recording_->setMemoLines(memoLines);
	recording_->onNotice = [this](const QString &text) { tellLater(text); };
	// The limit check first: the events of a tick reach the file before its samples are due.
	chain_ = RecorderChain();
	chain_.add(&watch_);
	chain_.add(recording_.get());
	captures_.reset();
	if (md_.LongRecord.repeatTrigger && (md_.TrgMaxFlag == kTrue || md_.TrgMinFlag == kTrue)) {
		captures_ = std::make_unique<RepeatedCapture>(md_.LongRecord.folder);
		captures_->onFailed = [this](const QString &text) {
			tellLater(QCoreApplication::translate("kelvra::RecordingSession",
						  "トリガの取込データを保存できません。\n") +
					text);
		};
		captures_->onTrigger = [this](const RunEvent &event) { run_.addEvent(event); };
		chain_.add(captures_.get());
	}
	run_.setRecorder(&chain_);
	run_.setLongRun(true);
	shownHeader_.clear();
	run_.startRun();
	return md_.MeasFlag == kTrue;
}

QString RecordingSession::currentFile() const
{
	return recording_ ? recording_->currentFile() : QString();
}

void RecordingSession::tickDone()
{
	if (!run_.longRun() || !recording_)
		return;
	const double seconds = static_cast<double>(md_.DataOffset + md_.DataCount) *
			md_.IntervalTM / 1000.0;
	QString header = QCoreApplication::translate(
			"kelvra::RecordingSession", "記録中 [ %1 ]  記録時間 %2")
					 .arg(QFileInfo(recording_->currentFile()).fileName(),
							 RecordedTimeText(seconds));
	if (captures_)
		header += QCoreApplication::translate(
				"kelvra::RecordingSession", "  トリガ取込 %1 件")
					  .arg(captures_->saved());
	if (header != shownHeader_)
		view_.SetHeaderText(header);
	shownHeader_ = header;
}

void RecordingSession::runEnded()
{
	if (!run_.longRun())
		return;
	run_.setLongRun(false);
	run_.setRecorder(&usual_);
}

void RecordingSession::eventAdded(const RunEvent &event)
{
	if (!run_.longRun())
		return;
	if (event.kind == EventKind::Dropout)
		tellLater(QCoreApplication::translate("kelvra::RecordingSession",
				"ID%1 との通信が途絶えました（%2）。再び接続されるまで、"
				"このユニットのデータは欠けます。記録は続けます。")
						.arg(event.unit)
						.arg(EventDetailText(event)));
}

// Not inside the tick: the box waits while the run goes on.
void RecordingSession::tellLater(const QString &text)
{
	QTimer::singleShot(0, this,
			[this, text] { prompt_.message(text, kMessageTitle, Prompt::Icon::None); });
}

} // namespace kelvra

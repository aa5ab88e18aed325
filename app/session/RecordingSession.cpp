#include "RecordingSession.h"

#include "files/RecordingSpace.h"
#include "hooks/MinFree.h"
#include "run/EventText.h"
#include "settings/LongRecordEntries.h"

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
		RunAssembly &assembly, QObject *parent)
	: QObject(parent), md_(md), run_(run), view_(view), prompt_(prompt), assembly_(assembly)
{
	connect(&run_, &RunControl::tickDone, this, &RecordingSession::tickDone);
	connect(&run_, &RunControl::runEnded, this, &RecordingSession::runEnded);
	connect(&run_, &RunControl::eventAdded, this, &RecordingSession::eventAdded);
	assembly_.onRecordingNotice = [this](const QString &text) { tellLater(text); };
	assembly_.onCaptureFailed = [this](const QString &text) {
		tellLater(QCoreApplication::translate("kelvra::RecordingSession",
					  "トリガの取込データを保存できません。\n") +
				text);
	};
}

RecordingSession::~RecordingSession()
{
	dropUnattended();
}

bool RecordingSession::start(const QStringList &memoLines)
{
	if (!addUnattended())
		return false;
	RunPlan plan;
	plan.longRecording = true;
	plan.target = md_.LongRecord.folder;
	plan.targetIsFolder = true;
	plan.split = md_.LongRecord.split;
	plan.repeatTrigger = md_.LongRecord.repeatTrigger;
	plan.memoLines = memoLines;
	assembly_.assemble(plan);
	shownHeader_.clear();
	lowSpaceBytes_.reset();
	run_.startRun();
	return md_.MeasFlag == kTrue;
}

// The hooks and the status page of the settings, guests of the coming run;
// false when the settings or the page's address refuse (told).
bool RecordingSession::addUnattended()
{
	dropUnattended();
	const UnattendedCheck check = CheckUnattended(md_.LongRecord);
	if (!check.options) {
		prompt_.message(check.message, kErrorTitle, Prompt::Icon::Error);
		return false;
	}
	const UnattendedOptions &o = *check.options;
	const auto file = [this] { return QFileInfo(currentFile()).absoluteFilePath(); };
	if (o.serve) {
		statusPage_ = std::make_unique<RunStatusPage>(*o.serve,
				assembly_.limits().monitor(), file, md_.LongRecord.folder);
		if (QString error; !statusPage_->start(error)) {
			statusPage_.reset();
			prompt_.message(error, kErrorTitle, Prompt::Icon::Error);
			return false;
		}
		assembly_.addGuest(statusPage_.get());
	}
	if (o.command || o.minFree) {
		hooks_ = std::make_unique<RunHooks>(
				RunHookOptions{o.command, o.kinds, o.minFree}, run_, file);
		hooks_->watchSpace(md_.LongRecord.folder, RecordingBytesPerSecond(md_));
		assembly_.addGuest(hooks_.get());
	}
	return true;
}

void RecordingSession::dropUnattended()
{
	assembly_.removeGuest(hooks_.get());
	assembly_.removeGuest(statusPage_.get());
	hooks_.reset();
	statusPage_.reset();
}

QString RecordingSession::statusUrl() const
{
	return statusPage_ ? statusPage_->url() : QString();
}

QString RecordingSession::currentFile() const
{
	return assembly_.recording() ? assembly_.recording()->currentFile() : QString();
}

void RecordingSession::tickDone()
{
	const LongRecording *recording = assembly_.recording();
	if (!run_.longRun() || !recording)
		return;
	const double seconds = static_cast<double>(md_.DataOffset + md_.DataCount) *
			md_.settings.IntervalTM / 1000.0;
	QString header = QCoreApplication::translate(
			"kelvra::RecordingSession", "記録中 [ %1 ]  記録時間 %2")
					 .arg(QFileInfo(recording->currentFile()).fileName(),
							 RecordedTimeText(seconds));
	if (const RepeatedCapture *captures = assembly_.captures())
		header += QCoreApplication::translate(
				"kelvra::RecordingSession", "  トリガ取込 %1 件")
					  .arg(captures->saved());
	if (lowSpaceBytes_)
		header += QCoreApplication::translate(
				"kelvra::RecordingSession", "  空き容量不足 (残り %1)")
					  .arg(ByteText(static_cast<qint64>(*lowSpaceBytes_)));
	if (statusPage_)
		header += QCoreApplication::translate("kelvra::RecordingSession", "  状態ページ %1")
					  .arg(statusPage_->url());
	if (header != shownHeader_)
		view_.SetHeaderText(header);
	shownHeader_ = header;
}

void RecordingSession::runEnded()
{
	if (!run_.longRun())
		return;
	// The hooks and the page stay until the next recording, but the next runs go without them.
	assembly_.removeGuest(hooks_.get());
	assembly_.removeGuest(statusPage_.get());
	assembly_.assemble(RunPlan());
}

void RecordingSession::eventAdded(const RunEvent &event)
{
	if (!run_.longRun())
		return;
	if (event.kind == EventKind::LowSpace)
		lowSpaceBytes_ = event.value;
	else if (event.kind == EventKind::SpaceBack)
		lowSpaceBytes_.reset();
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

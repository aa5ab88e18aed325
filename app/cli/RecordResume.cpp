#include "RecordResume.h"

#include "Commands.h"
#include "ConsolePrompt.h"

#include "files/MeasurementFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace kelvra::cli {

namespace {

QString shown(const QString &file)
{
	return QDir::toNativeSeparators(file);
}

// No recording to go on with: one begins at the target instead.
ResumeStart beginInstead(RecordOptions &o)
{
	const QString target = *o.resume;
	if (QFileInfo(target).isDir())
		o.folder = target;
	else if (IsRecordingFile(target))
		o.out = target;
	else {
		printError(CliText::tr("--resume には .kvr ファイルかフォルダを指定します"));
		return {std::nullopt, kExitUsage};
	}
	printError(CliText::tr("%1 に続ける記録はありません。新しく記録を始めます")
					.arg(shown(target)));
	return {};
}

} // namespace

ResumeStart LookUpResume(RecordOptions &o)
{
	const ResumeLookup found = FindResumePoint(*o.resume);
	switch (found.kind) {
	case ResumeLookup::Kind::NoRecording:
		return beginInstead(o);
	case ResumeLookup::Kind::Ended:
		printError(CliText::tr("%1 は正常に終わった記録です。続けることはできません")
						.arg(shown(found.file)));
		return {std::nullopt, kExitUsage};
	case ResumeLookup::Kind::Unreadable:
		printError(CliText::tr("%1 を続けられません: %2")
						.arg(shown(found.file), found.detail));
		return {std::nullopt, kExitUsage};
	case ResumeLookup::Kind::Interrupted:
		break;
	}
	if (LongRecording::BeingWritten(found.point->baseName)) {
		printError(CliText::tr("%1 はほかのプログラムが記録しているところです")
						.arg(shown(found.file)));
		return {std::nullopt, kExitFailure};
	}
	o.folder = QFileInfo(found.file).absolutePath();
	printError(CliText::tr("途切れた記録 %1 を続けます").arg(shown(found.file)));
	if (!o.settingsOptions.isEmpty())
		printError(CliText::tr("記録の設定とメモで続けるため、%1 は使いません")
						.arg(o.settingsOptions.join(QStringLiteral(", "))));
	return {found.point, std::nullopt};
}

void ApplyResumedSettings(const ResumePoint &point, ModuleData &md)
{
	ApplyRunSettings(point.header.settings, md);
	md.DeriveAverageNum();
	md.SetRange();
	md.ClearMeasData();
}

std::optional<uint64_t> ResumedSampleLimit(const ResumePoint &point, uint64_t wholeLimit)
{
	const uint64_t first = ResumeSample(point, QDateTime::currentDateTime());
	if (wholeLimit == 0)
		return 0;
	if (first >= wholeLimit)
		return std::nullopt;
	return wholeLimit - first;
}

void TellResumed(RunControl &run, const LongRecording &recording)
{
	QObject::connect(&run, &RunControl::runStarted, &run, [&run, &recording] {
		if (const auto outage = recording.outageS())
			run.addEvent(ResumedEvent(0.0, *outage));
	});
}

} // namespace kelvra::cli

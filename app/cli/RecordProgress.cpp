#include "RecordProgress.h"

#include "ConsolePrompt.h"
#include "StopSignals.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace kelvra::cli {

RecordProgress::RecordProgress(const ModuleData &md, bool forced)
	: md_(md), terminal_(isatty(STDERR_FILENO)), shown_(terminal_ || forced)
{
	clock_.start();
}

void RecordProgress::update()
{
	if (!shown_)
		return;
	const QString phase = md_.TrgMode != kTrue ? CliText::tr("測定中")
			: md_.TrgOn == kTrue       ? CliText::tr("取込み中")
						   : CliText::tr("トリガ待ち");
	const QString line = CliText::tr("データ数 %1  経過 %2 s  %3")
					     .arg(md_.DataOffset + md_.DataCount)
					     .arg(clock_.elapsed() / 1000.0, 0, 'f', 1)
					     .arg(phase);
	std::fprintf(stderr, "%s%s   %s", terminal_ ? "\r" : "", line.toLocal8Bit().constData(),
			terminal_ ? "" : "\n");
	std::fflush(stderr);
}

void RecordProgress::finish()
{
	if (terminal_)
		std::fputc('\n', stderr);
}

// The closing lines of a long recording: how it ended, the file that opens
// it with its samples, and every part on the disk.
void TellRecorded(const LongRecording::OnDisk &recorded, bool atAlarm)
{
	const QString first = QDir::toNativeSeparators(recorded.first);
	const auto samples = static_cast<qint64>(recorded.samples);
	if (first.isEmpty())
		printError(CliText::tr("記録されたデータはありません"));
	else if (atAlarm)
		printError(CliText::tr(
				"異常で停止しました。%1 にユニットごとにその異常までの %2 個のデータがあります")
						.arg(first)
						.arg(samples));
	else if (StopSignalCaught())
		printError(CliText::tr(
				"%1 で停止しました。%2 にユニットごとに %3 個のデータがあります")
						.arg(StopSignalName(), first)
						.arg(samples));
	else
		printError(CliText::tr(
				"記録を終えました。%1 にユニットごとに %2 個のデータがあります")
						.arg(first)
						.arg(samples));
	if (recorded.files.size() < 2)
		return;
	QStringList names;
	for (const QString &file : recorded.files)
		names << QFileInfo(file).fileName();
	printError(CliText::tr("記録の部分 (%1 個): %2")
					.arg(recorded.files.size())
					.arg(names.join(QStringLiteral(", "))));
}

void TellOverflow(uint64_t lost, const QString &file)
{
	printError(
			CliText::tr("ユニットのバッファがあふれ、%1 個のデータが失われました。"
				    "%2 にはそれが欠落データとして入っています")
					.arg(lost)
					.arg(file));
}

} // namespace kelvra::cli

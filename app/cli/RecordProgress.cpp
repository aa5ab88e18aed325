#include "RecordProgress.h"

#include "ConsolePrompt.h"

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

} // namespace kelvra::cli

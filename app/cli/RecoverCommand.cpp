// kelvra-cli recover: the journals of runs that were never saved, listed or
// written as data files with the program's own writers.

#include "Commands.h"
#include "ConsolePrompt.h"

#include "run/JournalRebuild.h"
#include "run/JournalRecovery.h"
#include "settings/CsvFile.h"
#include "settings/DataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace kelvra::cli {

namespace {

const char kHelp[] =
		"Usage: kelvra-cli recover --list\n"
		"       kelvra-cli recover [JOURNAL] --out FILE [--csv-encoding cp932|utf-8]\n"
		"Lists the journals of runs that were never saved, or writes one as a data\n"
		"file (.vn2) or CSV (.csv) and then deletes it; the newest when none is named.\n"
		"Journals live in the folder shown by --list.\n";

QString unitsInUse(const JournalHeader &header)
{
	QStringList used;
	for (int u = 0; u < kUnitCount; ++u) {
		if (header.settings.units[u].Mflag == kTrue)
			used << QString::number(u);
	}
	return used.join(QLatin1Char(','));
}

QString state(const JournalSummary &summary)
{
	if (summary.running)
		return QStringLiteral("its program is still running");
	if (!summary.content)
		return QStringLiteral("unreadable: ") + summary.error;
	return summary.content->endTime ? QStringLiteral("run ended, not saved")
	                                : QStringLiteral("run interrupted");
}

int list()
{
	QTextStream out(stdout);
	out << "journals in " << QDir::toNativeSeparators(JournalFolder()) << '\n';
	for (const JournalSummary &summary : ListJournals()) {
		out << QFileInfo(summary.fileName).fileName();
		if (summary.content) {
			out << "  start " << summary.content->header.StartTimeStr.trimmed() << "  units "
			    << unitsInUse(summary.content->header) << "  samples " << summary.samples;
		}
		out << "  " << state(summary) << '\n';
	}
	return kExitOk;
}

// The named journal (a path or a name in the journal folder), or the newest
// one that can be recovered.
std::optional<JournalSummary> pick(const QString &named)
{
	const std::vector<JournalSummary> journals = ListJournals();
	for (const JournalSummary &summary : journals) {
		const QFileInfo info(summary.fileName);
		const bool wanted = named.isEmpty()
				? !summary.running && summary.content && summary.samples > 0
				: info.fileName() == named || info.absoluteFilePath() == QFileInfo(named).absoluteFilePath();
		if (wanted)
			return summary;
	}
	return std::nullopt;
}

int recover(const QString &named, const QString &out, CsvEncoding encoding)
{
	const auto summary = pick(named);
	if (!summary) {
		printError(named.isEmpty() ? QStringLiteral("no journal to recover in %1").arg(JournalFolder())
		                           : QStringLiteral("no journal %1 in %2").arg(named, JournalFolder()));
		return kExitFailure;
	}
	if (summary->running || !summary->content) {
		printError(QStringLiteral("cannot recover %1: %2").arg(summary->fileName, state(*summary)));
		return kExitFailure;
	}
	if (!summary->content->warning.isEmpty())
		printError(summary->content->warning);

	ModuleData md;
	if (QString error; !RebuildJournal(summary->fileName, md, &error)) {
		printError(QStringLiteral("cannot recover %1: %2").arg(summary->fileName, error));
		return kExitFailure;
	}
	const bool csv = QFileInfo(out).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
	const FileResult written = csv ? SaveCsvFile(md, out, encoding) : SaveDataFile(md, out);
	if (!written.ok) {
		printError(QStringLiteral("cannot write %1: %2").arg(out, written.error));
		return kExitFailure;
	}
	DeleteJournal(summary->fileName); // its data are safe now
	return kExitOk;
}

} // namespace

int recoverCommand(const QStringList &arguments)
{
	if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
		std::fputs(kHelp, stdout);
		return kExitOk;
	}
	if (arguments == QStringList{QStringLiteral("--list")})
		return list();
	QStringList rest = arguments;
	const auto at = rest.indexOf(QStringLiteral("--out"));
	if (at < 0 || at + 1 >= rest.size()) {
		printError(QStringLiteral("recover takes --list, or [JOURNAL] --out FILE"));
		return kExitUsage;
	}
	const QString out = rest[at + 1];
	rest.remove(at, 2);
	CsvEncoding encoding = CsvEncoding::CodePage932;
	if (const auto option = rest.indexOf(QStringLiteral("--csv-encoding")); option >= 0) {
		const auto named = parseCsvEncoding(rest.value(option + 1));
		if (!named) {
			printError(QStringLiteral("--csv-encoding takes cp932 or utf-8"));
			return kExitUsage;
		}
		encoding = *named;
		rest.remove(option, 2);
	}
	const QString suffix = QFileInfo(out).suffix().toLower();
	if (rest.size() > 1 || (suffix != QLatin1String("vn2") && suffix != QLatin1String("csv"))) {
		printError(QStringLiteral("recover takes [JOURNAL] --out FILE.vn2 or FILE.csv"));
		return kExitUsage;
	}
	return recover(rest.value(0), out, encoding);
}

} // namespace kelvra::cli

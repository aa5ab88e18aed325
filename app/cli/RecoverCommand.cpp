// kelvra-cli recover: the journals of runs that were never saved, listed or
// written as data files with the program's own writers.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"

#include "run/JournalRebuild.h"
#include "run/JournalRecovery.h"
#include "settings/MeasurementFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace kelvra::cli {

namespace {

const OptionTable kRecoverOptions{"recover",
		"Usage: kelvra-cli recover --list\n"
		"       kelvra-cli recover [JOURNAL] --out FILE [--csv-encoding cp932|utf-8]\n"
		"Lists the journals of runs that were never saved, or writes one as a data\n"
		"file (.vn2) or CSV (.csv) and then deletes it; the newest when none is named.\n"
		"Journals live in the folder shown by --list.\n"
		"\n",
		{
				{{{"list"}}, "list the journals: start time, units, samples, state"},
				{{{"out", "FILE"}}, "file to write (.vn2 or .csv)"},
				{{{"csv-encoding", "NAME"}},
						"text of a .csv file: cp932 (default) or utf-8"},
		}};

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
	const std::vector<JournalSummary> journals = ListJournals();
	out << (journals.empty() ? "no journals in " : "journals in ")
	    << QDir::toNativeSeparators(JournalFolder()) << '\n';
	for (const JournalSummary &summary : journals) {
		out << QFileInfo(summary.fileName).fileName();
		if (summary.content) {
			out << "  start " << summary.content->header.StartTimeStr.trimmed()
			    << "  units " << unitsInUse(summary.content->header) << "  samples "
			    << summary.samples;
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
				: info.fileName() == named ||
						info.absoluteFilePath() ==
								QFileInfo(named).absoluteFilePath();
		if (wanted)
			return summary;
	}
	return std::nullopt;
}

int recover(const QString &named, const QString &out, FileType type, CsvEncoding encoding)
{
	const auto summary = pick(named);
	if (!summary) {
		printError(named.isEmpty() ? QStringLiteral("no journal to recover in %1")
								.arg(JournalFolder())
					   : QStringLiteral("no journal %1 in %2")
								.arg(named, JournalFolder()));
		return kExitFailure;
	}
	if (summary->running || !summary->content) {
		printError(QStringLiteral("cannot recover %1: %2")
						.arg(summary->fileName, state(*summary)));
		return kExitFailure;
	}
	if (!summary->content->warning.isEmpty())
		printError(summary->content->warning);

	// Held until the journal is deleted, so that a window starting meanwhile
	// does not offer the same run.
	const auto lock = JournalLock(summary->fileName);
	if (!lock->tryLock(0)) {
		printError(QStringLiteral("cannot recover %1: a running program has taken it")
						.arg(summary->fileName));
		return kExitFailure;
	}
	ModuleData md;
	if (QString error; !RebuildJournal(summary->fileName, md, &error)) {
		printError(QStringLiteral("cannot recover %1: %2").arg(summary->fileName, error));
		return kExitFailure;
	}
	const FileResult written = SaveFileOfType(md, out, type, encoding);
	if (!written.ok) {
		printError(QStringLiteral("cannot write %1: %2").arg(out, written.error));
		return kExitFailure;
	}
	QFile::remove(summary->fileName); // its data are safe now
	printError(QStringLiteral("wrote the %1 samples of %2 to %3")
					.arg(md.DataCount)
					.arg(QFileInfo(summary->fileName).fileName(), out));
	return kExitOk;
}

} // namespace

int recoverCommand(const QStringList &arguments)
{
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kRecoverOptions, arguments, parser))
		return *answered;
	const QStringList journals = parser.positionalArguments();
	const bool writing = parser.isSet(QStringLiteral("out"));
	const bool listing = parser.isSet(QStringLiteral("list"));
	if (listing == writing ||
			(listing &&
					(!journals.isEmpty() ||
							parser.isSet(QStringLiteral(
									"csv-encoding"))))) {
		printError(QStringLiteral("recover takes --list, or [JOURNAL] --out FILE"));
		return kExitUsage;
	}
	if (listing)
		return list();
	CsvEncoding encoding = CsvEncoding::CodePage932;
	if (parser.isSet(QStringLiteral("csv-encoding"))) {
		const auto named = parseCsvEncoding(parser.value(QStringLiteral("csv-encoding")));
		if (!named) {
			printError(QStringLiteral("--csv-encoding takes cp932 or utf-8"));
			return kExitUsage;
		}
		encoding = *named;
	}
	const QString out = parser.value(QStringLiteral("out"));
	const auto type = FileTypeOf(out);
	if (journals.size() > 1 || !type) {
		printError(QStringLiteral("recover takes [JOURNAL] --out FILE.vn2 or FILE.csv"));
		return kExitUsage;
	}
	return recover(journals.value(0), out, *type, encoding);
}

} // namespace kelvra::cli

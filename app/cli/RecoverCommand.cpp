// kelvra-cli recover: the journals of runs that were never saved, listed or
// written as data files with the program's own writers.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"

#include "files/MeasurementFiles.h"
#include "run/JournalRebuild.h"
#include "run/JournalRecovery.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace kelvra::cli {

namespace {

const OptionTable kRecoverOptions{"recover",
		QT_TRANSLATE_NOOP("CliText",
				"使い方: kelvra-cli recover --list\n"
				"        kelvra-cli recover [JOURNAL] --out FILE [--csv-encoding cp932|utf-8]\n"
				"保存されなかった測定データの控えを一覧するか、一つをデータファイル (.vn2) か\n"
				"CSV (.csv) に書き出してから削除します。指定がなければ最新の控えです。\n"
				"控えは --list が示すフォルダにあります。\n"
				"\n"),
		{
				{{{"list"}},
						QT_TRANSLATE_NOOP("CliText",
								"控えを一覧する: 開始時刻、ユニット、データ数、状態")},
				{{{"out", "FILE"}},
						QT_TRANSLATE_NOOP("CliText",
								"書き出すファイル (.vn2 か .csv)")},
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
		return CliText::tr("そのプログラムはまだ実行中です");
	if (!summary.content)
		return CliText::tr("読み取れません: ") + summary.error;
	return summary.content->endTime ? CliText::tr("測定終了、未保存") : CliText::tr("測定中断");
}

int list()
{
	QTextStream out(stdout);
	const std::vector<JournalSummary> journals = ListJournals();
	out << (journals.empty() ? CliText::tr("%1 に控えはありません") : CliText::tr("%1 の控え"))
					.arg(QDir::toNativeSeparators(JournalFolder()))
	    << '\n';
	for (const JournalSummary &summary : journals) {
		out << QFileInfo(summary.fileName).fileName();
		if (summary.content) {
			out << CliText::tr("  開始 %1  ユニット %2  データ数 %3")
							.arg(summary.content->header.StartTimeStr
											.trimmed(),
									unitsInUse(summary.content->header))
							.arg(summary.samples);
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
		printError(named.isEmpty() ? CliText::tr("%1 に復元できる測定データの控えがありません")
								.arg(JournalFolder())
					   : CliText::tr("%2 に測定データの控え %1 がありません")
								.arg(named, JournalFolder()));
		return kExitFailure;
	}
	if (summary->running || !summary->content) {
		printError(CliText::tr("%1 を復元できません: %2")
						.arg(summary->fileName, state(*summary)));
		return kExitFailure;
	}
	if (!summary->content->warning.isEmpty())
		printError(summary->content->warning);

	// Held until the journal is deleted, so that a window starting meanwhile
	// does not offer the same run.
	const auto lock = JournalLock(summary->fileName);
	if (!lock->tryLock(0)) {
		printError(CliText::tr("%1 を復元できません: 実行中のプログラムが使っています")
						.arg(summary->fileName));
		return kExitFailure;
	}
	ModuleData md;
	if (QString error; !RebuildJournal(summary->fileName, md, &error)) {
		printError(CliText::tr("%1 を復元できません: %2").arg(summary->fileName, error));
		return kExitFailure;
	}
	const FileResult written = SaveFileOfType(md, out, type, encoding);
	if (!written.ok) {
		printError(CliText::tr("%1 に書き込めません: %2").arg(out, written.error));
		return kExitFailure;
	}
	QFile::remove(summary->fileName); // its data are safe now
	printError(CliText::tr("%2 の %1 個のデータを %3 に書き出しました")
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
		printError(CliText::tr("recover には --list か [JOURNAL] --out FILE を指定します"));
		return kExitUsage;
	}
	if (listing)
		return list();
	CsvEncoding encoding = CsvEncoding::CodePage932;
	if (parser.isSet(QStringLiteral("csv-encoding"))) {
		const auto named = parseCsvEncoding(parser.value(QStringLiteral("csv-encoding")));
		if (!named) {
			printError(CliText::tr("--csv-encoding には cp932 か utf-8 を指定します"));
			return kExitUsage;
		}
		encoding = *named;
	}
	const QString out = parser.value(QStringLiteral("out"));
	const auto type = FileTypeOf(out);
	if (journals.size() > 1 || !type) {
		printError(CliText::tr(
				"recover には [JOURNAL] --out FILE.vn2 か FILE.csv を指定します"));
		return kExitUsage;
	}
	return recover(journals.value(0), out, *type, encoding);
}

} // namespace kelvra::cli

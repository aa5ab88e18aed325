#include "JournalRecovery.h"

#include "JournalReader.h"
#include "JournalRebuild.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kelvra {

namespace {

const char *const kRestoreQuestion = QT_TRANSLATE_NOOP(
		"JournalRecovery", "前回の測定データが保存されていません。復元しますか？");
const char *const kSetAsideText = QT_TRANSLATE_NOOP("JournalRecovery",
		"次の測定データの控えは読み取れないため、復元の対象から外しました。ファイルは名前の末尾に .bad を付けて残してあります。\n%1");

JournalSummary summarise(const QString &fileName)
{
	JournalSummary summary;
	summary.fileName = fileName;
	const auto lock = JournalLock(fileName);
	if (!lock->tryLock(0)) {
		summary.running = true;
		return summary;
	}
	QFile file(fileName);
	if (!file.open(QIODevice::ReadOnly)) {
		summary.error = file.errorString();
		return summary;
	}
	JournalReader reader(file);
	if (!reader.readHeader(&summary.error))
		return summary;
	int32_t lastDataCount = 0;
	for (JournalTick tick; reader.nextTick(tick);)
		lastDataCount = tick.DataCount;
	summary.content = JournalOutline{reader.header(), reader.endTime(), reader.warning()};
	summary.samples = SamplesKept(reader.header(), lastDataCount);
	return summary;
}

bool unreadable(const JournalSummary &summary)
{
	return !summary.running && !summary.content;
}

// Renames the journal out of the offer; the new name, or empty when it is
// held by a program again or cannot be renamed.
QString setAside(const QString &fileName)
{
	const auto lock = JournalLock(fileName);
	if (!lock->tryLock(0))
		return {};
	QString target = fileName + QStringLiteral(".bad");
	for (int n = 1; QFile::exists(target); ++n)
		target = fileName + QStringLiteral(".%1.bad").arg(n);
	return QFile::rename(fileName, target) ? target : QString();
}

void setAsideUnreadable(const std::vector<JournalSummary> &journals, Prompt &prompt)
{
	QStringList names;
	for (const JournalSummary &summary : journals) {
		if (!unreadable(summary))
			continue;
		if (QFileInfo(summary.fileName).size() == 0) {
			DeleteJournal(summary.fileName); // its program ended before it wrote
							 // anything
			continue;
		}
		if (const QString target = setAside(summary.fileName); !target.isEmpty())
			names << QDir::toNativeSeparators(target);
	}
	if (!names.isEmpty())
		prompt.message(QCoreApplication::translate("JournalRecovery", kSetAsideText)
						.arg(names.join(QLatin1Char('\n'))),
				kMessageTitle, Prompt::Icon::None);
}

} // namespace

// A journal's rewrite that a killed program left half made; the journal it
// was to replace is still whole. Kept while the journal's program runs.
void removeLeftOverRewrites(const QString &folder)
{
	const QDir dir(folder);
	for (const QString &name : dir.entryList({QStringLiteral("*.kvj.new")}, QDir::Files)) {
		const QString rewrite = dir.filePath(name);
		const auto lock = JournalLock(rewrite.chopped(4));
		if (lock->tryLock(0))
			QFile::remove(rewrite);
	}
}

std::vector<JournalSummary> ListJournals(const QString &folder)
{
	removeLeftOverRewrites(folder);
	// Names carry the start time, so the newest sorts last.
	const QStringList names = QDir(folder).entryList(
			{QStringLiteral("*.kvj")}, QDir::Files, QDir::Name | QDir::Reversed);
	std::vector<JournalSummary> journals;
	for (const QString &name : names)
		journals.push_back(summarise(QDir(folder).filePath(name)));
	return journals;
}

bool DeleteJournal(const QString &journalFile)
{
	const auto lock = JournalLock(journalFile);
	if (!lock->tryLock(0))
		return false;
	return QFile::remove(journalFile);
}

bool OfferRecovery(ModuleData &md, Prompt &prompt, RunJournal &journal, const QString &folder)
{
	const std::vector<JournalSummary> journals = ListJournals(folder);
	setAsideUnreadable(journals, prompt);
	for (const JournalSummary &summary : journals) {
		if (summary.running || !summary.content)
			continue;
		if (summary.samples < 1) {
			DeleteJournal(summary.fileName);
			continue;
		}
		if (!prompt.askYesNo(QCoreApplication::translate(
						     "JournalRecovery", kRestoreQuestion),
				    kMessageTitle)) {
			DeleteJournal(summary.fileName);
			continue;
		}
		if (!journal.Adopt(summary.fileName))
			continue; // another program took it meanwhile
		if (RebuildJournal(summary.fileName, md, nullptr))
			return true;
	}
	return false;
}

} // namespace kelvra

#include "JournalRecovery.h"

#include "JournalRebuild.h"

#include <QDir>
#include <QFile>

namespace kelvra {

namespace {

const QString kRestoreQuestion = QStringLiteral("前回の測定データが保存されていません。復元しますか？");

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
	summary.content = ParseJournal(file.readAll(), &summary.error);
	if (summary.content) {
		ModuleData rebuilt;
		RebuildRun(*summary.content, rebuilt);
		summary.samples = rebuilt.DataCount;
	}
	return summary;
}

} // namespace

std::vector<JournalSummary> ListJournals(const QString &folder)
{
	// Names carry the start time, so the newest sorts last.
	const QStringList names = QDir(folder).entryList({QStringLiteral("*.kvj")}, QDir::Files,
			QDir::Name | QDir::Reversed);
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
	for (const JournalSummary &summary : ListJournals(folder)) {
		if (summary.running || !summary.content)
			continue;
		if (summary.samples < 1) {
			DeleteJournal(summary.fileName);
			continue;
		}
		if (!prompt.askYesNo(kRestoreQuestion, kMessageTitle)) {
			DeleteJournal(summary.fileName);
			continue;
		}
		if (!journal.Adopt(summary.fileName))
			continue; // another program took it meanwhile
		RebuildRun(*summary.content, md);
		return true;
	}
	return false;
}

} // namespace kelvra

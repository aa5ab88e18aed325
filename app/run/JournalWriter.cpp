#include "JournalWriter.h"

#include <QCoreApplication>

namespace kelvra {

namespace {

SyncedFileWriter::Texts journalTexts()
{
	return {QCoreApplication::translate("JournalWriter", "%1 を作成できません: %2"),
			QCoreApplication::translate(
					"JournalWriter", "測定データの控えを書き込めません: %1"),
			QCoreApplication::translate("JournalWriter",
					"測定データの控えをディスクに書き込めません: %1"),
			QCoreApplication::translate(
					"JournalWriter", "測定データの控えを書き直せません: %1"),
			QCoreApplication::translate("JournalWriter",
					"測定データの控えを置き換えられません: %1")};
}

} // namespace

JournalWriter::JournalWriter(const QString &fileName)
	: SyncedFileWriter(SystemCalls(0600), journalTexts(), kSyncPeriod)
{
	open(fileName);
}

void JournalWriter::append(const QByteArray &bytes)
{
	if (!failed())
		SyncedFileWriter::append(bytes);
}

void JournalWriter::replace(const QByteArray &bytes)
{
	if (!failed())
		replaceFile(bytes);
}

} // namespace kelvra

#include "FileActions.h"

#include "files/DataFile.h"
#include "files/MeasurementFiles.h"
#include "recording/RecordingExport.h"
#include "run/JournalRecovery.h"
#include "session/RecordingSession.h"
#include "settings/DialogMemo.h"
#include "window/ReviewController.h"
#include "window/SpanFiles.h"

#include <QDir>
#include <QFileInfo>

namespace kelvra {

FileActions::FileActions(ModuleData &md, Prompt &prompt, const ShowModal &showModal,
		const RecordingSession &session, ReviewController &review, QWidget *dialogParent)
	: QObject(dialogParent), md_(md), prompt_(prompt), showModal_(showModal), session_(session),
	  review_(review), dialogParent_(dialogParent)
{
}

void FileActions::save()
{
	switch (CheckSaveAllowed(md_)) {
	case SaveState::NoData:
		prompt_.message(tr("測定データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	case SaveState::TriggerPending:
		return;
	case SaveState::Recorded:
		prompt_.message(tr("連続記録のデータはすべて記録ファイル %1 にあります。")
						.arg(QDir::toNativeSeparators(
								session_.currentFile())),
				kMessageTitle, Prompt::Icon::None);
		return;
	case SaveState::Ready:
		break;
	}
	DialogMemo dialog(md_, prompt_, folder_, dialogParent_);
	showModal_(dialog);
	if (dialog.result() == QDialog::Accepted)
		discardJournal(); // the data are safe in the file
}

bool FileActions::mayReplaceData()
{
	return md_.DataCount <= 0 ||
			prompt_.askYesNo(tr("表示データが消去されます。よろしいですか？"),
					kMessageTitle);
}

void FileActions::read()
{
	if (!mayReplaceData())
		return;
	// The data file first, as the dialog opens on it; a recording beside it.
	const QString fileName = prompt_.askOpenFileName(fileTypeInfo(FileType::Dedicated).filter +
					QStringLiteral(";;") + tr("記録ファイル  (*.kvr)"),
			folder_);
	if (!fileName.isEmpty())
		readFile(fileName);
}

void FileActions::openDataFile(const QString &fileName)
{
	if (md_.MeasFlag != kTrue && mayReplaceData())
		readFile(fileName);
}

void FileActions::readFile(const QString &fileName)
{
	review_.endRecording();
	folder_ = QFileInfo(fileName).absolutePath();
	if (IsRecordingFile(fileName)) {
		openRecording(fileName);
		return;
	}
	const FileResult result = ReadDataFile(md_, fileName);
	discardJournal(); // the data it kept are gone either way
	if (!result.ok) {
		readFailed(fileName, result.error);
		return;
	}
	if (md_.DataCount < 1) {
		onNoData();
		prompt_.message(tr("データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	onLoaded();
}

void FileActions::openRecording(const QString &fileName)
{
	QString error;
	std::unique_ptr<RecordingReader> reader = RecordingReader::open(fileName, &error);
	discardJournal(); // the data it kept are gone either way
	const SampleSpan whole = reader ? SpanOfSeconds(*reader, {}, {}) : SampleSpan{};
	if (reader && whole.size() <= static_cast<uint64_t>(kBufferLength)) {
		const FileResult result = LoadRecordingSpan(*reader, whole, md_);
		reader.reset();
		error = result.error;
	}
	if (!reader && !error.isEmpty()) {
		readFailed(fileName, error);
		return;
	}
	if (!reader) {
		onLoaded();
		return;
	}
	LoadRecordingSpan(*reader, SampleSpan{}, md_); // its settings, memo lines and start time
	onRecordingOpened(std::move(reader));
}

void FileActions::readFailed(const QString &fileName, const QString &error)
{
	onNoData();
	prompt_.message(tr("ファイルを読み込めませんでした。\n%1\n%2")
					.arg(QDir::toNativeSeparators(fileName), error),
			kErrorTitle, Prompt::Icon::Error);
}

void FileActions::saveSpan(double from, double to)
{
	const RecordingReader *recording = review_.recording();
	if (md_.DataCount < 1 && !recording) {
		prompt_.message(tr("データがありません。"), kMessageTitle, Prompt::Icon::None);
		return;
	}
	const QString fileName = prompt_.askSaveFileName(
			tr("専用ファイル  (*.vn2);;CSVファイル  (*.csv);;HDF5ファイル  (*.h5)"),
			QStringLiteral("vn2"), folder_);
	if (fileName.isEmpty())
		return;
	const FileResult result = recording ? SaveRecordingSpan(*recording, fileName, from, to)
					    : SaveBufferSpan(md_, fileName, from, to);
	if (!result.ok)
		prompt_.message(tr("ファイルを保存できませんでした。\n%1\n%2")
						.arg(QDir::toNativeSeparators(fileName),
								result.error),
				kErrorTitle, Prompt::Icon::Error);
}

void FileActions::offerRecovery()
{
	if (journal_ && OfferRecovery(md_, prompt_, *journal_, journal_->folder()))
		onLoaded();
}

void FileActions::discardJournal()
{
	if (journal_)
		journal_->Discard();
}

} // namespace kelvra

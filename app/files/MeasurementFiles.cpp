#include "MeasurementFiles.h"

#include "CsvFile.h"
#include "DataFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kelvra {

SaveState CheckSaveAllowed(const ModuleData &md)
{
	if (md.TrgMode != kFalse)
		return md.TrgOn == kTrue ? SaveState::Ready : SaveState::TriggerPending;
	if (md.DataOffset > 0)
		return SaveState::Recorded;
	return md.DataCount < 1 ? SaveState::NoData : SaveState::Ready;
}

FileTypeInfo fileTypeInfo(FileType type)
{
	if (type == FileType::Csv)
		return {QCoreApplication::translate("MeasurementFiles", "CSVファイル  (*.csv)"),
				QStringLiteral("csv")};
	return {QCoreApplication::translate("MeasurementFiles", "専用ファイル  (*.vn2)"),
			QStringLiteral("vn2")};
}

std::optional<FileType> FileTypeOf(const QString &fileName)
{
	for (const FileType type : {FileType::Csv, FileType::Dedicated}) {
		if (QFileInfo(fileName).suffix().compare(
				    fileTypeInfo(type).suffix, Qt::CaseInsensitive) == 0)
			return type;
	}
	return std::nullopt;
}

bool IsRecordingFile(const QString &fileName)
{
	return QFileInfo(fileName).suffix().compare(QLatin1String("kvr"), Qt::CaseInsensitive) == 0;
}

bool IsHdf5File(const QString &fileName)
{
	return QFileInfo(fileName).suffix().compare(QLatin1String("h5"), Qt::CaseInsensitive) == 0;
}

FileResult SaveFileOfType(
		const ModuleData &md, const QString &fileName, FileType type, CsvEncoding encoding)
{
	return type == FileType::Csv ? SaveCsvFile(md, fileName, encoding)
				     : SaveDataFile(md, fileName);
}

QString WithDefaultExtension(const QString &fileName, const QString &suffix)
{
	if (!QFileInfo(fileName).suffix().isEmpty())
		return fileName;
	return fileName + QLatin1Char('.') + suffix;
}

FileResult SaveMeasurement(ModuleData &md, const QString &fileName, FileType type,
		const std::array<QString, 5> &memo)
{
	const std::array<QString, 5> previous = md.MemoStr;
	md.MemoStr = memo; // the writers take the memo lines from here
	const FileResult result = SaveFileOfType(md, fileName, type);
	if (!result.ok)
		md.MemoStr = previous;
	return result;
}

} // namespace kelvra

#include "StagedFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace kelvra {

namespace {

QString systemReason(int error)
{
	return QString::fromStdString(std::error_code(error, std::generic_category()).message());
}

// The bytes reach the disk before the file takes its final name, so that a
// power cut cannot leave an empty file under it; a disk that takes its data
// late can still refuse them here.
QString syncToDisk(const QString &fileName)
{
	QFile file(fileName);
	if (!file.open(QIODevice::ReadOnly))
		return file.errorString();
#ifdef Q_OS_UNIX
	if (::fsync(file.handle()) != 0)
		return systemReason(errno);
#endif
	return {};
}

} // namespace

StagedFiles::~StagedFiles()
{
	for (const Staged &staged : staged_)
		QFile::remove(staged.file);
}

QString StagedFiles::stage(const QString &finalName, FileResult *result)
{
	// Found now, not when the others are already in their places.
	if (QFileInfo(finalName).isDir()) {
		*result = FileResult::failure(systemReason(EISDIR));
		return {};
	}
	for (int attempt = 0; attempt < 16; ++attempt) {
		const QString name = QStringLiteral("%1.%2.part")
						     .arg(finalName)
						     .arg(QRandomGenerator::global()->generate(), 8,
								     16, QLatin1Char('0'));
		QFile file(name);
		if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
			if (QFile::exists(finalName))
				file.setPermissions(QFile::permissions(finalName));
			staged_.push_back({name, finalName});
			*result = {};
			return name;
		}
		if (!QFile::exists(name)) {
			*result = FileResult::failure(file.errorString());
			return {};
		}
	}
	*result = FileResult::failure(systemReason(EEXIST));
	return {};
}

FileResult StagedFiles::write(const QString &finalName, const QByteArray &bytes)
{
	FileResult result;
	const QString name = stage(finalName, &result);
	if (!result.ok)
		return result;
	QFile file(name);
	if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
		return FileResult::failure(file.errorString());
	// A write cut short by a full disk says why only when the rest is tried.
	for (qsizetype at = 0; at < bytes.size();) {
		const qint64 written = file.write(bytes.constData() + at, bytes.size() - at);
		if (written <= 0)
			return FileResult::failure(file.errorString());
		at += written;
	}
	file.close();
	if (file.error() != QFileDevice::NoError)
		return FileResult::failure(file.errorString());
	return {};
}

FileResult StagedFiles::commit()
{
	for (const Staged &staged : staged_) {
		if (const QString reason = syncToDisk(staged.file); !reason.isEmpty())
			return FileResult::failure(reason);
	}
	while (!staged_.empty()) {
		const Staged &staged = staged_.front();
		std::error_code error;
		std::filesystem::rename(QFileInfo(staged.file).filesystemFilePath(),
				QFileInfo(staged.finalName).filesystemFilePath(), error);
		if (error)
			return FileResult::failure(QString::fromStdString(error.message()));
		staged_.erase(staged_.begin());
	}
	return {};
}

} // namespace kelvra

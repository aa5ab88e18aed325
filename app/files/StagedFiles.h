#pragma once

// Files written beside the names they are for and put in their places
// together once every one is whole: a save or an export that fails leaves no
// file half written under a final name, and an earlier file of that name as
// it was. What is staged and not put in place is removed.

#include "FileResult.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kelvra {

class StagedFiles {
public:
	StagedFiles() = default;
	~StagedFiles();
	StagedFiles(const StagedFiles &) = delete;
	StagedFiles &operator=(const StagedFiles &) = delete;

	// A new empty file beside finalName for the caller to write by its name;
	// empty, with the system's reason in *result, when none can be made there.
	QString stage(const QString &finalName, FileResult *result);
	// Stages finalName with these bytes.
	FileResult write(const QString &finalName, const QByteArray &bytes);
	// Puts every staged file in its place, each on the disk first.
	FileResult commit();

private:
	struct Staged {
		QString file;
		QString finalName;
	};

	std::vector<Staged> staged_;
};

} // namespace kelvra

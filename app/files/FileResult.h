#pragma once

#include <QString>

namespace kelvra {

// Outcome of writing or reading a file: on failure, the reason for the user.
struct FileResult {
	bool ok = true;
	QString error;

	static FileResult failure(QString reason) { return {false, std::move(reason)}; }
};

} // namespace kelvra

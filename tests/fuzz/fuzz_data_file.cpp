// The data file reader on any bytes: it reads them or names the reason, and
// whatever it read, the writer writes a file that reads again.

#include "settings/DataFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
	static kelvra::ModuleData md = [] {
		kelvra::ModuleData fresh;
		fresh.InitDataArray();
		return fresh;
	}();
	const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
	const kelvra::FileResult read = kelvra::ReadDataFileBytes(md, bytes);
	if (!read.ok) {
		if (read.error.isEmpty() || md.DataCount != 0)
			__builtin_trap();
		return 0;
	}
	QString reason;
	if (!kelvra::ParseDataFile(kelvra::EncodeDataFile(md), &reason))
		__builtin_trap();
	return 0;
}

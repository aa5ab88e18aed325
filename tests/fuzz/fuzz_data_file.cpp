// The data file reader on any bytes: it reads them or names the reason, and
// whatever it read, the writer writes a file that reads again.

#include "files/DataFile.h"

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
	// Most inputs are refused by the parse; the whole read, which clears four
	// full buffers first, runs for the rest.
	QString reason;
	if (!kelvra::ParseDataFile(bytes, &reason)) {
		if (reason.isEmpty())
			__builtin_trap();
		return 0;
	}
	if (!kelvra::ReadDataFileBytes(md, bytes).ok)
		__builtin_trap();
	if (!kelvra::ParseDataFile(kelvra::EncodeDataFile(md), &reason))
		__builtin_trap();
	return 0;
}

#include "Hdf5FileDriver.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

namespace kelvra {

namespace {

// Bytes the disk refused, at their address in the file.
struct Kept {
	haddr_t at;
	QByteArray bytes;
};

struct FileState {
	QFile file;
	QString *failure = nullptr;
	haddr_t eoa = 0;
	haddr_t eof = 0;
	std::vector<Kept> kept; // in the order written

	bool failed() const { return !failure->isEmpty(); }
	void fail()
	{
		if (!failed())
			*failure = file.errorString();
	}
};

// The library knows only `base`, the driver the rest.
struct OpenFile {
	H5FD_t base;
	FileState *state;
};

FileState &stateOf(const H5FD_t *file)
{
	return *reinterpret_cast<const OpenFile *>(file)->state;
}

bool writeAt(QFile &file, haddr_t at, const char *in, size_t size)
{
	if (!file.seek(static_cast<qint64>(at)))
		return false;
	// A write cut short by a full disk says why only when the rest is tried.
	for (size_t done = 0; done < size;) {
		const qint64 written = file.write(in + done, static_cast<qint64>(size - done));
		if (written <= 0)
			return false;
		done += static_cast<size_t>(written);
	}
	return true;
}

H5FD_t *openFile(const char *name, unsigned flags, hid_t access, haddr_t)
{
	const auto *failure = static_cast<QString *const *>(H5Pget_driver_info(access));
	if (!failure)
		return nullptr;
	auto state = std::make_unique<FileState>();
	state->failure = *failure;
	state->file.setFileName(QFile::decodeName(name));
	QIODevice::OpenMode mode = QIODevice::Unbuffered |
			((flags & H5F_ACC_RDWR) ? QIODevice::ReadWrite : QIODevice::ReadOnly);
	if (flags & H5F_ACC_TRUNC)
		mode |= QIODevice::Truncate;
	if (!state->file.open(mode)) {
		state->fail();
		return nullptr;
	}
	state->eof = static_cast<haddr_t>(state->file.size());
	auto *open = new OpenFile{};
	open->state = state.release();
	return &open->base;
}

herr_t closeFile(H5FD_t *file)
{
	auto *open = reinterpret_cast<OpenFile *>(file);
	open->state->file.close();
	if (open->state->file.error() != QFileDevice::NoError)
		open->state->fail();
	delete open->state;
	delete open;
	return 0;
}

herr_t queryFeatures(const H5FD_t *, unsigned long *flags)
{
	*flags = H5FD_FEAT_AGGREGATE_METADATA | H5FD_FEAT_ACCUMULATE_METADATA |
			H5FD_FEAT_DATA_SIEVE | H5FD_FEAT_AGGREGATE_SMALLDATA;
	return 0;
}

haddr_t getEoa(const H5FD_t *file, H5FD_mem_t)
{
	return stateOf(file).eoa;
}

herr_t setEoa(H5FD_t *file, H5FD_mem_t, haddr_t at)
{
	stateOf(file).eoa = at;
	return 0;
}

haddr_t getEof(const H5FD_t *file, H5FD_mem_t)
{
	return stateOf(file).eof;
}

// Zeros past the end of the file, as the library expects, and what the disk
// refused where it was to be.
herr_t readFile(H5FD_t *file, H5FD_mem_t, hid_t, haddr_t at, size_t size, void *buffer)
{
	FileState &state = stateOf(file);
	char *out = static_cast<char *>(buffer);
	std::memset(out, 0, size);
	if (!state.file.seek(static_cast<qint64>(at)))
		state.fail();
	for (size_t done = 0; done < size;) {
		const qint64 read = state.file.read(out + done, static_cast<qint64>(size - done));
		if (read < 0)
			state.fail();
		if (read <= 0)
			break;
		done += static_cast<size_t>(read);
	}
	for (const Kept &kept : state.kept) {
		const haddr_t lo = std::max(at, kept.at);
		const haddr_t hi = std::min<haddr_t>(at + size, kept.at + kept.bytes.size());
		if (lo < hi)
			std::memcpy(out + (lo - at), kept.bytes.constData() + (lo - kept.at),
					hi - lo);
	}
	return 0;
}

herr_t writeFile(H5FD_t *file, H5FD_mem_t, hid_t, haddr_t at, size_t size, const void *buffer)
{
	FileState &state = stateOf(file);
	const char *in = static_cast<const char *>(buffer);
	if (!state.failed() && !writeAt(state.file, at, in, size))
		state.fail();
	if (state.failed())
		state.kept.push_back({at, QByteArray(in, static_cast<qsizetype>(size))});
	state.eof = std::max<haddr_t>(state.eof, at + size);
	return 0;
}

herr_t truncateFile(H5FD_t *file, hid_t, hbool_t)
{
	FileState &state = stateOf(file);
	if (!state.failed() && state.eof != state.eoa &&
			!state.file.resize(static_cast<qint64>(state.eoa)))
		state.fail();
	state.eof = state.eoa;
	return 0;
}

H5FD_class_t driverClass()
{
	H5FD_class_t c{};
	c.name = "kelvra";
	c.maxaddr = static_cast<haddr_t>(std::numeric_limits<qint64>::max());
	c.fc_degree = H5F_CLOSE_WEAK;
	c.fapl_size = sizeof(QString *);
	c.open = openFile;
	c.close = closeFile;
	c.query = queryFeatures;
	c.get_eoa = getEoa;
	c.set_eoa = setEoa;
	c.get_eof = getEof;
	c.read = readFile;
	c.write = writeFile;
	c.truncate = truncateFile;
	const H5FD_mem_t map[H5FD_MEM_NTYPES] = H5FD_FLMAP_DICHOTOMY;
	std::copy(std::begin(map), std::end(map), c.fl_map);
	return c;
}

} // namespace

Hdf5FileDriver::Hdf5FileDriver()
{
	const H5FD_class_t c = driverClass();
	driver_ = H5FDregister(&c);
	access_ = H5Pcreate(H5P_FILE_ACCESS);
	QString *failure = &failure_;
	H5Pset_driver(access_, driver_, &failure);
}

Hdf5FileDriver::~Hdf5FileDriver()
{
	H5Pclose(access_);
	H5FDunregister(driver_);
}

} // namespace kelvra

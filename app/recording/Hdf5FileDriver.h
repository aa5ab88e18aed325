#pragma once

// A file driver for the HDF5 library that reads and writes through QFile and
// keeps a failed write to itself: the library carries on as if it had
// succeeded, so a file can always be closed. (HDF5 1.10 leaves a file whose
// close failed half torn down, and crashes when the program ends.) What the
// disk refused is held in memory, so the library reads back what it wrote;
// the writer asks failure() after each step and stops at the first.

#include <QString>

#include <hdf5.h>

namespace kelvra {

class Hdf5FileDriver {
public:
	Hdf5FileDriver();
	~Hdf5FileDriver();
	Hdf5FileDriver(const Hdf5FileDriver &) = delete;
	Hdf5FileDriver &operator=(const Hdf5FileDriver &) = delete;

	// File access properties that open a file through this driver.
	hid_t accessList() const { return access_; }
	// The system's reason for the first failure of a file opened through it.
	const QString &failure() const { return failure_; }

private:
	hid_t driver_;
	hid_t access_;
	QString failure_;
};

} // namespace kelvra

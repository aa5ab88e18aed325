#pragma once

// A small tmpfs mounted over a temporary folder, where a disk is full after
// a few kilobytes, or refuses every write when mounted read-only. Mounting
// needs root, as the tests are run here and in CI; a test that needs it
// fails without it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/mount.h>

namespace kelvra::testing {

class SmallFileSystem {
public:
	explicit SmallFileSystem(const char *size, unsigned long flags = 0)
		: at_(QFile::encodeName(dir_.path()))
	{
		const QByteArray options = QByteArray("size=") + size;
		mounted_ = ::mount("tmpfs", at_.constData(), "tmpfs", flags, options.constData()) ==
				0;
		if (!mounted_)
			reason_ = "cannot mount a small file system: " +
					std::string(std::strerror(errno));
	}
	~SmallFileSystem()
	{
		if (mounted_)
			::umount(at_.constData());
	}
	SmallFileSystem(const SmallFileSystem &) = delete;
	SmallFileSystem &operator=(const SmallFileSystem &) = delete;

	bool mounted() const { return mounted_; }
	const std::string &reason() const { return reason_; }
	QString path() const { return dir_.path(); }
	QString filePath(const QString &name) const { return dir_.filePath(name); }
	QStringList entries() const
	{
		return QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
	}

private:
	QTemporaryDir dir_;
	QByteArray at_;
	bool mounted_ = false;
	std::string reason_;
};

} // namespace kelvra::testing

#include "VarnelLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kelvra {

namespace {

// Returned by every call when the library is not there ("driver not
// installed properly"), so that no caller mistakes it for success.
constexpr int16_t kUnavailable = 2;

#if defined(Q_OS_WIN)
constexpr char kLibraryFile[] = "/VARNELIO.dll";
#else
constexpr char kLibraryFile[] = "/libVARNELIO.so";
#endif

// Beside the program (a build folder), then the installed library folder:
// relative to the program, so that an unpacked package finds its own.
QString findLibraryFile()
{
	const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
							 : QDir::currentPath();
	const QString candidates[] = {dir + QLatin1String(kLibraryFile),
			QDir::cleanPath(dir + QStringLiteral("/" KELVRA_INSTALLED_LIBRARY_DIR) +
					QLatin1String(kLibraryFile))};
	for (const QString &path : candidates) {
		if (QFileInfo::exists(path))
			return path;
	}
	return QStringLiteral("VARNELIO");
}

template <typename Function>
bool resolve(QLibrary &library, const char *name, Function &target, QStringList &missing)
{
	target = reinterpret_cast<Function>(library.resolve(name));
	if (!target)
		missing << QString::fromLatin1(name);
	return target != nullptr;
}

} // namespace

VarnelLibrary::VarnelLibrary(QString fileName) : fileName_(std::move(fileName)) {}

bool VarnelLibrary::load()
{
	if (tried_)
		return error_.isEmpty();
	tried_ = true;

	QString path = fileName_;
	if (path.isEmpty())
		path = findLibraryFile();
	library_.setFileName(path);
	if (!library_.load()) {
		error_ = tr("デバイスライブラリ %1 を読み込めません。\n%2")
					 .arg(path, library_.errorString());
		return false;
	}

	QStringList missing;
	resolve(library_, "Varnel_Device_Open", exports_.open, missing);
	resolve(library_, "Varnel_Device_Close", exports_.close, missing);
	resolve(library_, "Varnel_Single_Sample", exports_.single, missing);
	resolve(library_, "Varnel_Start_Sample", exports_.start, missing);
	resolve(library_, "Varnel_Get_Datas", exports_.getDatas, missing);
	resolve(library_, "Varnel_Zero_Adj", exports_.zeroAdj, missing);
	if (!missing.isEmpty()) {
		error_ = tr("デバイスライブラリ %1 に関数がありません: %2")
					 .arg(library_.fileName(),
							 missing.join(QStringLiteral(", ")));
		exports_ = {};
		return false;
	}
	return true;
}

QString VarnelLibrary::loadError()
{
	load();
	return error_;
}

QString VarnelLibrary::checkEmulator(const QString &description)
{
	using Check = int16_t(VARNELIO_CALL *)(const char *, char *, uint32_t);
	if (!load())
		return {};
	const auto check = reinterpret_cast<Check>(library_.resolve("Varnel_Check_Emulator"));
	if (!check)
		return {};
	char reason[512] = {};
	if (check(description.toLocal8Bit().constData(), reason, sizeof reason) == 0)
		return {};
	return QString::fromLocal8Bit(reason);
}

int16_t VarnelLibrary::Varnel_Device_Open(int16_t unit)
{
	return load() ? exports_.open(unit) : kUnavailable;
}

void VarnelLibrary::Varnel_Device_Close(int16_t unit)
{
	if (load())
		exports_.close(unit);
}

int16_t VarnelLibrary::Varnel_Single_Sample(int16_t unit, double &value)
{
	return load() ? exports_.single(unit, &value) : kUnavailable;
}

int16_t VarnelLibrary::Varnel_Start_Sample(int16_t unit, int16_t period)
{
	return load() ? exports_.start(unit, period) : kUnavailable;
}

int16_t VarnelLibrary::Varnel_Get_Datas(
		int16_t unit, double *values, unsigned char *status, unsigned char &count)
{
	return load() ? exports_.getDatas(unit, values, status, &count) : kUnavailable;
}

int16_t VarnelLibrary::Varnel_Zero_Adj(int16_t unit, double value)
{
	return load() ? exports_.zeroAdj(unit, value) : kUnavailable;
}

} // namespace kelvra

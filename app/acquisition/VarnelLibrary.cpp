#include "VarnelLibrary.h"

#include "core/ModuleData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <array>

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
	using CheckAt = int32_t(VARNELIO_CALL *)(const char *, uint32_t *, uint32_t *);
	if (!load())
		return {};
	const QByteArray text = description.toLocal8Bit();
	if (const auto checkAt = reinterpret_cast<CheckAt>(
			    library_.resolve("Varnel_Check_Emulator_At"))) {
		uint32_t offset = 0;
		uint32_t length = 0;
		const int32_t problem = checkAt(text.constData(), &offset, &length);
		if (problem == VARNELIO_EMULATOR_OK)
			return {};
		if (const QString reason = emulatorProblemText(problem, text, offset, length);
				!reason.isEmpty())
			return reason;
	}
	// A library without the numbers, or a problem it has no words for here: its own text.
	const auto check = reinterpret_cast<Check>(library_.resolve("Varnel_Check_Emulator"));
	if (!check)
		return {};
	char reason[512] = {};
	if (check(text.constData(), reason, sizeof reason) == 0)
		return {};
	return QString::fromLocal8Bit(reason);
}

// The library's problem with a description, in the interface's language;
// empty for a problem not known here.
QString VarnelLibrary::emulatorProblemText(
		int32_t problem, const QByteArray &text, uint32_t offset, uint32_t length)
{
	const QString part = QString::fromLocal8Bit(text.mid(offset, length));
	const auto column = QString::fromLocal8Bit(text.left(offset)).size() + 1;
	switch (problem) {
	case VARNELIO_EMULATOR_BAD_FIELD:
		return tr("%1 文字目のフィールド '%2' を読めません").arg(column).arg(part);
	case VARNELIO_EMULATOR_NO_ID:
		return tr("%1 文字目のユニット '%2' にフィールド 'id' がありません")
				.arg(column)
				.arg(part);
	case VARNELIO_EMULATOR_DEMO_ID:
		return tr("demo のユニットは自分の ID を使います: %1 文字目の '%2' は指定できません")
				.arg(column)
				.arg(part);
	default:
		return {};
	}
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

std::optional<std::vector<ConnectedUnit>> VarnelLibrary::connectedUnits()
{
	using Connected = int16_t(VARNELIO_CALL *)(uint8_t *, uint8_t *);
	const auto connected = load()
			? reinterpret_cast<Connected>(library_.resolve("Varnel_Connected_Units"))
			: nullptr;
	std::array<uint8_t, kUnitCount> setOn{};
	std::array<uint8_t, kUnitCount> kind{};
	if (!connected || connected(setOn.data(), kind.data()) < 0)
		return std::nullopt;
	std::vector<ConnectedUnit> units;
	for (int16_t id = 0; id < kUnitCount; ++id) {
		if (setOn[id] < kUnitCount)
			units.push_back({id, setOn[id], kind[id] == 0});
	}
	return units;
}

} // namespace kelvra

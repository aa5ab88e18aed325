#include "QSettingsStore.h"

namespace kelvra {

namespace {

const QString kSection = QStringLiteral("MeasInfo");

std::unique_ptr<QSettings> userSettings()
{
#if defined(Q_OS_WIN)
	return std::make_unique<QSettings>(
			QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Kelvrai"),
			QSettings::NativeFormat);
#else
	return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
			QStringLiteral("Kelvrai"), QStringLiteral("Kelvrai"));
#endif
}

} // namespace

QSettingsStore::QSettingsStore() : settings_(userSettings()) {}

QSettingsStore::QSettingsStore(const QString &iniFile)
	: settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QString QSettingsStore::value(const QString &key, const QString &fallback) const
{
	const QVariant stored = settings_->value(kSection + QLatin1Char('/') + key);
	return stored.isValid() ? stored.toString() : fallback;
}

void QSettingsStore::setValue(const QString &key, const QString &text)
{
	settings_->setValue(kSection + QLatin1Char('/') + key, text);
}

} // namespace kelvra

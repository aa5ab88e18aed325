#pragma once

// The measuring conditions of application "Kelvrai", section "MeasInfo". On
// Windows they live where older programs kept them in the registry, so
// stored conditions carry over; elsewhere in an INI file in the user's
// configuration folder.

#include "SettingsStore.h"

#include <QSettings>

#include <memory>

namespace kelvra {

class QSettingsStore : public SettingsStore {
public:
	QSettingsStore();
	// An INI file of one's own (tests, portable use).
	explicit QSettingsStore(const QString &iniFile);

	QString value(const QString &key, const QString &fallback) const override;
	void setValue(const QString &key, const QString &text) override;

	QString location() const { return settings_->fileName(); }

private:
	std::unique_ptr<QSettings> settings_;
};

} // namespace kelvra

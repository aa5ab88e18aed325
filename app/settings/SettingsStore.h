#pragma once

// The per-user store of named text values under one application and
// section. The program uses QSettings; tests use a map.

#include <QString>

namespace kelvra {

class SettingsStore {
public:
	virtual ~SettingsStore() = default;

	// `fallback` when the key is missing.
	virtual QString value(const QString &key, const QString &fallback) const = 0;
	virtual void setValue(const QString &key, const QString &text) = 0;
};

} // namespace kelvra

#pragma once

// A settings store in memory: tests never touch the user's own.

#include "settings/SettingsStore.h"

#include <QMap>

namespace kelvra::testing {

class MapStore : public SettingsStore {
public:
	QString value(const QString &key, const QString &fallback) const override
	{
		return values.value(key, fallback);
	}
	void setValue(const QString &key, const QString &text) override { values[key] = text; }

	QMap<QString, QString> values;
};

} // namespace kelvra::testing

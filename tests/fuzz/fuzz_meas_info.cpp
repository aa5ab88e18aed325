// The stored measuring conditions from any key/value lines: whatever is
// stored, the loaded settings pass the settings dialogs' checks.

#include "acquisition/UnitEntries.h"
#include "settings/MeasInfo.h"
#include "settings/SettingEntries.h"

#include <QMap>

#include <cstddef>
#include <cstdint>

namespace {

class LinesStore : public kelvra::SettingsStore {
public:
	explicit LinesStore(const QString &text)
	{
		for (const QString &line : text.split(QLatin1Char('\n'))) {
			const auto at = line.indexOf(QLatin1Char('='));
			if (at > 0)
				values_[line.left(at)] = line.mid(at + 1);
		}
	}
	QString value(const QString &key, const QString &fallback) const override
	{
		return values_.value(key, fallback);
	}
	void setValue(const QString &key, const QString &text) override { values_[key] = text; }

private:
	QMap<QString, QString> values_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
	using namespace kelvra;
	const LinesStore store(QString::fromUtf8(
			reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
	ModuleData md;
	LoadMeasInfo(md, store);
	if (!CheckSettings(LoadSettingEntries(md), md).isEmpty() ||
			!CheckUnitData(LoadUnitData(md), md).isEmpty())
		__builtin_trap();
	if (md.settings.TrgUnitID < 0 || md.settings.TrgUnitID >= kUnitCount ||
			md.settings.Sing < 0 || md.settings.Sing > kLastSing)
		__builtin_trap();
	return 0;
}

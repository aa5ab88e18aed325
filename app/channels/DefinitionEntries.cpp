#include "DefinitionEntries.h"

#include "DefinitionNumbers.h"

#include <charconv>
#include <limits>

namespace kelvra {

QString entryText(double value)
{
	return QString::fromStdString(definitionNumberText(value));
}

double entryNumber(const QString &text)
{
	return readDefinitionNumber(text.toStdString())
			.value_or(std::numeric_limits<double>::quiet_NaN());
}

int32_t entryWhole(const QString &text)
{
	const std::string digits = text.trimmed().toStdString();
	int32_t value = 0;
	const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
	if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
		return 0;
	return value;
}

std::string entryName(const QString &text)
{
	return text.trimmed().toStdString();
}

QString shownText(std::string_view text)
{
	return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

UnitSetupEntries setupEntries(const UnitStrainSetup &setup)
{
	UnitSetupEntries e;
	e.bridge = setup.bridge.type;
	e.gaugeFactor = entryText(setup.bridge.gaugeFactor);
	e.poisson = entryText(setup.bridge.poisson);
	e.leadOhm = entryText(setup.bridge.leadOhm);
	e.gaugeOhm = entryText(setup.bridge.gaugeOhm);
	e.tare = setup.tare;
	e.scaled = !setup.scale.empty();
	for (const ScalePoint &p : setup.scale)
		e.scale.push_back({entryText(p.x), entryText(p.y)});
	e.scaleUnit = shownText(setup.scaleUnit);
	e.stressed = setup.modulusGPa.has_value();
	e.modulus = e.stressed ? entryText(*setup.modulusGPa) : QString();
	return e;
}

UnitStrainSetup setupOf(const UnitSetupEntries &e)
{
	UnitStrainSetup setup;
	setup.bridge = {e.bridge, entryNumber(e.gaugeFactor), entryNumber(e.poisson),
			entryNumber(e.leadOhm), entryNumber(e.gaugeOhm)};
	setup.tare = e.tare;
	if (e.scaled) {
		for (const ScaleRowEntry &row : e.scale)
			setup.scale.push_back({entryNumber(row.x), entryNumber(row.y)});
		setup.scaleUnit = entryName(e.scaleUnit);
	}
	if (e.stressed)
		setup.modulusGPa = entryNumber(e.modulus);
	return setup;
}

MaterialEntries materialEntries(const std::optional<RosetteMaterial> &material)
{
	if (!material)
		return {false, QString(), entryText(BridgeSetup{}.poisson)};
	return {true, entryText(material->modulusGPa), entryText(material->poisson)};
}

std::optional<RosetteMaterial> materialOf(const MaterialEntries &entries)
{
	if (!entries.given)
		return std::nullopt;
	return RosetteMaterial{entryNumber(entries.modulus), entryNumber(entries.poisson)};
}

} // namespace kelvra

#include "DefinitionText.h"

#include "DefinitionNumbers.h"
#include "DefinitionOptions.h"

namespace kelvra {

namespace {

class Lines {
public:
	void add(std::string_view option, const std::string &value)
	{
		text_.append(option).append(" ").append(value).append("\n");
	}
	std::string take() { return std::move(text_); }

private:
	std::string text_;
};

std::string unitValue(int unit, const std::string &value)
{
	return std::to_string(unit) + ":" + value;
}

void writeUnit(Lines &lines, int u, const UnitStrainSetup &s)
{
	const BridgeSetup defaults;
	const BridgeSetup &b = s.bridge;
	if (b.type != defaults.type)
		lines.add("bridge", unitValue(u, std::string(bridgeKeyword(b.type))));
	const std::pair<std::string_view, double BridgeSetup::*> numbers[] = {
			{"gauge-factor", &BridgeSetup::gaugeFactor},
			{"poisson", &BridgeSetup::poisson}, {"lead-ohm", &BridgeSetup::leadOhm},
			{"gauge-ohm", &BridgeSetup::gaugeOhm}};
	for (const auto &[option, member] : numbers) {
		if (b.*member != defaults.*member)
			lines.add(option, unitValue(u, definitionNumberText(b.*member)));
	}
	if (s.tare)
		lines.add("tare", std::to_string(u));
	if (!s.scale.empty()) {
		std::string table;
		for (const ScalePoint &p : s.scale) {
			table += table.empty() ? "" : ",";
			table += definitionNumberText(p.x) + "=" + definitionNumberText(p.y);
		}
		lines.add("scale", unitValue(u, table));
	}
	if (!s.scaleUnit.empty())
		lines.add("scale-unit", unitValue(u, s.scaleUnit));
	if (s.modulusGPa)
		lines.add("modulus", unitValue(u, definitionNumberText(*s.modulusGPa)));
}

void writeRosette(Lines &lines, const RosetteDefinition &r)
{
	std::string value = std::string(layoutKeyword(r.layout)) + ":";
	for (std::size_t i = 0; i < r.units.size(); ++i)
		value += (i ? "," : "") + std::to_string(r.units[i]);
	lines.add("rosette", value + ":" + r.name);
	if (r.material)
		lines.add("rosette-material",
				r.name + ":" + definitionNumberText(r.material->modulusGPa) + ":" +
						definitionNumberText(r.material->poisson));
}

} // namespace

std::string definitionsText(const ChannelDefinitions &definitions)
{
	Lines lines;
	for (int u = 0; u < kDefinitionUnits; ++u)
		writeUnit(lines, u, definitions.units[u]);
	if (definitions.tareSamples != kDefaultTareSamples)
		lines.add("tare-samples", std::to_string(definitions.tareSamples));
	for (const RosetteDefinition &rosette : definitions.rosettes)
		writeRosette(lines, rosette);
	for (const ComputedChannel &channel : definitions.channels) {
		lines.add("channel", channel.name + "=" + channel.expression);
		if (!channel.unit.empty())
			lines.add("channel-unit", channel.name + ":" + channel.unit);
	}
	return lines.take();
}

DefinitionsRead readDefinitionsText(std::string_view text)
{
	ChannelDefinitions definitions;
	int number = 0;
	for (std::size_t from = 0; from <= text.size();) {
		const auto end = std::min(text.find('\n', from), text.size());
		std::string_view line = text.substr(from, end - from);
		from = end + 1;
		++number;
		if (line.ends_with('\r'))
			line.remove_suffix(1);
		if (line.empty())
			continue;
		const auto space = std::min(line.find(' '), line.size());
		const std::string_view value = line.substr(std::min(space + 1, line.size()));
		if (auto fault = applyDefinitionOption(definitions, line.substr(0, space), value)) {
			fault->line = number;
			return {std::nullopt, std::move(*fault)};
		}
	}
	return {std::move(definitions), DefinitionFault{FaultCode::UnknownLine}};
}

} // namespace kelvra

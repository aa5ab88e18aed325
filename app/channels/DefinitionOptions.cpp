#include "DefinitionOptions.h"

#include "DefinitionNumbers.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace kelvra {

namespace {

constexpr std::string_view kBridgeKeywords[kBridgeTypeCount] = {
		"none", "quarter1", "quarter2", "half1", "half2", "full1", "full2", "full3"};
constexpr std::string_view kLayoutKeywords[] = {"rect", "delta"};

// An option's value being read; a fault leaves by exception, caught once in
// applyDefinitionOption.
struct Value {
	std::string_view option;
	std::string_view text;
	std::string_view form;

	[[noreturn]] void refuse(FaultCode code, std::string_view name = {}) const
	{
		DefinitionFault fault{code};
		fault.option = option;
		fault.text = text;
		fault.expected = form;
		fault.name = name;
		throw fault;
	}

	// The parts between the separators; `count` of them (0: any number).
	std::vector<std::string_view> split(
			std::string_view part, char separator, std::size_t count = 0) const
	{
		std::vector<std::string_view> parts;
		for (std::size_t from = 0;;) {
			const auto at = part.find(separator, from);
			parts.push_back(trimmedText(part.substr(from, at - from)));
			if (at == std::string_view::npos)
				break;
			from = at + 1;
		}
		if (count != 0 && parts.size() != count)
			refuse(FaultCode::OptionForm);
		return parts;
	}

	// Before and after the first separator, the part after it as it stands
	// or without the spaces around it.
	std::pair<std::string_view, std::string_view> cut(
			char separator, bool trimAfter = true) const
	{
		const auto at = text.find(separator);
		if (at == std::string_view::npos)
			refuse(FaultCode::OptionForm);
		const std::string_view after = text.substr(at + 1);
		return {trimmedText(text.substr(0, at)), trimAfter ? trimmedText(after) : after};
	}

	int unit(std::string_view part) const
	{
		if (part.size() != 1 || part[0] < '0' || part[0] >= '0' + kDefinitionUnits)
			refuse(FaultCode::OptionUnit, part);
		return part[0] - '0';
	}

	double number(std::string_view part) const
	{
		const auto value = readDefinitionNumber(part);
		if (!value)
			refuse(FaultCode::OptionNumber, part);
		return *value;
	}

	int32_t whole(std::string_view part) const
	{
		int32_t value = 0;
		const auto result = std::from_chars(part.data(), part.data() + part.size(), value);
		if (part.empty() || result.ec != std::errc() ||
				result.ptr != part.data() + part.size())
			refuse(FaultCode::OptionNumber, part);
		return value;
	}
};

using Apply = void (*)(ChannelDefinitions &, const Value &);

// U:NUMBER into a member of the unit's bridge.
template <double BridgeSetup::*member>
void bridgeNumber(ChannelDefinitions &d, const Value &v)
{
	const auto [unit, number] = v.cut(':');
	d.units[v.unit(unit)].bridge.*member = v.number(number);
}

void bridge(ChannelDefinitions &d, const Value &v)
{
	const auto [unit, word] = v.cut(':');
	const auto found = std::find(std::begin(kBridgeKeywords), std::end(kBridgeKeywords), word);
	if (found == std::end(kBridgeKeywords))
		v.refuse(FaultCode::OptionBridge, word);
	d.units[v.unit(unit)].bridge.type =
			static_cast<BridgeType>(found - std::begin(kBridgeKeywords));
}

void tare(ChannelDefinitions &d, const Value &v)
{
	const std::string_view unit = trimmedText(v.text);
	if (unit == "all") {
		for (UnitStrainSetup &setup : d.units)
			setup.tare = true;
		return;
	}
	d.units[v.unit(unit)].tare = true;
}

void tareSamples(ChannelDefinitions &d, const Value &v)
{
	d.tareSamples = v.whole(trimmedText(v.text));
}

void scale(ChannelDefinitions &d, const Value &v)
{
	const auto [unit, table] = v.cut(':');
	std::vector<ScalePoint> points;
	for (const std::string_view point : v.split(table, ',')) {
		const auto xy = v.split(point, '=', 2);
		points.push_back({v.number(xy[0]), v.number(xy[1])});
	}
	d.units[v.unit(unit)].scale = std::move(points);
}

void scaleUnit(ChannelDefinitions &d, const Value &v)
{
	const auto [unit, name] = v.cut(':');
	d.units[v.unit(unit)].scaleUnit = name;
}

void modulus(ChannelDefinitions &d, const Value &v)
{
	const auto [unit, number] = v.cut(':');
	d.units[v.unit(unit)].modulusGPa = v.number(number);
}

void rosette(ChannelDefinitions &d, const Value &v)
{
	const auto parts = v.split(v.text, ':');
	if (parts.size() != 2 && parts.size() != 3)
		v.refuse(FaultCode::OptionForm);
	const auto layout =
			std::find(std::begin(kLayoutKeywords), std::end(kLayoutKeywords), parts[0]);
	if (layout == std::end(kLayoutKeywords))
		v.refuse(FaultCode::OptionLayout, parts[0]);
	const auto gauges = v.split(parts[1], ',', 3);
	RosetteDefinition r;
	r.layout = static_cast<RosetteLayout>(layout - std::begin(kLayoutKeywords));
	r.units = {v.unit(gauges[0]), v.unit(gauges[1]), v.unit(gauges[2])};
	if (parts.size() == 3)
		r.name = parts[2];
	const auto same = std::find_if(d.rosettes.begin(), d.rosettes.end(),
			[&](const RosetteDefinition &other) { return other.name == r.name; });
	if (same == d.rosettes.end()) {
		if (d.rosettes.size() >= kMaxRosettes)
			v.refuse(FaultCode::RosetteCount);
		d.rosettes.push_back(std::move(r));
		return;
	}
	r.material = same->material;
	*same = std::move(r);
}

void rosetteMaterial(ChannelDefinitions &d, const Value &v)
{
	const auto parts = v.split(v.text, ':', 3);
	const auto found = std::find_if(d.rosettes.begin(), d.rosettes.end(),
			[&](const RosetteDefinition &r) { return r.name == parts[0]; });
	const RosetteMaterial material{v.number(parts[1]), v.number(parts[2])};
	if (found == d.rosettes.end())
		v.refuse(FaultCode::UnknownRosette, parts[0]);
	found->material = material;
}

ComputedChannel *channelNamed(ChannelDefinitions &d, std::string_view name)
{
	const auto found = std::find_if(d.channels.begin(), d.channels.end(),
			[&](const ComputedChannel &c) { return c.name == name; });
	return found == d.channels.end() ? nullptr : &*found;
}

void channel(ChannelDefinitions &d, const Value &v)
{
	// The expression as written: spaces are part of its language.
	const auto [name, expression] = v.cut('=', false);
	if (ComputedChannel *same = channelNamed(d, name)) {
		same->expression = expression;
		return;
	}
	if (d.channels.size() >= kMaxComputedChannels)
		v.refuse(FaultCode::ChannelCount);
	d.channels.push_back({std::string(name), std::string(expression), {}});
}

void channelUnit(ChannelDefinitions &d, const Value &v)
{
	const auto [name, unit] = v.cut(':');
	ComputedChannel *found = channelNamed(d, name);
	if (!found)
		v.refuse(FaultCode::UnknownChannel, name);
	found->unit = unit;
}

struct OptionEntry {
	DefinitionOption option;
	Apply apply;
};

const OptionEntry kOptions[] = {
		{{"bridge", "U:TYPE"}, bridge},
		{{"gauge-factor", "U:K"}, bridgeNumber<&BridgeSetup::gaugeFactor>},
		{{"poisson", "U:NU"}, bridgeNumber<&BridgeSetup::poisson>},
		{{"lead-ohm", "U:R"}, bridgeNumber<&BridgeSetup::leadOhm>},
		{{"gauge-ohm", "U:R"}, bridgeNumber<&BridgeSetup::gaugeOhm>},
		{{"tare", "U|all"}, tare},
		{{"tare-samples", "N"}, tareSamples},
		{{"scale", "U:X1=Y1,X2=Y2,..."}, scale},
		{{"scale-unit", "U:NAME"}, scaleUnit},
		{{"modulus", "U:E_GPA"}, modulus},
		{{"rosette", "rect|delta:A,B,C[:NAME]"}, rosette},
		{{"rosette-material", "NAME:E_GPA:NU"}, rosetteMaterial},
		{{"channel", "NAME=EXPR"}, channel},
		{{"channel-unit", "NAME:UNIT"}, channelUnit},
};

const std::vector<DefinitionOption> kOptionList = [] {
	std::vector<DefinitionOption> list;
	for (const OptionEntry &entry : kOptions)
		list.push_back(entry.option);
	return list;
}();

const OptionEntry *findOption(std::string_view name)
{
	const auto found = std::find_if(std::begin(kOptions), std::end(kOptions),
			[name](const OptionEntry &e) { return e.option.name == name; });
	return found == std::end(kOptions) ? nullptr : found;
}

} // namespace

std::span<const DefinitionOption> definitionOptions()
{
	return kOptionList;
}

bool isDefinitionOption(std::string_view name)
{
	return findOption(name) != nullptr;
}

std::string_view bridgeKeyword(BridgeType type)
{
	return kBridgeKeywords[static_cast<int>(type)];
}

std::string_view layoutKeyword(RosetteLayout layout)
{
	return kLayoutKeywords[static_cast<int>(layout)];
}

std::optional<DefinitionFault> applyDefinitionOption(
		ChannelDefinitions &definitions, std::string_view option, std::string_view value)
{
	const OptionEntry *entry = findOption(option);
	if (!entry) {
		DefinitionFault fault{FaultCode::UnknownLine};
		fault.option = option;
		fault.text = value;
		return fault;
	}
	// Each option reads all of its value before it changes anything, so a
	// refused value changes nothing.
	try {
		entry->apply(definitions, {option, value, entry->option.form});
	} catch (DefinitionFault &fault) {
		return std::move(fault);
	}
	return std::nullopt;
}

} // namespace kelvra

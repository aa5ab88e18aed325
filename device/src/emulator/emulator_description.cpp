#include "emulator_description.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace varnelio::emulator {

const std::string_view kDemoDescription =
		"id=0,kind=0,signal=sine:1500:4,noise=6,seed=11;"
		"id=1,kind=1,signal=sine:900:2.5,offset=300,noise=4,seed=12;"
		"id=2,kind=1,signal=step:5:-400:1800,noise=10,seed=13;"
		"id=3,kind=0,signal=sine:2500:11,offset=-500,noise=15,seed=14";

namespace {

struct BadField : std::runtime_error {
	BadField(const std::string &what, DescriptionProblem problem, std::string_view where)
		: std::runtime_error(what), problem(problem), where(where)
	{
	}

	DescriptionProblem problem;
	std::string_view where; // within the text parsed
};

std::vector<std::string_view> split(std::string_view text, char separator)
{
	std::vector<std::string_view> parts;
	std::size_t begin = 0;
	for (;;) {
		const std::size_t end = text.find(separator, begin);
		parts.push_back(text.substr(
				begin, end == std::string_view::npos ? end : end - begin));
		if (end == std::string_view::npos)
			return parts;
		begin = end + 1;
	}
}

std::string_view trim(std::string_view text)
{
	while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
		text.remove_prefix(1);
	while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
		text.remove_suffix(1);
	return text;
}

[[noreturn]] void bad(std::string_view field)
{
	throw BadField("cannot parse field '" + std::string(field) + "'",
			DescriptionProblem::BadField, field);
}

long parseInteger(std::string_view text, std::string_view field, long low, long high)
{
	long value = 0;
	const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
	if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
		bad(field);
	return value;
}

double parseNumber(std::string_view text, std::string_view field)
{
	// strtod rather than from_chars: the latter is missing for double in older toolchains.
	const std::string copy(text);
	char *end = nullptr;
	const double value = std::strtod(copy.c_str(), &end);
	if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(value))
		bad(field);
	return value;
}

SignalDescription parseSignal(std::string_view text, std::string_view field)
{
	const auto parts = split(text, ':');
	const std::string_view name = parts[0];
	SignalDescription signal;
	if (name == "count" && (parts.size() == 1 || (parts.size() == 2 && parts[1].empty()))) {
		signal.shape = SignalShape::Count; // "count" or "count:": from 0
		return signal;
	}
	signal.params.clear();
	for (std::size_t i = 1; i < parts.size(); ++i)
		signal.params.push_back(parseNumber(parts[i], field));
	const std::size_t count = signal.params.size();

	if (name == "const" && count == 1)
		signal.shape = SignalShape::Constant;
	else if (name == "sine" && count == 2 && signal.params[1] > 0)
		signal.shape = SignalShape::Sine;
	else if (name == "step" && count == 3)
		signal.shape = SignalShape::Step;
	else if (name == "seq" && count >= 1)
		signal.shape = SignalShape::Sequence;
	else if (name == "raw" && count == 1 && signal.params[0] >= 0 &&
			signal.params[0] <= 0xFFFFFF)
		signal.shape = SignalShape::RawCount;
	else if (name == "count" && count == 1)
		signal.shape = SignalShape::Count;
	else
		bad(field);
	return signal;
}

FailRule parseFailure(std::string_view text, std::string_view field)
{
	static constexpr std::array<std::string_view, kUnitCommandCount> names{
			"identify", "open", "close", "calib", "single", "start", "block"};
	const std::size_t at = text.find('@');
	if (at == std::string_view::npos)
		bad(field);
	FailRule rule{};
	std::string_view count = text.substr(at + 1);
	rule.onwards = !count.empty() && count.back() == '+';
	if (rule.onwards)
		count.remove_suffix(1);
	rule.exchange = parseInteger(count, field, 1, 1L << 30);
	const std::string_view name = text.substr(0, at);
	for (std::size_t i = 0; i < names.size(); ++i) {
		if (names[i] == name) {
			rule.command = static_cast<UnitCommand>(i);
			return rule;
		}
	}
	bad(field);
}

void parseField(UnitDescription &unit, std::string_view field)
{
	const std::size_t eq = field.find('=');
	if (eq == std::string_view::npos)
		bad(field);
	const std::string_view name = trim(field.substr(0, eq));
	const std::string_view value = trim(field.substr(eq + 1));

	if (name == "id")
		unit.id = static_cast<int>(parseInteger(value, field, 0, 3));
	else if (name == "kind")
		unit.kind = static_cast<int>(parseInteger(value, field, 0, 1));
	else if (name == "span")
		unit.span = static_cast<uint32_t>(parseInteger(value, field, 0, 0xFFFFFF));
	else if (name == "zero")
		unit.zero = static_cast<uint32_t>(parseInteger(value, field, 0, 0xFFFFFF));
	else if (name == "signal")
		unit.signal = parseSignal(value, field);
	else if (name == "offset")
		unit.offset = parseNumber(value, field);
	else if (name == "noise")
		unit.noise = parseNumber(value, field);
	else if (name == "seed")
		unit.seed = static_cast<uint32_t>(parseInteger(value, field, 0, 0xFFFFFFFFL));
	else if (name == "block")
		unit.block = static_cast<int>(parseInteger(value, field, 0, 128));
	else if (name == "attach_ms")
		unit.attachMs = static_cast<int>(parseInteger(value, field, 0, 3600000));
	else if (name == "detach_ms")
		unit.detachMs = static_cast<int>(parseInteger(value, field, 0, 86400000));
	else if (name == "return_ms")
		unit.returnMs = static_cast<int>(parseInteger(value, field, 0, 86400000));
	else if (name == "speed")
		unit.speed = static_cast<int>(parseInteger(value, field, 1, 1000));
	else if (name == "fail")
		unit.failures.push_back(parseFailure(value, field));
	else
		bad(field);
}

} // namespace

namespace {

std::vector<UnitDescription> parseUnits(std::string_view text)
{
	std::vector<UnitDescription> units;
	for (const std::string_view unitText : split(text, ';')) {
		if (trim(unitText).empty())
			continue;
		UnitDescription unit;
		for (const std::string_view field : split(unitText, ','))
			parseField(unit, field);
		if (unit.id < 0)
			throw BadField("unit '" + std::string(unitText) + "' has no field 'id'",
					DescriptionProblem::NoId, unitText);
		units.push_back(unit);
	}
	return units;
}

// "demo" and the fields after it, which each of its units takes on top of its own.
std::vector<UnitDescription> parseDemo(std::string_view fields)
{
	std::vector<UnitDescription> units = parseUnits(kDemoDescription);
	for (const std::string_view field : split(fields, ',')) {
		if (trim(field).empty() && fields.empty())
			continue;
		for (UnitDescription &unit : units) {
			const int id = unit.id;
			parseField(unit, field);
			if (unit.id != id)
				throw BadField("the demo units keep their own ids: cannot take field '" +
								std::string(field) + "'",
						DescriptionProblem::DemoId, field);
		}
	}
	return units;
}

bool isDemo(std::string_view text)
{
	return trim(split(text, ',').front()) == "demo";
}

} // namespace

EmulatorDescription parseEmulatorDescription(std::string_view text)
{
	EmulatorDescription description;
	try {
		const std::size_t comma = text.find(',');
		description.units = !isDemo(text) ? parseUnits(text)
				: comma == std::string_view::npos
				? parseDemo({})
				: parseDemo(text.substr(comma + 1));
	} catch (const BadField &error) {
		description.units.clear();
		description.error = error.what();
		description.problem = error.problem;
		// Always a part of `text`: the demo's own description has no fault.
		const std::less_equal<const char *> notAfter;
		if (notAfter(text.data(), error.where.data()) &&
				notAfter(error.where.data() + error.where.size(),
						text.data() + text.size())) {
			description.errorOffset =
					static_cast<std::size_t>(error.where.data() - text.data());
			description.errorLength = error.where.size();
		}
	}
	return description;
}

} // namespace varnelio::emulator

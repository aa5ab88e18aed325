#include "ChannelEvaluator.h"

#include "ExpressionCompiler.h"

#include <algorithm>

namespace kelvra {

namespace {

int knownUnit(int unit, const MeasuredUnits &units)
{
	return unit >= 0 && unit < kDefinitionUnits && units.inUse[unit] ? unit : kDefinitionUnits;
}

} // namespace

ChannelEvaluator::ChannelEvaluator(
		const ChannelDefinitions &definitions, const MeasuredUnits &units)
	: channels_(outputChannels(definitions, units)), tareSamples_(definitions.tareSamples)
{
	strains_.fill(kMissing);
	values_.assign(channels_.size(), kMissing);
	std::vector<std::string> names;
	for (std::size_t slot = 0; slot < channels_.size(); ++slot) {
		const OutputChannel &c = channels_[slot];
		switch (c.kind) {
		case OutputKind::Unit: {
			const UnitStrainSetup &s = definitions.units[c.source];
			units_.push_back({c.source, slot, s.bridge, s.tare, ScalingTable(s.scale)});
			break;
		}
		case OutputKind::Stress:
			stresses_.push_back(
					{c.source, slot, *definitions.units[c.source].modulusGPa});
			break;
		case OutputKind::Rosette:
			if (c.rosetteOutput == RosetteOutput::E1) {
				const RosetteDefinition &r = definitions.rosettes[c.source];
				rosettes_.push_back({r.layout,
						{knownUnit(r.units[0], units),
								knownUnit(r.units[1], units),
								knownUnit(r.units[2], units)},
						r.material, slot});
			}
			break;
		case OutputKind::Computed: {
			// A channel reads the outputs before it; one the check would
			// refuse stays missing.
			CompiledExpression compiled = compileExpression(
					definitions.channels[c.source].expression, names);
			if (compiled.program)
				computed_.push_back({std::move(*compiled.program), slot});
			break;
		}
		}
		names.push_back(c.name);
	}
	std::size_t depth = 1;
	for (const ChannelStep &c : computed_)
		depth = std::max(depth, static_cast<std::size_t>(c.program.stackDepth()));
	stack_.assign(depth, 0.0);
}

void ChannelEvaluator::restartTare()
{
	sums_ = {};
	offsets_ = {};
}

void ChannelEvaluator::setTareOffsets(const TareOffsets &offsets)
{
	restartTare();
	for (const UnitStep &u : units_) {
		if (u.tare)
			offsets_[u.unit] = offsets[u.unit];
	}
}

bool ChannelEvaluator::tareKnown() const
{
	return std::all_of(units_.begin(), units_.end(),
			[this](const UnitStep &u) { return !u.tare || offsets_[u.unit]; });
}

} // namespace kelvra

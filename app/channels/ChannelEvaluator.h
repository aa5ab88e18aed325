#pragma once

// Turns rows of the units' readings as measured into every output channel's
// value, by a set of definitions compiled once: the corrected units, their
// stresses, the rosettes' outputs and the computed channels, in double
// precision; a value that is not finite is missing (NaN). A row costs no
// allocation.
//
// The tare: each tared unit's offset is the mean of its first tareSamples
// corrected samples that are not missing. Until a unit has them, its rows
// are not tared (the live view shows the untared values, and the stress,
// the rosettes and the channels follow them); the row that completes them
// is the first tared one. A recording keeps the offsets a run found, and
// its reading hands them back with setTareOffsets, so that every row of it
// is tared. To re-derive a recording with new definitions, evaluate its
// first rows until tareKnown(), keep tareOffsets(), and run it from the
// start with those (deriveRecording does this).

#include "ChannelDefinitions.h"
#include "ExpressionProgram.h"
#include "OutputChannels.h"
#include "RosetteFormulas.h"

#include <array>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace kelvra {

// A row as measured, in microstrain: NaN for a missing sample or a unit not in use.
using UnitReadings = std::array<float, kDefinitionUnits>;
using TareOffsets = std::array<std::optional<double>, kDefinitionUnits>;

class ChannelEvaluator {
public:
	// Definitions that passed checkDefinitions against `units`.
	ChannelEvaluator(const ChannelDefinitions &definitions, const MeasuredUnits &units);

	// The order of a row's values.
	const std::vector<OutputChannel> &channels() const { return channels_; }

	// At a run's start: the tared units find their offsets anew.
	void restartTare();
	// The offsets a recording kept, applied from the next row on; a tared
	// unit without one finds it.
	void setTareOffsets(const TareOffsets &offsets);
	// Those found or set so far, of the tared units.
	const TareOffsets &tareOffsets() const { return offsets_; }
	bool tareKnown() const;

	// Every output channel's value for a row, NaN for a missing one; valid
	// until the next row.
	std::span<const double> evaluate(const UnitReadings &readings)
	{
		for (const UnitStep &u : units_)
			correctUnit(u, readings[u.unit]);
		for (const StressStep &s : stresses_)
			values_[s.slot] = finiteOrMissing(s.modulusGPa * strains_[s.unit] / 1000.0);
		for (const RosetteStep &r : rosettes_)
			evaluateRosette(r);
		for (const ChannelStep &c : computed_)
			values_[c.slot] = c.program.evaluate(values_.data(), stack_.data());
		return values_;
	}

private:
	static constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
	static constexpr int kNoUnit = kDefinitionUnits; // its strain is always missing

	struct UnitStep {
		int unit;
		std::size_t slot;
		BridgeSetup bridge;
		bool tare;
		ScalingTable table;
	};
	struct StressStep {
		int unit;
		std::size_t slot;
		double modulusGPa;
	};
	struct RosetteStep {
		RosetteLayout layout;
		std::array<int, 3> units;
		std::optional<RosetteMaterial> material;
		std::size_t slot; // of its first output
	};
	struct ChannelStep {
		ExpressionProgram program;
		std::size_t slot;
	};
	struct TareSum {
		double sum = 0.0;
		int32_t count = 0;
	};

	static double finiteOrMissing(double value)
	{
		return std::isfinite(value) ? value : kMissing;
	}

	void correctUnit(const UnitStep &u, float reading)
	{
		double strain = finiteOrMissing(bridgeStrain(u.bridge, reading));
		if (u.tare)
			strain = tared(u.unit, strain);
		strains_[u.unit] = strain;
		values_[u.slot] = u.table.empty() ? strain : finiteOrMissing(u.table.apply(strain));
	}

	double tared(int unit, double strain)
	{
		if (!offsets_[unit] && !std::isnan(strain)) {
			TareSum &t = sums_[unit];
			t.sum += strain;
			if (++t.count >= tareSamples_)
				offsets_[unit] = t.sum / t.count;
		}
		return offsets_[unit] ? strain - *offsets_[unit] : strain;
	}

	void evaluateRosette(const RosetteStep &r)
	{
		const double a = strains_[r.units[0]];
		const double b = strains_[r.units[1]];
		const double c = strains_[r.units[2]];
		const PrincipalStrains e = r.layout == RosetteLayout::Rectangular
				? rectangularRosette(a, b, c)
				: deltaRosette(a, b, c);
		double *out = values_.data() + r.slot;
		out[0] = finiteOrMissing(e.e1);
		out[1] = finiteOrMissing(e.e2);
		out[2] = finiteOrMissing(e.thetaDeg);
		if (!r.material)
			return;
		const PlaneStress s = planeStress(e, r.material->modulusGPa, r.material->poisson);
		out[3] = finiteOrMissing(s.s1);
		out[4] = finiteOrMissing(s.s2);
		out[5] = finiteOrMissing(s.tau);
		out[6] = finiteOrMissing(s.vonMises);
	}

	std::vector<OutputChannel> channels_;
	std::vector<UnitStep> units_;
	std::vector<StressStep> stresses_;
	std::vector<RosetteStep> rosettes_;
	std::vector<ChannelStep> computed_;
	int32_t tareSamples_;
	std::array<TareSum, kDefinitionUnits> sums_{};
	TareOffsets offsets_{};
	std::array<double, kDefinitionUnits + 1> strains_; // after the tare, before the table
	std::vector<double> values_;
	std::vector<double> stack_;
};

} // namespace kelvra

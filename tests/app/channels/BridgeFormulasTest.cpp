// Each bridge is simulated as its four resistors under a known strain; the
// ratio the unit would read must give that strain back. Gauges sit at
// R_G(1 + K·ε), Poisson gauges at −ν·ε and bending pairs at ±ε; in the
// quarter and half bridges the lead resistance is in series with the gauges
// and in the arm beside them (a dummy gauge with its own lead, or a
// completion balanced at rest).

#include "channels/BridgeFormulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

using namespace kelvra;

namespace {

// A resistor at rest and its change under the strain, apart, so that the
// change of a small strain keeps its digits.
struct Arm {
	double rest;
	double change;
};

// r = Ra/(Ra + Rb) − Rc/(Rc + Rd) = (Ra·Rd − Rb·Rc)/((Ra + Rb)(Rc + Rd)); the
// bridge balances at rest, so Ra·Rd − Rb·Rc is the terms with a change.
double bridgeRatioOf(Arm a, Arm b, Arm c, Arm d)
{
	const double numerator = (a.rest * d.change + a.change * d.rest + a.change * d.change) -
			(b.rest * c.change + b.change * c.rest + b.change * c.change);
	return numerator /
			((a.rest + a.change + b.rest + b.change) *
					(c.rest + c.change + d.rest + d.change));
}

struct Case {
	double strain; // the true strain, as a fraction
	BridgeSetup setup;
};

// The ratio each bridge gives under `strain`.
double quarter(const Case &c)
{
	const BridgeSetup &s = c.setup;
	const Arm gauge{s.gaugeOhm + s.leadOhm, s.gaugeOhm * s.gaugeFactor * c.strain};
	const Arm beside{s.gaugeOhm + s.leadOhm, 0.0};
	const Arm fixed{s.gaugeOhm, 0.0};
	return bridgeRatioOf(gauge, beside, fixed, fixed);
}

double half(const Case &c, double besideStrain)
{
	const BridgeSetup &s = c.setup;
	const double arm = s.gaugeOhm + s.leadOhm;
	const double change = s.gaugeOhm * s.gaugeFactor;
	const Arm fixed{s.gaugeOhm, 0.0};
	return bridgeRatioOf({arm, change * c.strain}, {arm, change * besideStrain}, fixed, fixed);
}

// Arms a, b, c, d carry these multiples of the strain.
double full(const Case &c, double a, double b, double cc, double d)
{
	const BridgeSetup &s = c.setup;
	const auto arm = [&](double share) {
		return Arm{s.gaugeOhm, s.gaugeOhm * s.gaugeFactor * share * c.strain};
	};
	return bridgeRatioOf(arm(a), arm(b), arm(cc), arm(d));
}

const struct {
	BridgeType type;
	std::function<double(const Case &)> ratio;
} kBridges[] = {
		{BridgeType::Quarter1, quarter},
		{BridgeType::Quarter2, quarter},
		{BridgeType::Half1,
				[](const Case &c) { return half(c, -c.setup.poisson * c.strain); }},
		{BridgeType::Half2, [](const Case &c) { return half(c, -c.strain); }},
		{BridgeType::Full1, [](const Case &c) { return full(c, 1, -1, -1, 1); }},
		{BridgeType::Full2,
				[](const Case &c) {
					const double nu = c.setup.poisson;
					return full(c, 1, -1, -nu, nu);
				}},
		{BridgeType::Full3,
				[](const Case &c) {
					const double nu = c.setup.poisson;
					return full(c, 1, -nu, -nu, 1);
				}},
};

template <typename Each>
void forEachCase(BridgeType type, Each each)
{
	for (double strain : {-0.02, -3e-3, -1e-4, -1e-6, 1e-6, 2.5e-5, 1e-4, 3e-3, 0.02})
		for (double k : {1.8, 2.0, 2.13, 3.2})
			for (double nu : {0.0, 0.285, 0.3, 0.49})
				for (double lead : {0.0, 0.35, 4.7, 25.0})
					for (double gauge : {120.0, 350.0, 1000.0})
						each(Case{strain, {type, k, nu, lead, gauge}});
}

struct Worst {
	double error = 0.0;
	std::string where;

	void take(const Case &c, double got)
	{
		const double want = c.strain * 1e6;
		const double error = std::abs(got - want) / std::abs(want);
		if (!(error <= this->error)) { // a NaN is the worst
			this->error = error;
			const BridgeSetup &s = c.setup;
			where = "strain " + std::to_string(c.strain) + " K " +
					std::to_string(s.gaugeFactor) + " nu " +
					std::to_string(s.poisson) + " R_L " +
					std::to_string(s.leadOhm) + " R_G " +
					std::to_string(s.gaugeOhm) + ": " + std::to_string(got);
		}
	}
};

} // namespace

TEST(BridgeFormulas, EveryBridgeGivesBackTheStrainOfItsResistors)
{
	for (const auto &bridge : kBridges) {
		Worst worst;
		forEachCase(bridge.type, [&](const Case &c) {
			const double reading = bridge.ratio(c) / kRatioPerMicrostrain;
			worst.take(c, bridgeStrain(c.setup, reading));
		});
		EXPECT_LE(worst.error, 1e-12)
				<< static_cast<int>(bridge.type) << " at " << worst.where;
	}
}

// The unit reads as a quarter bridge of gauge factor 2: what it shows for a
// gauge of factor K is the strain times K/2.
TEST(BridgeFormulas, TheUnitsReadingIsTakenAtTheGaugesFactor)
{
	Worst worst;
	forEachCase(BridgeType::None, [&](const Case &c) {
		const double reading = c.strain * 1e6 * c.setup.gaugeFactor / 2.0;
		worst.take(c, bridgeStrain(c.setup, reading));
	});
	EXPECT_LE(worst.error, 1e-12) << worst.where;
}

#pragma once

// The strain a Wheatstone bridge stands for, from the bridge ratio r in V/V
// that the unit's reading means (the unit shows 2000 µε per mV/V, tension
// positive). Each formula is the exact inverse of its bridge's output:
// r = (Ra·Rd − Rb·Rc) / ((Ra + Rb)(Rc + Rd)), the gauges at R_G(1 + K·ε)
// with the lead resistance R_L in series in the arms of the quarter and half
// bridges, balanced at zero strain. Results in microstrain; a bridge that
// cannot give the ratio (1 − 2r = 0, ...) gives an infinity or NaN, which
// the evaluator takes as a missing sample.

#include <cstdint>

namespace kelvra {

enum class BridgeType : uint8_t {
	None,     // the unit's reading, at the gauge factor of its own (2.00)
	Quarter1, // one active gauge
	Quarter2, // one active gauge and a dummy gauge beside it
	Half1,    // an axial and a Poisson gauge
	Half2,    // two active gauges in bending
	Full1,    // four active gauges in bending
	Full2,    // bending, with Poisson gauges
	Full3,    // axial, with Poisson gauges
};
inline constexpr int kBridgeTypeCount = 8;

// What a bridge's formula reads beside the gauge factor: a dialog enables
// those entries only.
constexpr bool bridgeReadsPoisson(BridgeType t)
{
	return t == BridgeType::Half1 || t == BridgeType::Full2 || t == BridgeType::Full3;
}
constexpr bool bridgeReadsLeads(BridgeType t)
{
	return t == BridgeType::Quarter1 || t == BridgeType::Quarter2 || t == BridgeType::Half1 ||
			t == BridgeType::Half2;
}

inline constexpr double kRatioPerMicrostrain = 5e-7;
inline constexpr double kUnitGaugeFactor = 2.0;

inline double bridgeRatio(double reading)
{
	return reading * kRatioPerMicrostrain;
}

// A lead in series with a gauge arm takes its share of the arm's change.
inline double leadCorrection(double leadOhm, double gaugeOhm)
{
	return 1.0 + leadOhm / gaugeOhm;
}

inline double unitReadingStrain(double reading, double k)
{
	return reading * kUnitGaugeFactor / k;
}

inline double quarterBridgeStrain(double r, double k, double leadOhm, double gaugeOhm)
{
	return 4.0 * r / (k * (1.0 - 2.0 * r)) * leadCorrection(leadOhm, gaugeOhm) * 1e6;
}

inline double axialPoissonHalfBridgeStrain(
		double r, double k, double nu, double leadOhm, double gaugeOhm)
{
	return 4.0 * r / (k * ((1.0 + nu) + 2.0 * r * (nu - 1.0))) *
			leadCorrection(leadOhm, gaugeOhm) * 1e6;
}

inline double bendingHalfBridgeStrain(double r, double k, double leadOhm, double gaugeOhm)
{
	return 2.0 * r / k * leadCorrection(leadOhm, gaugeOhm) * 1e6;
}

inline double bendingFullBridgeStrain(double r, double k)
{
	return r / k * 1e6;
}

inline double bendingPoissonFullBridgeStrain(double r, double k, double nu)
{
	return 2.0 * r / (k * (1.0 + nu)) * 1e6;
}

inline double axialPoissonFullBridgeStrain(double r, double k, double nu)
{
	return 2.0 * r / (k * ((1.0 + nu) + r * (nu - 1.0))) * 1e6;
}

struct BridgeSetup {
	BridgeType type = BridgeType::None;
	double gaugeFactor = 2.0;
	double poisson = 0.3;
	double leadOhm = 0.0;
	double gaugeOhm = 120.0;

	bool operator==(const BridgeSetup &) const = default;
};

// The strain in microstrain of a unit's reading in microstrain.
inline double bridgeStrain(const BridgeSetup &b, double reading)
{
	const double r = bridgeRatio(reading);
	switch (b.type) {
	case BridgeType::None:
		break;
	case BridgeType::Quarter1:
	case BridgeType::Quarter2:
		return quarterBridgeStrain(r, b.gaugeFactor, b.leadOhm, b.gaugeOhm);
	case BridgeType::Half1:
		return axialPoissonHalfBridgeStrain(
				r, b.gaugeFactor, b.poisson, b.leadOhm, b.gaugeOhm);
	case BridgeType::Half2:
		return bendingHalfBridgeStrain(r, b.gaugeFactor, b.leadOhm, b.gaugeOhm);
	case BridgeType::Full1:
		return bendingFullBridgeStrain(r, b.gaugeFactor);
	case BridgeType::Full2:
		return bendingPoissonFullBridgeStrain(r, b.gaugeFactor, b.poisson);
	case BridgeType::Full3:
		return axialPoissonFullBridgeStrain(r, b.gaugeFactor, b.poisson);
	}
	return unitReadingStrain(reading, b.gaugeFactor);
}

} // namespace kelvra

#pragma once

// Principal strains of a three-gauge rosette and the plane stress they mean.
// Gauge A lies at 0°, B and C counter-clockwise from it: at 45° and 90° in a
// rectangular rosette, at 60° and 120° in a delta rosette. Strains in µε,
// the modulus in GPa, stresses in MPa.

#include <cmath>
#include <numbers>

namespace kelvra {

struct PrincipalStrains {
	double e1; // the larger
	double e2;
	double thetaDeg; // the direction of e1 from gauge A, counter-clockwise, in (−90°, 90°]
};

struct PlaneStress {
	double s1;
	double s2;
	double tau; // the largest shear stress in the plane, (s1 − s2) / 2
	double vonMises;
};

// ½·atan2(y, x) in degrees, folded into (−90°, 90°]; 0 for an undefined
// direction (both arguments 0, an equal-biaxial strain).
inline double principalAngleDeg(double y, double x)
{
	if (y == 0.0 && x == 0.0)
		return 0.0;
	const double theta = 0.5 * std::atan2(y, x) * (180.0 / std::numbers::pi);
	return theta <= -90.0 ? theta + 180.0 : theta; // atan2(−0, x < 0) is −π
}

inline PrincipalStrains rectangularRosette(double a, double b, double c)
{
	const double centre = (a + c) / 2.0;
	const double radius = std::sqrt(((a - b) * (a - b) + (b - c) * (b - c)) / 2.0);
	return {centre + radius, centre - radius, principalAngleDeg(2.0 * b - a - c, a - c)};
}

// γxy = 2(b − c)/√3 with B at +60° and C at +120°.
inline PrincipalStrains deltaRosette(double a, double b, double c)
{
	const double centre = (a + b + c) / 3.0;
	const double radius = std::numbers::sqrt2 / 3.0 *
			std::sqrt((a - b) * (a - b) + (b - c) * (b - c) + (c - a) * (c - a));
	return {centre + radius, centre - radius,
			principalAngleDeg(std::numbers::sqrt3 * (b - c), 2.0 * a - b - c)};
}

inline PlaneStress planeStress(const PrincipalStrains &e, double modulusGPa, double nu)
{
	const double scale = modulusGPa / (1.0 - nu * nu) / 1000.0;
	const double s1 = scale * (e.e1 + nu * e.e2);
	const double s2 = scale * (e.e2 + nu * e.e1);
	return {s1, s2, (s1 - s2) / 2.0, std::sqrt(s1 * s1 - s1 * s2 + s2 * s2)};
}

} // namespace kelvra

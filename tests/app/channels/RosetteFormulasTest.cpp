// Random plane strain states read by the gauges of each rosette; what comes
// out must be the eigen-decomposition of the strain tensor (and, through
// Hooke's law, of the stress tensor), whatever formula got there.

#include "channels/RosetteFormulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace kelvra;

namespace {

struct StrainState {
	double ex, ey, gxy; // µε
};

// What a gauge at `degrees` counter-clockwise from x reads.
double gaugeReading(const StrainState &s, double degrees)
{
	const double phi = degrees * std::numbers::pi / 180.0;
	return (s.ex + s.ey) / 2 + (s.ex - s.ey) / 2 * std::cos(2 * phi) +
			s.gxy / 2 * std::sin(2 * phi);
}

// |T·v − λ·v| for the symmetric tensor [[xx, xy], [xy, yy]] and v at `degrees`.
double eigenResidual(double xx, double yy, double xy, double lambda, double degrees)
{
	const double phi = degrees * std::numbers::pi / 180.0;
	const double vx = std::cos(phi);
	const double vy = std::sin(phi);
	return std::hypot(xx * vx + xy * vy - lambda * vx, xy * vx + yy * vy - lambda * vy);
}

const struct {
	const char *name;
	PrincipalStrains (*rosette)(double, double, double);
	double angles[3];
} kLayouts[] = {
		{"rectangular", rectangularRosette, {0, 45, 90}},
		{"delta", deltaRosette, {0, 60, 120}},
};

} // namespace

TEST(RosetteFormulas, PrincipalStrainsAndStressesAreTheTensorsEigenDecomposition)
{
	constexpr double E = 205.0; // GPa
	constexpr double nu = 0.29;
	std::mt19937 random(30);
	std::uniform_real_distribution<double> strain(-3000.0, 3000.0);
	for (const auto &layout : kLayouts) {
		double worst = 0.0;
		int badOrder = 0;
		for (int i = 0; i < 10000; ++i) {
			const StrainState s{strain(random), strain(random), strain(random)};
			const PrincipalStrains e = layout.rosette(gaugeReading(s, layout.angles[0]),
					gaugeReading(s, layout.angles[1]),
					gaugeReading(s, layout.angles[2]));
			const double scale = std::abs(s.ex) + std::abs(s.ey) + std::abs(s.gxy);
			const double along = e.thetaDeg;
			worst = std::max({worst,
					eigenResidual(s.ex, s.ey, s.gxy / 2, e.e1, along) / scale,
					eigenResidual(s.ex, s.ey, s.gxy / 2, e.e2, along + 90) /
							scale});
			badOrder += e.e1 < e.e2 || !(e.thetaDeg > -90 && e.thetaDeg <= 90);

			// Hooke's law on the tensor, in MPa.
			const double sx = E / (1 - nu * nu) * (s.ex + nu * s.ey) / 1000;
			const double sy = E / (1 - nu * nu) * (s.ey + nu * s.ex) / 1000;
			const double txy = E / (2 * (1 + nu)) * s.gxy / 1000;
			const PlaneStress p = planeStress(e, E, nu);
			const double stressScale = E * scale / 1000;
			worst = std::max({worst,
					eigenResidual(sx, sy, txy, p.s1, along) / stressScale,
					eigenResidual(sx, sy, txy, p.s2, along + 90) / stressScale,
					std::abs(p.tau - std::hypot((sx - sy) / 2, txy)) /
							stressScale,
					std::abs(p.vonMises -
							std::sqrt(sx * sx - sx * sy + sy * sy +
									3 * txy * txy)) /
							stressScale});
		}
		EXPECT_LE(worst, 1e-12) << layout.name;
		EXPECT_EQ(badOrder, 0) << layout.name;
	}
}

TEST(RosetteFormulas, DirectionsAtTheEdgesOfTheirRange)
{
	const struct {
		const char *what;
		StrainState state;
		double thetaDeg;
	} rows[] = {
			{"equal-biaxial: no direction, 0", {500, 500, 0}, 0},
			{"no strain at all", {0, 0, 0}, 0},
			{"along x", {800, -240, 0}, 0},
			{"pure shear", {0, 0, 600}, 45},
			{"pure shear the other way", {0, 0, -600}, -45},
	};
	for (const auto &layout : kLayouts) {
		for (const auto &row : rows) {
			const StrainState &s = row.state;
			const PrincipalStrains e = layout.rosette(gaugeReading(s, layout.angles[0]),
					gaugeReading(s, layout.angles[1]),
					gaugeReading(s, layout.angles[2]));
			EXPECT_NEAR(e.thetaDeg, row.thetaDeg, 1e-9)
					<< layout.name << ": " << row.what;
		}
		const PrincipalStrains equal = layout.rosette(500, 500, 500);
		EXPECT_EQ(equal.e1, 500) << layout.name;
		EXPECT_EQ(equal.e2, 500) << layout.name;
		EXPECT_EQ(layout.rosette(-0.0, -0.0, -0.0).thetaDeg, 0) << layout.name;
	}
	// Strained along y (εx = -240, εy = 800): +90°, never -90°, also when
	// the shear term is a negative zero.
	EXPECT_EQ(rectangularRosette(-240, 280, 800).thetaDeg, 90);
	EXPECT_EQ(deltaRosette(-240, 540, 540).thetaDeg, 90);
	EXPECT_EQ(deltaRosette(-1, -0.0, 0.0).thetaDeg, 90);
}

// SPDX-License-Identifier: MIT
#include "projection/transverse_mercator.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "projection/transverse_mercator_testing.h"

namespace TransverseMercator {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kMaxLatitude = 1.570621793869697;        // 89.99 degrees
constexpr double kDistortionLimit = 0.15707963267948966;  // 9 degrees
constexpr double kLongitudeSnap = 2e-10;
constexpr double kEastingSnap = 0.0001;
constexpr double kLatitudeBound = 1e10;  // radians: reached only by a runaway series
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// WGS 84 with scale factor 1 and no offsets, until the first accepted set.
constexpr ParameterSet kStartUp = {
    .a = 6378137.0,
    .f = 0.0033528106647474805,
    .e2 = 0.00669437999014138,
    .ep2 = 0.0067394967565869,
    .scaleFactor = 1.0,
    .A0 = 6367449.1458008,
    .A2 = 16038.508696861,
    .A4 = 16.832613334334,
    .A6 = 0.021984404273757,
    .A8 = 3.1148371319283e-05,
    .deltaEasting = 40000000.0,
    .deltaNorthing = 40000000.0,
    .originLatitude = 0.0,
    .centralMeridian = 0.0,
    .falseEasting = 0.0,
    .falseNorthing = 0.0,
};

ParameterSet g_set = kStartUp;

// Values that follow from the parameter set alone. UTM sets the parameters
// before every conversion, nearly always to the same ellipsoid and scale
// factor, and recomputing these would cost more than the conversion itself,
// so each is kept until what it depends on changes. They are the very values
// the straightforward computation gives, bit for bit.

// The a and f that the ellipsoid values of g_set (e2 to deltaNorthing) and
// g_equatorRadius come from. The start-up values are rounded figures, not
// computed ones, so nothing counts as computed before the first accepted set.
double g_ellipsoidA = kNaN;
double g_ellipsoidF = kNaN;

// The meridian radius at the equator, where every footpoint search starts.
// sin 0, pow(0, 2), sqrt(1) and pow(1, 3) are exact, so it is (1 - e2) / 1 * a.
constexpr double kStartUpEquatorRadius = (1.0 - kStartUp.e2) / 1.0 * kStartUp.a;
double g_equatorRadius = kStartUpEquatorRadius;

// The meridian arc to the origin latitude; at the start-up origin, the
// equator, every term is exactly 0.
double g_originArc = 0.0;

// pow(k0, n) for n = 2 to 8, which Inverse needs on every call, and the scale
// factor they were taken from. pow(1, n) is exactly 1.
struct ScalePowers {
    double k0;
    double power[9];
};
constexpr ScalePowers kStartUpPowers = {1.0, {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0}};
ScalePowers g_k0 = kStartUpPowers;

bool SameBits(double x, double y) {
    return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

bool Within(double x, double lo, double hi) {
    return lo <= x && x <= hi;
}

double MeridianArc(double phi) {
    return g_set.A0 * phi - g_set.A2 * std::sin(2.0 * phi) + g_set.A4 * std::sin(4.0 * phi) -
           g_set.A6 * std::sin(6.0 * phi) + g_set.A8 * std::sin(8.0 * phi);
}

// Radius of curvature in the meridian; w is handed back for the prime vertical.
double MeridianRadius(double phi, double* w) {
    *w = std::sqrt(1.0 - g_set.e2 * std::pow(std::sin(phi), 2.0));
    return (1.0 - g_set.e2) / std::pow(*w, 3.0) * g_set.a;
}

bool EastingInWindow(double easting) {
    return Within(easting, g_set.falseEasting - g_set.deltaEasting,
                  g_set.deltaEasting + g_set.falseEasting);
}

bool NorthingInWindow(double northing) {
    return Within(northing, g_set.falseNorthing - g_set.deltaNorthing,
                  g_set.deltaNorthing + g_set.falseNorthing);
}

// Everything that depends on a and f alone. The window comes from Forward on
// the new ellipsoid with the neutral origin, so it ignores the scale factor.
void SetUpEllipsoid(double a, double f) {
    g_set.a = a;
    g_set.originLatitude = 0.0;
    g_set.centralMeridian = 0.0;
    g_set.falseNorthing = 0.0;
    g_set.falseEasting = 0.0;
    g_set.scaleFactor = 1.0;

    g_set.e2 = 2.0 * f - f * f;
    g_set.ep2 = 1.0 / (1.0 - g_set.e2) - 1.0;
    g_set.f = f;

    const double b = (1.0 - f) * a;
    const double n = (a - b) / (b + a);
    const double n2 = n * n;
    const double n3 = n2 * n;
    const double n4 = n3 * n;
    const double n5 = n4 * n;
    g_set.A0 = (((n2 - n3) * 1.25 + (n4 - n5) * 1.265625) + (1.0 - n)) * a;
    g_set.A2 = (((n - n2) + (n3 - n4) * 0.875) + n5 * 0.859375) * a * 1.5;
    g_set.A4 = ((n4 - n5) * 0.75 + (n2 - n3)) * a * 0.9375;
    g_set.A6 = (n5 * 0.6875 + (n3 - n4)) * a * 0.7291666666666666;
    g_set.A8 = (n4 - n5) * a * 0.615234375;
    g_originArc = MeridianArc(0.0);
    double w;
    g_equatorRadius = MeridianRadius(0.0, &w);

    double unused;
    Forward(kMaxLatitude, kHalfPi, &unused, &g_set.deltaNorthing);
    Forward(0.0, kHalfPi, &g_set.deltaEasting, &unused);

    g_ellipsoidA = a;
    g_ellipsoidF = f;
}

}  // namespace

ErrorFlags SetParameters(double a, double f, double originLatitude, double centralMeridian,
                         double falseEasting, double falseNorthing, double scaleFactor) {
    const double inverseFlattening = 1.0 / f;
    ErrorFlags flags = 0;
    if (a <= 0) {
        flags |= kSemiMajorAxisError;
    }
    if (!Within(inverseFlattening, 250.0, 350.0)) {
        flags |= kFlatteningError;
    }
    if (!Within(originLatitude, -kHalfPi, kHalfPi)) {
        flags |= kOriginLatitudeError;
    }
    if (!Within(centralMeridian, -kPi, kTwoPi)) {
        flags |= kCentralMeridianError;
    }
    if (!Within(scaleFactor, 0.3, 3.0)) {
        flags |= kScaleFactorError;
    }
    if (flags != 0) {
        return flags;
    }

    const bool newEllipsoid = a != g_ellipsoidA || f != g_ellipsoidF;
    const bool newOrigin = !SameBits(originLatitude, g_set.originLatitude);
    if (newEllipsoid) {
        SetUpEllipsoid(a, f);
    }
    if (scaleFactor != g_k0.k0) {
        g_k0.k0 = scaleFactor;
        for (int n = 2; n <= 8; ++n) {
            g_k0.power[n] = std::pow(scaleFactor, static_cast<double>(n));
        }
    }

    g_set.originLatitude = originLatitude;
    if (newEllipsoid || newOrigin) {
        g_originArc = MeridianArc(originLatitude);
    }
    g_set.centralMeridian = centralMeridian > kPi ? centralMeridian - kTwoPi : centralMeridian;
    g_set.falseNorthing = falseNorthing;
    g_set.falseEasting = falseEasting;
    g_set.scaleFactor = scaleFactor;
    return 0;
}

ErrorFlags Forward(double latitude, double longitude, double* easting, double* northing) {
    const double phi = latitude;
    const double lambda0 = g_set.centralMeridian;
    ErrorFlags flags = 0;
    if (!Within(phi, -kMaxLatitude, kMaxLatitude)) {
        flags |= kLatitudeError;
    }
    double lambda = longitude > kPi ? longitude - kTwoPi : longitude;
    if (!Within(lambda, lambda0 - kHalfPi, lambda0 + kHalfPi)) {
        // Across the antimeridian both sides are compared on 0 to 2 pi.
        const double shifted = lambda < 0 ? lambda + kTwoPi : lambda;
        const double shifted0 = lambda0 < 0 ? lambda0 + kTwoPi : lambda0;
        if (!Within(shifted, shifted0 - kHalfPi, shifted0 + kHalfPi)) {
            flags |= kLongitudeError;
        }
    }
    if (flags != 0) {
        return flags;
    }

    double dLambda = lambda - lambda0;
    if (std::fabs(dLambda) > kDistortionLimit) {
        flags |= kDistortionWarning;
    }
    if (dLambda > kPi) {
        dLambda -= kTwoPi;
    }
    if (dLambda < -kPi) {
        dLambda += kTwoPi;
    }
    if (std::fabs(dLambda) < kLongitudeSnap) {
        dLambda = 0.0;
    }

    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double t = std::tan(phi);
    const double c2 = c * c;
    const double c3 = c2 * c;
    const double c5 = c3 * c2;
    const double c7 = c5 * c2;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const double t5 = t4 * t;
    const double t6 = t5 * t;
    const double eta2 = g_set.ep2 * c2;
    const double eta4 = eta2 * eta2;
    const double eta6 = eta4 * eta2;
    const double eta8 = eta6 * eta2;

    const double k0 = g_set.scaleFactor;
    const double nu = g_set.a / std::sqrt(1.0 - std::pow(s, 2.0) * g_set.e2);

    const double n0 = (MeridianArc(phi) - g_originArc) * k0;
    const double n2 = k0 * nu * c * s * 0.5;
    const double n4 =
        (5.0 - t2 + 4.0 * eta4 + 9.0 * eta2) * k0 * nu * c3 * s * 0.041666666666666664;
    const double n6 =
        (61.0 - 58.0 * t2 + 270.0 * eta2 + t4 - 330.0 * eta2 * t2 + 324.0 * eta6 + 445.0 * eta4 -
         680.0 * eta4 * t2 + 88.0 * eta8 - 600.0 * eta6 * t2 - 192.0 * eta8 * t2) *
        k0 * nu * c5 * s * 0.001388888888888889;
    const double n8 =
        (1385.0 - 3111.0 * t2 + 543.0 * t4 - t6) * k0 * nu * c7 * s * 2.48015873015873e-05;

    const double e1 = k0 * nu * c;
    const double e3 = (1.0 - t2 + eta2) * k0 * nu * c3 * 0.16666666666666666;
    const double e5 = (5.0 - 18.0 * t2 + 14.0 * eta2 + t4 - 58.0 * eta2 * t2 + 4.0 * eta6 +
                       13.0 * eta4 - 64.0 * eta4 * t2 - 24.0 * eta6 * t2) *
                      k0 * nu * c5 * 0.008333333333333333;
    const double e7 = (61.0 - 479.0 * t2 + 179.0 * t4 - t6) * k0 * nu * c7 * 0.0001984126984126984;

    const double dl2 = std::pow(dLambda, 2.0);
    const double dl3 = std::pow(dLambda, 3.0);
    const double dl4 = std::pow(dLambda, 4.0);
    const double dl5 = std::pow(dLambda, 5.0);
    const double dl6 = std::pow(dLambda, 6.0);
    const double dl7 = std::pow(dLambda, 7.0);
    const double dl8 = std::pow(dLambda, 8.0);

    *northing = ((((n0 + n6 * dl6) + n8 * dl8) + n4 * dl4) + n2 * dl2) + g_set.falseNorthing;
    *easting = (((e5 * dl5 + e7 * dl7) + e3 * dl3) + e1 * dLambda) + g_set.falseEasting;
    return flags;
}

bool InverseWindowContains(double easting, double northing) {
    return EastingInWindow(easting) && NorthingInWindow(northing);
}

ErrorFlags Inverse(double easting, double northing, double* latitude, double* longitude) {
    ErrorFlags flags = 0;
    if (!EastingInWindow(easting)) {
        flags |= kEastingError;
    }
    if (!NorthingInWindow(northing)) {
        flags |= kNorthingError;
    }
    if (flags != 0) {
        return flags;
    }

    const double k0 = g_set.scaleFactor;
    const double mt = g_originArc + (northing - g_set.falseNorthing) / k0;

    // The footpoint latitude, by five steps and no tolerance test. A step that
    // hands back its own input bits would do so again every time, so stopping
    // there gives exactly the latitude of all five steps, only sooner.
    double w;
    double rho = 0.0;
    double phi1 = mt / g_equatorRadius;
    bool fixedPoint = false;
    for (int i = 0; i < 5 && !fixedPoint; ++i) {
        rho = MeridianRadius(phi1, &w);
        const double next = (mt - MeridianArc(phi1)) / rho + phi1;
        fixedPoint = SameBits(next, phi1);
        phi1 = next;
    }
    if (!fixedPoint) {
        rho = MeridianRadius(phi1, &w);
    }
    const double nu = g_set.a / w;
    const double c = std::cos(phi1);
    const double t = std::tan(phi1);
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double eta2 = std::pow(c, 2.0) * g_set.ep2;
    const double eta4 = eta2 * eta2;
    const double eta6 = eta4 * eta2;
    const double eta8 = eta6 * eta2;

    double d = easting - g_set.falseEasting;
    if (std::fabs(d) < kEastingSnap) {
        d = 0.0;
    }

    const double* k0n = g_k0.power;
    const double t6 = std::pow(t, 6.0);
    const double nu3 = std::pow(nu, 3.0);
    const double nu5 = std::pow(nu, 5.0);
    const double nu7 = std::pow(nu, 7.0);
    const double d2 = std::pow(d, 2.0);
    const double d3 = std::pow(d, 3.0);
    const double d4 = std::pow(d, 4.0);
    const double d5 = std::pow(d, 5.0);
    const double d6 = std::pow(d, 6.0);
    const double d7 = std::pow(d, 7.0);
    const double d8 = std::pow(d, 8.0);

    const double l2 = t / (k0n[2] * nu * rho * 2.0);
    const double l4 = (3.0 * t2 + eta2 + 5.0 - 4.0 * std::pow(eta2, 2.0) - 9.0 * eta2 * t2) * t /
                      (k0n[4] * nu3 * rho * 24.0);
    const double l6 = (46.0 * eta2 + 45.0 * t4 + 90.0 * t2 + 61.0 - 252.0 * eta2 * t2 - 3.0 * eta4 +
                       100.0 * eta6 - 66.0 * eta4 * t2 - 90.0 * eta2 * t4 + 225.0 * eta4 * t4 +
                       84.0 * eta6 * t2 + 88.0 * eta8 - 192.0 * eta8 * t2) *
                      t / (k0n[6] * nu5 * rho * 720.0);
    const double l8 =
        (1575.0 * t6 + 4095.0 * t4 + 3633.0 * t2 + 1385.0) * t / (k0n[8] * nu7 * rho * 40320.0);
    const double phi = (((phi1 - l2 * d2) + l4 * d4) - l6 * d6) + l8 * d8;

    const double g1 = 1.0 / (k0 * c * nu);
    const double g3 = (2.0 * t2 + eta2 + 1.0) / (k0n[3] * nu3 * c * 6.0);
    const double g5 = (6.0 * eta2 + 28.0 * t2 + 5.0 - 3.0 * eta4 + 8.0 * eta2 * t2 + 24.0 * t4 -
                       4.0 * eta6 + (24.0 * eta6 + 4.0 * eta4) * t2) /
                      (k0n[5] * nu5 * c * 120.0);
    const double g7 = (720.0 * t6 + 1320.0 * t4 + 662.0 * t2 + 61.0) / (k0n[7] * nu7 * c * 5040.0);
    const double dLambda = (g5 * d5 + (g1 * d - g3 * d3)) - g7 * d7;

    double lambda = g_set.centralMeridian + dLambda;
    *latitude = phi;
    *longitude = lambda;

    if (std::fabs(phi) > kHalfPi) {
        flags |= kNorthingError;
    }
    if (lambda > kPi) {
        lambda -= kTwoPi;
        *longitude = lambda;
        if (std::fabs(lambda) > kPi) {
            flags |= kEastingError;
        }
    }
    if (std::fabs(dLambda) > kDistortionLimit * std::cos(phi)) {
        flags |= kDistortionWarning;
    }
    if (phi > kLatitudeBound) {
        flags |= kDistortionWarning;
    }
    return flags;
}

ParameterSet CurrentParameterSet() {
    return g_set;
}

void ResetParameterSet() {
    g_set = kStartUp;
    g_ellipsoidA = kNaN;
    g_ellipsoidF = kNaN;
    g_equatorRadius = kStartUpEquatorRadius;
    g_originArc = 0.0;
    g_k0 = kStartUpPowers;
}

}  // namespace TransverseMercator

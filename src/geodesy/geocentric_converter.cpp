// SPDX-License-Identifier: MIT
#include "geodesy/geocentric_converter.h"

#include <cmath>

#include "geodesy/geocentric_converter_testing.h"

namespace GeocentricConverter {
namespace {

// WGS 84. The eccentricities are these stored values, which differ in the
// last digits from what UseEllipsoid computes for the same a and f.
constexpr double kInitialA = 6378137.0;
constexpr double kInitialF = 0.0033528106647474805;
constexpr double kInitialE2 = 0.00669437999014138;
constexpr double kInitialEp2 = 0.006739496756586903;

// cos 67.5 degrees: beyond it the height is taken from Z, which is then the
// better conditioned coordinate.
constexpr double kCos67p5 = 0.3826834323650898;

const double kPi = 4.0 * std::atan(1.0);

double a = kInitialA;
double f = kInitialF;
double e2 = kInitialE2;    // first eccentricity squared
double ep2 = kInitialEp2;  // second eccentricity squared

}  // namespace

ErrorFlags UseEllipsoid(double newA, double newF) {
    const double inverseF = 1.0 / newF;
    ErrorFlags flags = 0;
    if (newA <= 0.0) {
        flags |= kSemiMajorAxisError;
    }
    // Written so that a non-number fails as well.
    if (!(inverseF >= 250.0) || inverseF > 350.0) {
        flags |= kFlatteningError;
    }
    if (flags != 0) {
        return flags;
    }
    a = newA;
    f = newF;
    e2 = 2 * f - f * f;
    ep2 = 1 / (1 - e2) - 1;
    return 0;
}

ErrorFlags ToGeocentric(double latitude, double longitude, double height, double* x, double* y,
                        double* z) {
    ErrorFlags flags = 0;
    if (!(latitude >= -kPi / 2 && latitude <= kPi / 2)) {
        flags |= kLatitudeError;
    }
    if (!(longitude >= -kPi && longitude <= 2 * kPi)) {
        flags |= kLongitudeError;
    }
    if (flags != 0) {
        return flags;
    }
    if (longitude > kPi) {
        longitude -= 2 * kPi;
    }
    const double sinLat = std::sin(latitude);
    const double cosLat = std::cos(latitude);
    const double rn = a / std::sqrt(1 - e2 * (sinLat * sinLat));
    *x = (rn + height) * std::cos(longitude) * cosLat;
    *y = (rn + height) * std::sin(longitude) * cosLat;
    *z = ((1 - e2) * rn + height) * sinLat;
    return 0;
}

void ToGeodetic(double x, double y, double z, double* latitude, double* longitude, double* height) {
    const double b = (1 - f) * a;

    bool atPole = false;
    if (x != 0.0) {
        *longitude = std::atan2(y, x);
    } else if (y > 0) {
        *longitude = kPi / 2;
    } else if (y < 0) {
        *longitude = -kPi / 2;
    } else {
        atPole = true;
        *longitude = 0.0;
        if (z > 0) {
            *latitude = kPi / 2;
        } else if (z < 0) {
            *latitude = -kPi / 2;
        } else {
            *latitude = kPi / 2;
            *height = -b;
            return;
        }
    }

    const double w2 = x * x + y * y;
    const double w = std::sqrt(w2);
    // Start from a latitude guess (Z slightly stretched towards the pole),
    // then correct it once on the ellipsoid.
    const double t0 = z * 1.0026;
    const double s0 = std::sqrt(t0 * t0 + w2);
    const double sinB0 = t0 * (1.0 / s0);
    const double cosB0 = w * (1.0 / s0);
    const double sin3B0 = sinB0 * sinB0 * sinB0;
    const double cos3B0 = cosB0 * cosB0 * cosB0;
    const double t1 = z + b * ep2 * sin3B0;
    const double sum = w - a * e2 * cos3B0;
    const double s1 = std::sqrt(t1 * t1 + sum * sum);
    const double sinP1 = t1 * (1.0 / s1);
    const double cosP1 = sum * (1.0 / s1);
    const double rn = a / std::sqrt(1 - e2 * (sinP1 * sinP1));

    if (cosP1 >= kCos67p5) {
        *height = w / cosP1 - rn;
    } else if (cosP1 <= -kCos67p5) {
        *height = -(w / cosP1) - rn;
    } else {
        *height = z / sinP1 + rn * (e2 - 1);
    }
    if (!atPole) {
        *latitude = std::atan(sinP1 / cosP1);
    }
}

void ResetForTesting() {
    a = kInitialA;
    f = kInitialF;
    e2 = kInitialE2;
    ep2 = kInitialEp2;
}

}  // namespace GeocentricConverter

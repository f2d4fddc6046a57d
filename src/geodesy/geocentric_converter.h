// SPDX-License-Identifier: MIT
// Geodetic latitude, longitude and height to geocentric X, Y, Z and back on
// one ellipsoid at a time. The ellipsoid is module state: WGS 84 at start,
// replaced by every successful UseEllipsoid.
#pragma once

#include <cstdint>

namespace GeocentricConverter {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kLatitudeError = 0x0001;       // ToGeocentric
constexpr ErrorFlags kLongitudeError = 0x0002;      // ToGeocentric
constexpr ErrorFlags kSemiMajorAxisError = 0x0004;  // UseEllipsoid
constexpr ErrorFlags kFlatteningError = 0x0008;     // UseEllipsoid

// a in metres, f the flattening; 1/f must lie in 250..350. A refused
// ellipsoid leaves the previous one in force.
ErrorFlags UseEllipsoid(double a, double f);
// Latitude in -pi/2..pi/2, longitude in -pi..2pi (radians); nothing is
// written on a refusal.
ErrorFlags ToGeocentric(double latitude, double longitude, double height, double* x, double* y,
                        double* z);
// Closed form with one correction step; the longitude comes out in -pi..pi.
void ToGeodetic(double x, double y, double z, double* latitude, double* longitude, double* height);

}  // namespace GeocentricConverter

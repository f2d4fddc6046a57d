// Geodetic latitude, longitude and height to geocentric X, Y, Z and back on
// one ellipsoid at a time; the ellipsoid is module state set by UseEllipsoid.
#pragma once

#include <cstdint>

namespace GeocentricConverter {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kLatitudeError = 0x0001;
constexpr ErrorFlags kLongitudeError = 0x0002;
constexpr ErrorFlags kSemiMajorAxisError = 0x0004;
constexpr ErrorFlags kFlatteningError = 0x0008;

ErrorFlags UseEllipsoid(double a, double f);
ErrorFlags ToGeocentric(double latitude, double longitude, double height, double* x, double* y,
                        double* z);
void ToGeodetic(double x, double y, double z, double* latitude, double* longitude,
                double* height);

}  // namespace GeocentricConverter

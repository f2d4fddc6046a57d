// SPDX-License-Identifier: MIT
#include "projection/utm_projection.h"

#include <cmath>

#include "projection/transverse_mercator.h"

namespace UtmProjection {
namespace {

constexpr double kMinLatitude = -1.4049900478554351;  // -80.5 degrees
constexpr double kMaxLatitude = 1.4748032179352084;   // 84.5 degrees
constexpr double kMinLongitude = -3.141592653589793;
constexpr double kMaxLongitude = 6.283185307179586;
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
// 2 pi and 1e-10: a western longitude on a zone boundary, -6 degrees say, then
// lands just inside the zone to its east instead of just short of it.
constexpr double kWestShift = 6.283185307279586;
constexpr double kRadiansToDegrees = 57.29577951308232;
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kFalseEasting = 500000.0;
constexpr double kSouthFalseNorthing = 10000000.0;
constexpr double kScaleFactor = 0.9996;

double g_a = 6378137.0;
double g_f = 0.0033528106647474805;
std::int32_t g_zoneOverride = 0;

// Zones 1 to 30 get 183 to 357 degrees, which Transverse Mercator folds into
// its own -180 to 0.
double CentralMeridian(std::int32_t zone) {
    const std::int32_t degrees = zone >= 31 ? 6 * zone - 183 : 6 * zone + 177;
    return static_cast<double>(degrees) * kDegreesToRadians;
}

bool ValidEasting(double easting) {
    return easting >= 100000.0 && easting <= 900000.0;
}

bool ValidNorthing(double northing) {
    return northing >= 0.0 && northing <= 10000000.0;
}

bool ValidLatitude(double latitude) {
    return latitude >= kMinLatitude && latitude <= kMaxLatitude;
}

// The zone of a longitude in 0 to 2 pi, widened over western Norway and
// around Svalbard. The degrees are truncated toward zero.
std::int32_t DeriveZone(double latitude, double longitude) {
    const std::int32_t latitudeDegrees = static_cast<std::int32_t>(latitude * kRadiansToDegrees);
    const double longitudeInDegrees = longitude * kRadiansToDegrees;
    const std::int32_t longitudeDegrees = static_cast<std::int32_t>(longitudeInDegrees);

    std::int32_t zone =
        longitude < kPi
            ? static_cast<std::int32_t>(longitudeInDegrees * 0.16666666666666666 + 31.0)
            : static_cast<std::int32_t>(longitudeInDegrees * 0.16666666666666666 - 29.0);
    if (zone > 60) {
        zone = 1;
    }

    if (latitudeDegrees > 55 && latitudeDegrees < 64) {
        if (longitudeDegrees >= 0 && longitudeDegrees <= 2) {
            zone = 31;
        }
        if (longitudeDegrees >= 3 && longitudeDegrees <= 11) {
            zone = 32;
        }
    }
    if (latitudeDegrees > 71) {
        if (longitudeDegrees >= 0 && longitudeDegrees <= 8) {
            zone = 31;
        } else if (longitudeDegrees >= 9 && longitudeDegrees <= 20) {
            zone = 33;
        } else if (longitudeDegrees >= 21 && longitudeDegrees <= 32) {
            zone = 35;
        } else if (longitudeDegrees >= 33 && longitudeDegrees <= 41) {
            zone = 37;
        }
    }
    return zone;
}

void SetZone(std::int32_t zone, double falseNorthing) {
    TransverseMercator::SetParameters(g_a, g_f, 0.0, CentralMeridian(zone), kFalseEasting,
                                      falseNorthing, kScaleFactor);
}

}  // namespace

ErrorFlags SetParameters(double a, double f, std::int32_t zoneOverride) {
    const double inverseFlattening = 1.0 / f;
    ErrorFlags flags = 0;
    if (a <= 0) {
        flags |= kSemiMajorAxisError;
    }
    if (!(inverseFlattening >= 250.0) || inverseFlattening > 350.0) {
        flags |= kFlatteningError;
    }
    if (zoneOverride < 0 || zoneOverride > 60) {
        flags |= kZoneOverrideError;
    }
    if (flags != 0) {
        return flags;
    }
    g_a = a;
    g_f = f;
    g_zoneOverride = zoneOverride;
    return 0;
}

ErrorFlags Forward(double latitude, double longitude, std::int32_t* zone, char* hemisphere,
                   double* easting, double* northing) {
    ErrorFlags flags = 0;
    if (!ValidLatitude(latitude)) {
        flags |= kLatitudeError;
    }
    if (!(longitude >= kMinLongitude) || longitude > kMaxLongitude) {
        flags |= kLongitudeError;
    }
    if (flags != 0) {
        return flags;
    }

    if (longitude < 0) {
        longitude += kWestShift;
    }
    std::int32_t derived = DeriveZone(latitude, longitude);

    if (g_zoneOverride != 0) {
        // Zones 1 and 60 are neighbours across the antimeridian.
        if (derived == 1 && g_zoneOverride == 60) {
            derived = 60;
        } else if (derived == 60 && g_zoneOverride == 1) {
            derived = 1;
        } else if (g_zoneOverride >= derived - 1 && g_zoneOverride <= derived + 1) {
            derived = g_zoneOverride;
        } else {
            return kZoneOverrideError;
        }
    }

    *zone = derived;
    const bool south = latitude < 0.0;
    *hemisphere = south ? 'S' : 'N';

    // The zone lies within a few degrees of the position, so Transverse Mercator
    // accepts both calls and always writes the easting and northing read below.
    SetZone(derived, south ? kSouthFalseNorthing : 0.0);
    TransverseMercator::Forward(latitude, longitude, easting, northing);

    if (!ValidEasting(*easting)) {
        flags |= kEastingError;
    }
    if (!ValidNorthing(*northing)) {
        flags |= kNorthingError;
    }
    return flags;
}

ErrorFlags Inverse(std::int32_t zone, char hemisphere, double easting, double northing,
                   double* latitude, double* longitude) {
    ErrorFlags flags = 0;
    if (zone < 1 || zone > 60) {
        flags |= kZoneError;
    }
    if (hemisphere != 'S' && hemisphere != 'N') {
        flags |= kHemisphereError;
    }
    if (!ValidEasting(easting)) {
        flags |= kEastingError;
    }
    if (!ValidNorthing(northing)) {
        flags |= kNorthingError;
    }
    if (flags != 0) {
        return flags;
    }

    SetZone(zone, hemisphere == 'S' ? kSouthFalseNorthing : 0.0);
    // On a very small ellipsoid the grid position can lie outside what Transverse
    // Mercator accepts; then it writes nothing, and nothing is left to check.
    const bool written = TransverseMercator::InverseWindowContains(easting, northing);
    const TransverseMercator::ErrorFlags projected =
        TransverseMercator::Inverse(easting, northing, latitude, longitude);

    if ((projected &
         (TransverseMercator::kEastingError | TransverseMercator::kDistortionWarning)) != 0) {
        flags = kEastingError;
    }
    if ((projected & TransverseMercator::kNorthingError) != 0) {
        flags |= kNorthingError;
    }
    if (written) {
        if (!ValidLatitude(*latitude)) {
            flags |= kNorthingError;
        }
        // West of zone 1's meridian the projection gives longitudes below -180
        // degrees, outside the range that Forward and the entry form accept.
        if (*longitude < -kPi) {
            *longitude += kTwoPi;
        }
    }
    return flags;
}

}  // namespace UtmProjection

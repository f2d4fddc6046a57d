// SPDX-License-Identifier: MIT
// UTM: zone, hemisphere, easting and northing from geodetic latitude and
// longitude and back, with the widened zones over Norway and Svalbard. Each
// conversion sets Transverse Mercator to its zone before it projects.
#pragma once

#include <cstdint>

namespace UtmProjection {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kLatitudeError = 0x0001;    // Forward
constexpr ErrorFlags kLongitudeError = 0x0002;   // Forward
constexpr ErrorFlags kEastingError = 0x0004;     // Forward, Inverse
constexpr ErrorFlags kNorthingError = 0x0008;    // Forward, Inverse
constexpr ErrorFlags kZoneError = 0x0010;        // Inverse
constexpr ErrorFlags kHemisphereError = 0x0020;  // Inverse
constexpr ErrorFlags kZoneOverrideError = 0x0040;
constexpr ErrorFlags kSemiMajorAxisError = 0x0080;
constexpr ErrorFlags kFlatteningError = 0x0100;

ErrorFlags SetParameters(double a, double f, std::int32_t zoneOverride);
ErrorFlags Forward(double latitude, double longitude, std::int32_t* zone, char* hemisphere,
                   double* easting, double* northing);
ErrorFlags Inverse(std::int32_t zone, char hemisphere, double easting, double northing,
                   double* latitude, double* longitude);

}  // namespace UtmProjection

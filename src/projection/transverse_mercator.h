// SPDX-License-Identifier: MIT
// Transverse Mercator on an ellipsoid: geodetic latitude and longitude to
// easting and northing and back, by the series to the eighth order. One
// parameter set for the whole process, replaced by SetParameters.
#pragma once

#include <cstdint>

namespace TransverseMercator {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kLatitudeError = 0x1;         // Forward
constexpr ErrorFlags kLongitudeError = 0x2;        // Forward
constexpr ErrorFlags kEastingError = 0x4;          // Inverse
constexpr ErrorFlags kNorthingError = 0x8;         // Inverse
constexpr ErrorFlags kOriginLatitudeError = 0x10;  // SetParameters
constexpr ErrorFlags kCentralMeridianError = 0x20;
constexpr ErrorFlags kSemiMajorAxisError = 0x40;
constexpr ErrorFlags kFlatteningError = 0x80;
constexpr ErrorFlags kScaleFactorError = 0x100;
constexpr ErrorFlags kDistortionWarning = 0x200;  // Forward, Inverse: results still written

// Angles in radians, lengths in metres. A refused parameter set leaves the
// previous one in force.
ErrorFlags SetParameters(double a, double f, double originLatitude, double centralMeridian,
                         double falseEasting, double falseNorthing, double scaleFactor);
// Writes its outputs unless it returns an error bit; the warning alone does not stop them.
ErrorFlags Forward(double latitude, double longitude, double* easting, double* northing);
// Writes its outputs whenever the point lies inside the window (see below), even when the
// checks on the results then set bits.
ErrorFlags Inverse(double easting, double northing, double* latitude, double* longitude);

// Whether Inverse accepts the point and so writes its outputs. The window is the
// half-width and half-height of the projected ellipsoid around the false origin.
bool InverseWindowContains(double easting, double northing);

}  // namespace TransverseMercator

// SPDX-License-Identifier: MIT
// Shifts between any datum of the datum table and WGS 84: a copy for WGS 84,
// closed formulas for WGS 72, Molodensky for three-parameter datums away from
// the poles, and geocentric translation, rotation and scale otherwise.
// Outputs are written only when the returned flags are 0.
#pragma once

#include <cstdint>

namespace DatumShift {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kNotLoadedError = 0x0001;
constexpr ErrorFlags kSourceIndexError = 0x0100;
constexpr ErrorFlags kTargetIndexError = 0x0200;
constexpr ErrorFlags kLatitudeError = 0x0800;
constexpr ErrorFlags kLongitudeError = 0x1000;
constexpr ErrorFlags kEllipsoidError = 0x8000;

ErrorFlags DatumToWgs84(std::int32_t index, double latitude, double longitude, double height,
                        double& latitude84, double& longitude84, double& height84);
ErrorFlags Wgs84ToDatum(double latitude84, double longitude84, double height84, std::int32_t index,
                        double& latitude, double& longitude, double& height);
ErrorFlags GeocentricDatumToWgs84(std::int32_t index, double x, double y, double z, double& x84,
                                  double& y84, double& z84);
ErrorFlags GeocentricWgs84ToDatum(double x84, double y84, double z84, std::int32_t index, double& x,
                                  double& y, double& z);
void Wgs72ToWgs84(double latitude, double longitude, double height, double& latitude84,
                  double& longitude84, double& height84);
void Wgs84ToWgs72(double latitude84, double longitude84, double height84, double& latitude72,
                  double& longitude72, double& height72);
ErrorFlags Wgs72ToWgs84Geocentric(double x, double y, double z, double& x84, double& y84,
                                  double& z84);
ErrorFlags Wgs84ToWgs72Geocentric(double x84, double y84, double z84, double& x72, double& y72,
                                  double& z72);
void ApplyMolodensky(double a, double da, double f, double df, double dx, double dy, double dz,
                     double latitude, double longitude, double height, double& latitudeOut,
                     double& longitudeOut, double& heightOut);

}  // namespace DatumShift

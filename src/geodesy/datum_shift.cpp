// SPDX-License-Identifier: MIT
#include "geodesy/datum_shift.h"

#include <cmath>

#include "geodesy/datum_table.h"
#include "geodesy/ellipsoid_table.h"
#include "geodesy/geocentric_converter.h"

namespace DatumShift {
namespace {

// 89.75 degrees: closer to the poles the Molodensky formulas, which divide by
// cos latitude, give way to the geocentric path.
constexpr double kMolodenskyLatitudeLimit = 1.5664330036649106;

// The WGS 72 to WGS 84 formulas work in arc-seconds. They use two slightly
// different values of one arc-second: sin 1" in the denominator and the exact
// conversion at the end.
constexpr double kSinOneArcSecond = 4.84813681109536e-06;
constexpr double kArcSecondsToRadians = 4.848136811095274e-06;
constexpr double kArcSecondsPerRadian = 206264.80624709636;
constexpr double kWgs72LongitudeShift = 2.685867793346782e-06;  // 0.554 arc-seconds

const double kPi = 4.0 * std::atan(1.0);

ErrorFlags CheckPosition(double latitude, double longitude) {
    ErrorFlags flags = 0;
    if (!(latitude >= -kPi / 2 && latitude <= kPi / 2)) {
        flags |= kLatitudeError;
    }
    if (!(longitude >= -kPi && longitude <= 2 * kPi)) {
        flags |= kLongitudeError;
    }
    return flags;
}

bool IsValidIndex(std::int32_t index) {
    return index >= 1 && index <= DatumTable::Count();
}

// a and f of the datum's ellipsoid; false when its code is not in the
// ellipsoid table or the table cannot give its parameters.
bool DatumEllipsoid(const DatumTable::DatumRecord& record, double* a, double* f) {
    std::int32_t ellipsoidIndex = 0;
    const EllipsoidTable::ErrorFlags findFlags =
        EllipsoidTable::FindByCode(record.ellipsoidCode, &ellipsoidIndex);
    const EllipsoidTable::ErrorFlags parameterFlags =
        EllipsoidTable::Parameters(ellipsoidIndex, a, f);
    return findFlags == 0 && parameterFlags == 0;
}

bool UsesMolodensky(const DatumTable::DatumRecord& record, double latitude) {
    return record.kind == DatumTable::ThreeParameter && latitude >= -kMolodenskyLatitudeLimit &&
           latitude <= kMolodenskyLatitudeLimit;
}

// Latitude folded back over a pole, longitude into -pi..pi.
void FoldWgs72Result(double* latitude, double* longitude) {
    if (*latitude > kPi / 2) {
        *latitude = kPi / 2 - (*latitude - kPi / 2);
    } else if (*latitude < -kPi / 2) {
        *latitude = -kPi / 2 - (*latitude + kPi / 2);
    }
    if (*longitude > kPi) {
        *longitude -= 2 * kPi;
    }
    if (*longitude < -kPi) {
        *longitude += 2 * kPi;
    }
}

}  // namespace

ErrorFlags DatumToWgs84(std::int32_t index, double latitude, double longitude, double height,
                        double& latitude84, double& longitude84, double& height84) {
    ErrorFlags flags = CheckPosition(latitude, longitude);
    if (!IsValidIndex(index)) {
        flags |= kSourceIndexError;
    }
    if (flags != 0) {
        return flags;
    }
    const DatumTable::DatumRecord& record = *DatumTable::Record(index);
    if (record.kind == DatumTable::Wgs84) {
        latitude84 = latitude;
        longitude84 = longitude;
        height84 = height;
        return 0;
    }
    if (record.kind == DatumTable::Wgs72) {
        Wgs72ToWgs84(latitude, longitude, height, latitude84, longitude84, height84);
        return 0;
    }
    double a = 0.0;
    double f = 0.0;
    if (!DatumEllipsoid(record, &a, &f)) {
        return kEllipsoidError;
    }
    double a84 = 0.0;
    double f84 = 0.0;
    if (UsesMolodensky(record, latitude)) {
        EllipsoidTable::Wgs84Parameters(&a84, &f84);
        ApplyMolodensky(a, a84 - a, f, f84 - f, record.dx, record.dy, record.dz, latitude,
                        longitude, height, latitude84, longitude84, height84);
        return 0;
    }
    // The position was checked above and the table's ellipsoids are all
    // valid, so none of these conversions refuses.
    double x = 0.0, y = 0.0, z = 0.0;
    double x84 = 0.0, y84 = 0.0, z84 = 0.0;
    GeocentricConverter::UseEllipsoid(a, f);
    GeocentricConverter::ToGeocentric(latitude, longitude, height, &x, &y, &z);
    GeocentricDatumToWgs84(index, x, y, z, x84, y84, z84);
    EllipsoidTable::Wgs84Parameters(&a84, &f84);
    GeocentricConverter::UseEllipsoid(a84, f84);
    GeocentricConverter::ToGeodetic(x84, y84, z84, &latitude84, &longitude84, &height84);
    return 0;
}

ErrorFlags Wgs84ToDatum(double latitude84, double longitude84, double height84, std::int32_t index,
                        double& latitude, double& longitude, double& height) {
    ErrorFlags flags = CheckPosition(latitude84, longitude84);
    if (!IsValidIndex(index)) {
        flags |= kTargetIndexError;
    }
    if (flags != 0) {
        return flags;
    }
    const DatumTable::DatumRecord& record = *DatumTable::Record(index);
    if (record.kind == DatumTable::Wgs84) {
        latitude = latitude84;
        longitude = longitude84;
        height = height84;
        return 0;
    }
    if (record.kind == DatumTable::Wgs72) {
        Wgs84ToWgs72(latitude84, longitude84, height84, latitude, longitude, height);
        return 0;
    }
    double a = 0.0;
    double f = 0.0;
    if (!DatumEllipsoid(record, &a, &f)) {
        return kEllipsoidError;
    }
    double a84 = 0.0;
    double f84 = 0.0;
    if (UsesMolodensky(record, latitude84)) {
        EllipsoidTable::Wgs84Parameters(&a84, &f84);
        ApplyMolodensky(a84, a - a84, f84, f - f84, -record.dx, -record.dy, -record.dz, latitude84,
                        longitude84, height84, latitude, longitude, height);
        return 0;
    }
    double x84 = 0.0, y84 = 0.0, z84 = 0.0;
    double x = 0.0, y = 0.0, z = 0.0;
    EllipsoidTable::Wgs84Parameters(&a84, &f84);
    GeocentricConverter::UseEllipsoid(a84, f84);
    GeocentricConverter::ToGeocentric(latitude84, longitude84, height84, &x84, &y84, &z84);
    GeocentricWgs84ToDatum(x84, y84, z84, index, x, y, z);
    GeocentricConverter::UseEllipsoid(a, f);
    GeocentricConverter::ToGeodetic(x, y, z, &latitude, &longitude, &height);
    return 0;
}

ErrorFlags GeocentricDatumToWgs84(std::int32_t index, double x, double y, double z, double& x84,
                                  double& y84, double& z84) {
    if (!DatumTable::IsLoaded()) {
        return kNotLoadedError;
    }
    if (!IsValidIndex(index)) {
        return kSourceIndexError;
    }
    const DatumTable::DatumRecord& r = *DatumTable::Record(index);
    switch (r.kind) {
        case DatumTable::ThreeParameter:
            x84 = r.dx + x;
            y84 = r.dy + y;
            z84 = r.dz + z;
            break;
        case DatumTable::SevenParameter:
            // Small rotations in the coordinate-frame convention; the scale
            // term takes the unrotated coordinate.
            x84 = (((r.rz * y + r.dx) + x) - r.ry * z) + r.scale * x;
            y84 = (((r.dy + y) - r.rz * x) + r.scale * y) + r.rx * z;
            z84 = (((r.ry * x + r.dz) + z) - r.rx * y) + r.scale * z;
            break;
        case DatumTable::Wgs84:
            x84 = x;
            y84 = y;
            z84 = z;
            break;
        case DatumTable::Wgs72:
            Wgs72ToWgs84Geocentric(x, y, z, x84, y84, z84);
            break;
    }
    return 0;
}

ErrorFlags GeocentricWgs84ToDatum(double x84, double y84, double z84, std::int32_t index, double& x,
                                  double& y, double& z) {
    if (!DatumTable::IsLoaded()) {
        return kNotLoadedError;
    }
    if (!IsValidIndex(index)) {
        return kTargetIndexError;
    }
    const DatumTable::DatumRecord& r = *DatumTable::Record(index);
    switch (r.kind) {
        case DatumTable::ThreeParameter:
            x = x84 - r.dx;
            y = y84 - r.dy;
            z = z84 - r.dz;
            break;
        case DatumTable::SevenParameter:
            // The reverse of the small rotations, with the WGS 84 coordinates
            // standing in for the datum's on the right-hand side.
            x = (((x84 - r.dx) - r.rz * y84) + r.ry * z84) - r.scale * x84;
            y = (((y84 - r.dy) + r.rz * x84) - r.rx * z84) - r.scale * y84;
            z = (((z84 - r.dz) - r.ry * x84) + r.rx * y84) - r.scale * z84;
            break;
        case DatumTable::Wgs84:
            x = x84;
            y = y84;
            z = z84;
            break;
        case DatumTable::Wgs72:
            Wgs84ToWgs72Geocentric(x84, y84, z84, x, y, z);
            break;
    }
    return 0;
}

void Wgs72ToWgs84(double latitude, double longitude, double height, double& latitude84,
                  double& longitude84, double& height84) {
    double a84 = 0.0, f84 = 0.0, a72 = 0.0, f72 = 0.0;
    EllipsoidTable::Wgs84Parameters(&a84, &f84);
    EllipsoidTable::Wgs72Parameters(&a72, &f72);
    const double df = f84 - f72;
    const double sinLat = std::sin(latitude);
    const double shiftArcSeconds = 4.5 * std::cos(latitude) / (a72 * kSinOneArcSecond) +
                                   df * std::sin(2 * latitude) * kArcSecondsPerRadian;
    double newLatitude = shiftArcSeconds * kArcSecondsToRadians + latitude;
    double newLongitude = longitude + kWgs72LongitudeShift;
    const double newHeight =
        (((sinLat * sinLat * df * a72 + 4.5 * sinLat) - (a84 - a72)) + 1.4) + height;
    FoldWgs72Result(&newLatitude, &newLongitude);
    latitude84 = newLatitude;
    longitude84 = newLongitude;
    height84 = newHeight;
}

void Wgs84ToWgs72(double latitude84, double longitude84, double height84, double& latitude72,
                  double& longitude72, double& height72) {
    double a84 = 0.0, f84 = 0.0, a72 = 0.0, f72 = 0.0;
    EllipsoidTable::Wgs84Parameters(&a84, &f84);
    EllipsoidTable::Wgs72Parameters(&a72, &f72);
    const double df = f72 - f84;
    const double sinLat = std::sin(latitude84);
    const double shiftArcSeconds = -4.5 * std::cos(latitude84) / (a84 * kSinOneArcSecond) +
                                   df * std::sin(2 * latitude84) * kArcSecondsPerRadian;
    double newLatitude = shiftArcSeconds * kArcSecondsToRadians + latitude84;
    double newLongitude = longitude84 - kWgs72LongitudeShift;
    const double newHeight =
        (((sinLat * sinLat * df * a84 - 4.5 * sinLat) - (a72 - a84)) - 1.4) + height84;
    FoldWgs72Result(&newLatitude, &newLongitude);
    latitude72 = newLatitude;
    longitude72 = newLongitude;
    height72 = newHeight;
}

ErrorFlags Wgs72ToWgs84Geocentric(double x, double y, double z, double& x84, double& y84,
                                  double& z84) {
    double a72 = 0.0, f72 = 0.0, a84 = 0.0, f84 = 0.0;
    double latitude = 0.0, longitude = 0.0, height = 0.0;
    double latitude84 = 0.0, longitude84 = 0.0, height84 = 0.0;
    EllipsoidTable::Wgs72Parameters(&a72, &f72);
    GeocentricConverter::UseEllipsoid(a72, f72);
    GeocentricConverter::ToGeodetic(x, y, z, &latitude, &longitude, &height);
    Wgs72ToWgs84(latitude, longitude, height, latitude84, longitude84, height84);
    EllipsoidTable::Wgs84Parameters(&a84, &f84);
    GeocentricConverter::UseEllipsoid(a84, f84);
    return GeocentricConverter::ToGeocentric(latitude84, longitude84, height84, &x84, &y84, &z84);
}

ErrorFlags Wgs84ToWgs72Geocentric(double x84, double y84, double z84, double& x72, double& y72,
                                  double& z72) {
    double a84 = 0.0, f84 = 0.0, a72 = 0.0, f72 = 0.0;
    double latitude84 = 0.0, longitude84 = 0.0, height84 = 0.0;
    double latitude = 0.0, longitude = 0.0, height = 0.0;
    EllipsoidTable::Wgs84Parameters(&a84, &f84);
    GeocentricConverter::UseEllipsoid(a84, f84);
    GeocentricConverter::ToGeodetic(x84, y84, z84, &latitude84, &longitude84, &height84);
    Wgs84ToWgs72(latitude84, longitude84, height84, latitude, longitude, height);
    EllipsoidTable::Wgs72Parameters(&a72, &f72);
    GeocentricConverter::UseEllipsoid(a72, f72);
    return GeocentricConverter::ToGeocentric(latitude, longitude, height, &x72, &y72, &z72);
}

void ApplyMolodensky(double a, double da, double f, double df, double dx, double dy, double dz,
                     double latitude, double longitude, double height, double& latitudeOut,
                     double& longitudeOut, double& heightOut) {
    // Only the sine and cosine see the longitude brought into -pi..pi; the
    // shift is added to the longitude as given.
    const double sineLongitude = longitude > kPi ? longitude - 2 * kPi : longitude;
    const double e2 = 2 * f - f * f;
    const double sinLat = std::sin(latitude);
    const double cosLat = std::cos(latitude);
    const double sinLon = std::sin(sineLongitude);
    const double cosLon = std::cos(sineLongitude);
    const double sin2Lat = sinLat * sinLat;

    const double w2 = 1 - e2 * sin2Lat;
    const double w = std::sqrt(w2);
    const double rm = (1 - e2) * a / (w * w2);  // meridian radius of curvature
    const double rn = (1 / w) * a;              // prime-vertical radius of curvature
    const double ep2 = e2 / (1 - e2);

    const double dLat = ((ep2 * rm * sin2Lat + 2 * rn) * (1 - f) * cosLat * sinLat * df +
                         ((dz * cosLat - dx * sinLat * cosLon) - dy * sinLat * sinLon) +
                         cosLat * sinLat * e2 * (1 / w) * da) /
                        (rm + height);
    const double dLon = (dy * cosLon - dx * sinLon) / ((rn + height) * cosLat);
    const double dHeight = ((dx * cosLat * cosLon + dy * cosLat * sinLon) + dz * sinLat) +
                           (df * (1 - f) * a * (1 / w) * sin2Lat - da * w);

    // The latitude is not folded, and a longitude between pi and 2 pi stays
    // there.
    double newLongitude = dLon + longitude;
    if (newLongitude > 2 * kPi) {
        newLongitude -= 2 * kPi;
    }
    if (newLongitude < -kPi) {
        newLongitude += 2 * kPi;
    }
    latitudeOut = dLat + latitude;
    longitudeOut = newLongitude;
    heightOut = dHeight + height;
}

}  // namespace DatumShift

// SPDX-License-Identifier: MIT
// Compares the geodetic library with independent implementations:
// GeographicLib's geocentric conversion and PROJ's Molodensky and Helmert
// transformations built from the same parameters. Prints the largest
// differences it finds.
#include <gtest/gtest.h>
#include <proj.h>
#include <GeographicLib/Geocentric.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "geodesy/datum_shift.h"
#include "geodesy/datum_table.h"
#include "geodesy/ellipsoid_table.h"
#include "geodesy/geocentric_converter.h"

namespace {

const double kPi = 4.0 * std::atan(1.0);
const double kDegree = kPi / 180;
constexpr std::int32_t kEur7 = 3, kDhdn = 4;

void LoadTables() {
    ASSERT_EQ(DatumTable::Load(), 0u);
    ASSERT_EQ(EllipsoidTable::Load(), 0u);
}

void Ellipsoid(const char* code, double* a, double* f) {
    std::int32_t index = 0;
    ASSERT_EQ(EllipsoidTable::FindByCode(code, &index), 0u);
    ASSERT_EQ(EllipsoidTable::Parameters(index, a, f), 0u);
}

// Largest differences of two positions, latitude and longitude as arc
// lengths in metres.
struct MaxDifference {
    double latitude = 0, longitude = 0, height = 0;

    void Add(double lat1, double lon1, double h1, double lat2, double lon2, double h2,
             double radius) {
        const double dLon = std::remainder(lon1 - lon2, 2 * kPi);
        latitude = std::max(latitude, std::fabs(lat1 - lat2) * radius);
        longitude = std::max(longitude, std::fabs(dLon) * radius * std::cos(lat2));
        height = std::max(height, std::fabs(h1 - h2));
    }
    void Print(const char* what) const {
        std::printf("%-40s max difference: latitude %.3e m, longitude %.3e m, height %.3e m\n",
                    what, latitude, longitude, height);
    }
    void ExpectWithin(double tolerance) const {
        EXPECT_LE(latitude, tolerance);
        EXPECT_LE(longitude, tolerance);
        EXPECT_LE(height, tolerance);
    }
};

TEST(GeodesyReferenceTest, GeocentricConversionAgreesWithGeographicLib) {
    LoadTables();
    for (const char* code : {"WE", "IN", "BR"}) {
        double a, f;
        Ellipsoid(code, &a, &f);
        const GeographicLib::Geocentric reference(a, f);
        ASSERT_EQ(GeocentricConverter::UseEllipsoid(a, f), 0u);
        MaxDifference inverse;
        double forward = 0;
        double roundTripLongitude = 0;
        for (int latitude = -90; latitude <= 90; ++latitude) {
            for (int longitude = -180; longitude <= 180; longitude += 15) {
                for (const double height : {-100.0, 0.0, 1000.0, 10000.0}) {
                    const double lat = latitude * kDegree;
                    const double lon = longitude * kDegree;
                    double x, y, z, xr, yr, zr;
                    ASSERT_EQ(GeocentricConverter::ToGeocentric(lat, lon, height, &x, &y, &z), 0u);
                    reference.Forward(latitude, longitude, height, xr, yr, zr);
                    forward = std::max(
                        {forward, std::fabs(x - xr), std::fabs(y - yr), std::fabs(z - zr)});

                    double lat2, lon2, h2, latr, lonr, hr;
                    GeocentricConverter::ToGeodetic(xr, yr, zr, &lat2, &lon2, &h2);
                    reference.Reverse(xr, yr, zr, latr, lonr, hr);
                    inverse.Add(lat2, lon2, h2, latr * kDegree, lonr * kDegree, hr, a);

                    GeocentricConverter::ToGeodetic(x, y, z, &lat2, &lon2, &h2);
                    roundTripLongitude = std::max(roundTripLongitude,
                                                  std::fabs(std::remainder(lon2 - lon, 2 * kPi)));
                }
            }
        }
        std::printf("%s: ToGeocentric max difference %.3e m, round-trip longitude %.3e rad\n", code,
                    forward, roundTripLongitude);
        inverse.Print((std::string(code) + ": ToGeodetic").c_str());
        EXPECT_LE(forward, 1e-6);
        EXPECT_LE(roundTripLongitude, 1e-15);
        inverse.ExpectWithin(0.01);
    }
}

// Runs a PROJ operation on longitude, latitude (radians) and height.
class ProjOperation {
public:
    explicit ProjOperation(const std::string& definition)
        : context_(proj_context_create()), operation_(proj_create(context_, definition.c_str())) {}
    ~ProjOperation() {
        proj_destroy(operation_);
        proj_context_destroy(context_);
    }
    bool Valid() const { return operation_ != nullptr; }
    void Transform(PJ_DIRECTION direction, double latitude, double longitude, double height,
                   double* latitudeOut, double* longitudeOut, double* heightOut) const {
        const PJ_COORD out =
            proj_trans(operation_, direction, proj_coord(longitude, latitude, height, 0));
        *longitudeOut = out.lpzt.lam;
        *latitudeOut = out.lpzt.phi;
        *heightOut = out.lpzt.z;
    }

private:
    PJ_CONTEXT* context_;
    PJ* operation_;
};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Shifts a grid of positions both ways with the library and with PROJ; each
// direction within its own tolerance in metres.
void CompareShifts(const ProjOperation& reference, std::int32_t datum, double south, double north,
                   double west, double east, double step, const char* what, double toTolerance,
                   double fromTolerance) {
    MaxDifference toWgs84;
    MaxDifference fromWgs84;
    for (double latitude = south; latitude <= north; latitude += step) {
        for (double longitude = west; longitude <= east; longitude += step) {
            for (const double height : {0.0, 1000.0}) {
                const double lat = latitude * kDegree;
                const double lon = longitude * kDegree;
                double lat2, lon2, h2, latr, lonr, hr;
                ASSERT_EQ(DatumShift::DatumToWgs84(datum, lat, lon, height, lat2, lon2, h2), 0u);
                reference.Transform(PJ_FWD, lat, lon, height, &latr, &lonr, &hr);
                toWgs84.Add(lat2, lon2, h2, latr, lonr, hr, 6378137.0);
                ASSERT_EQ(DatumShift::Wgs84ToDatum(lat, lon, height, datum, lat2, lon2, h2), 0u);
                reference.Transform(PJ_INV, lat, lon, height, &latr, &lonr, &hr);
                fromWgs84.Add(lat2, lon2, h2, latr, lonr, hr, 6378137.0);
            }
        }
    }
    toWgs84.Print((std::string(what) + " to WGS 84").c_str());
    fromWgs84.Print((std::string(what) + " from WGS 84").c_str());
    toWgs84.ExpectWithin(toTolerance);
    fromWgs84.ExpectWithin(fromTolerance);
}

TEST(GeodesyReferenceTest, DhdnAgreesWithProjMolodenskyOverGermany) {
    LoadTables();
    double a, f, a84, f84;
    Ellipsoid("BR", &a, &f);
    ASSERT_EQ(EllipsoidTable::Wgs84Parameters(&a84, &f84), 0u);
    const ProjOperation molodensky("+proj=molodensky +a=" + Number(a) + " +rf=" + Number(1 / f) +
                                   " +da=" + Number(a84 - a) + " +df=" + Number(f84 - f) +
                                   " +dx=587 +dy=16 +dz=393");
    ASSERT_TRUE(molodensky.Valid());
    // Towards WGS 84 both evaluate the same abridged formulas and agree to
    // rounding. Back, the two invert them differently and differ by 3.6 cm at
    // most over Germany. A lost term of the formulas costs metres.
    CompareShifts(molodensky, kDhdn, 47.0, 55.0, 6.0, 15.0, 0.5, "DHDN (Molodensky)", 1e-6, 0.05);
}

TEST(GeodesyReferenceTest, Eur7AgreesWithProjHelmertOverEurope) {
    LoadTables();
    double a, f;
    Ellipsoid("IN", &a, &f);
    const ProjOperation helmert(
        "+proj=pipeline +step +proj=cart +a=" + Number(a) + " +rf=" + Number(1 / f) +
        " +step +proj=helmert +x=-102 +y=-102 +z=-129 +rx=0.413 +ry=-0.184 +rz=0.385"
        " +s=2.4664 +convention=coordinate_frame"
        " +step +inv +proj=cart +ellps=WGS84");
    ASSERT_TRUE(helmert.Valid());
    CompareShifts(helmert, kEur7, 35.0, 71.0, -10.0, 40.0, 1.0, "EUR-7 (Helmert)", 0.01, 0.01);
}

}  // namespace

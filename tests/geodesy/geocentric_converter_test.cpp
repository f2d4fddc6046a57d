// SPDX-License-Identifier: MIT
#include "geodesy/geocentric_converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/geocentric_converter_testing.h"

namespace {

using namespace GeocentricConverter;

const double kPi = 4.0 * std::atan(1.0);
constexpr double kA = 6378137.0;
constexpr double kF = 1 / 298.257223563;
const double kB = (1 - kF) * kA;

class GeocentricConverterTest : public ::testing::Test {
protected:
    void SetUp() override { ResetForTesting(); }
};

TEST_F(GeocentricConverterTest, StartsOnWgs84) {
    double x = 1.0, y = 1.0, z = 1.0;
    ASSERT_EQ(ToGeocentric(0.0, 0.0, 0.0, &x, &y, &z), 0u);
    EXPECT_EQ(x, 6378137.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, 0.0);
}

TEST_F(GeocentricConverterTest, ChecksLatitudeAndLongitudeInclusively) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double past2Pi = std::nextafter(2 * kPi, 4.0 * kPi);
    const double pastPole = std::nextafter(kPi / 2, 2.0);
    const struct {
        double latitude, longitude;
        ErrorFlags flags;
    } cases[] = {
        {kPi / 2, 2 * kPi, 0},
        {-kPi / 2, -kPi, 0},
        {pastPole, 0.0, kLatitudeError},
        {0.0, past2Pi, kLongitudeError},
        {0.0, std::nextafter(-kPi, -4.0), kLongitudeError},
        {pastPole, past2Pi, kLatitudeError | kLongitudeError},
        {nan, nan, kLatitudeError | kLongitudeError},
    };
    for (const auto& c : cases) {
        double x = -1.0, y = -1.0, z = -1.0;
        EXPECT_EQ(ToGeocentric(c.latitude, c.longitude, 0.0, &x, &y, &z), c.flags);
        if (c.flags != 0) {
            EXPECT_EQ(x, -1.0);
            EXPECT_EQ(y, -1.0);
            EXPECT_EQ(z, -1.0);
        }
    }
}

TEST_F(GeocentricConverterTest, LongitudesAbovePiAreWesternLongitudes) {
    double x1, y1, z1, x2, y2, z2;
    ASSERT_EQ(ToGeocentric(0.7, 3 * kPi / 2, 100.0, &x1, &y1, &z1), 0u);
    ASSERT_EQ(ToGeocentric(0.7, -kPi / 2, 100.0, &x2, &y2, &z2), 0u);
    EXPECT_NEAR(x1, x2, 1e-8);
    EXPECT_NEAR(y1, y2, 1e-8);
    EXPECT_EQ(z1, z2);
}

TEST_F(GeocentricConverterTest, ToGeodeticOnTheAxes) {
    double latitude, longitude, height;
    ToGeodetic(0.0, 0.0, 6400000.0, &latitude, &longitude, &height);
    EXPECT_EQ(latitude, kPi / 2);
    EXPECT_EQ(longitude, 0.0);
    EXPECT_NEAR(height, 6400000.0 - kB, 1e-6);
    ToGeodetic(0.0, 0.0, -6400000.0, &latitude, &longitude, &height);
    EXPECT_EQ(latitude, -kPi / 2);
    EXPECT_NEAR(height, 6400000.0 - kB, 1e-6);
    ToGeodetic(0.0, 0.0, 0.0, &latitude, &longitude, &height);
    EXPECT_EQ(latitude, kPi / 2);
    EXPECT_EQ(longitude, 0.0);
    EXPECT_EQ(height, -kB);
    ToGeodetic(0.0, 6378137.0, 1000.0, &latitude, &longitude, &height);
    EXPECT_EQ(longitude, kPi / 2);
    ToGeodetic(0.0, -6378137.0, 1000.0, &latitude, &longitude, &height);
    EXPECT_EQ(longitude, -kPi / 2);
}

TEST_F(GeocentricConverterTest, RefusedEllipsoidKeepsThePreviousOne) {
    EXPECT_EQ(UseEllipsoid(6378137.0, 1.0 / 250), 0u);
    EXPECT_EQ(UseEllipsoid(6378137.0, 1.0 / 350), 0u);
    EXPECT_EQ(UseEllipsoid(6378388.0, 1.0 / 297), 0u);
    double x, y, z;
    ASSERT_EQ(ToGeocentric(0.0, 0.0, 0.0, &x, &y, &z), 0u);
    EXPECT_EQ(x, 6378388.0);

    EXPECT_EQ(UseEllipsoid(0.0, kF), kSemiMajorAxisError);
    EXPECT_EQ(UseEllipsoid(0.0, 1.0 / 400), kSemiMajorAxisError | kFlatteningError);
    EXPECT_EQ(UseEllipsoid(6378137.0, std::nextafter(1.0 / 250, 1.0)), kFlatteningError);
    EXPECT_EQ(UseEllipsoid(6378137.0, std::numeric_limits<double>::quiet_NaN()), kFlatteningError);
    ASSERT_EQ(ToGeocentric(0.0, 0.0, 0.0, &x, &y, &z), 0u);
    EXPECT_EQ(x, 6378388.0);
}

}  // namespace

// SPDX-License-Identifier: MIT
#include "projection/transverse_mercator.h"

#include <gtest/gtest.h>

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>

#include "projection/transverse_mercator_testing.h"

namespace {

namespace TM = TransverseMercator;

constexpr double kA = 6378137.0;
constexpr double kF = 0.0033528106647474805;
constexpr double kDeg = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kMaxLatitude = 1.570621793869697;
constexpr double kUnset = -12345.0;

using Bits = std::array<std::uint64_t, sizeof(TM::ParameterSet) / sizeof(double)>;
Bits StateBits() {
    return std::bit_cast<Bits>(TM::CurrentParameterSet());
}

double Above(double x) {
    return std::nextafter(x, std::numeric_limits<double>::infinity());
}

double Below(double x) {
    return std::nextafter(x, -std::numeric_limits<double>::infinity());
}

class TransverseMercatorTest : public ::testing::Test {
protected:
    void SetUp() override { TM::ResetParameterSet(); }
    // A UTM-like zone on WGS 84 around the given central meridian.
    static void UseZone(double centralMeridian) {
        ASSERT_EQ(TM::SetParameters(kA, kF, 0.0, centralMeridian, 500000.0, 0.0, 0.9996), 0u);
    }
    double easting = kUnset;
    double northing = kUnset;
    double latitude = kUnset;
    double longitude = kUnset;
};

TEST_F(TransverseMercatorTest, StartsOnWgs84WithTheWideStartUpWindow) {
    EXPECT_EQ(TM::Forward(0.0, 0.0, &easting, &northing), 0u);
    EXPECT_EQ(easting, 0.0);
    EXPECT_EQ(northing, 0.0);
    // The start-up window is 40000 km each way; the computed one is far smaller.
    TM::Inverse(0.0, 40000000.0, &latitude, &longitude);
    EXPECT_NE(latitude, kUnset);
    EXPECT_EQ(TM::Inverse(0.0, Above(40000000.0), &latitude, &longitude), TM::kNorthingError);
}

TEST_F(TransverseMercatorTest, OnTheCentralMeridianTheOffsetsComeOutExactly) {
    UseZone(9 * kDeg);
    EXPECT_EQ(TM::Forward(50 * kDeg, 9 * kDeg, &easting, &northing), 0u);
    EXPECT_EQ(easting, 500000.0);
    // A longitude difference below 2e-10 rad counts as none at all.
    double nearEasting, nearNorthing;
    EXPECT_EQ(TM::Forward(50 * kDeg, 9 * kDeg + 1.5e-10, &nearEasting, &nearNorthing), 0u);
    EXPECT_EQ(nearEasting, 500000.0);
    EXPECT_EQ(nearNorthing, northing);

    ASSERT_EQ(TM::SetParameters(kA, kF, 0.5, 1.0, 1234.5, 6789.25, 0.9996), 0u);
    EXPECT_EQ(TM::Forward(0.5, 1.0, &easting, &northing), 0u);
    EXPECT_EQ(easting, 1234.5);
    EXPECT_EQ(northing, 6789.25);
}

TEST_F(TransverseMercatorTest, TheWindowDependsOnTheEllipsoidAlone) {
    ASSERT_EQ(TM::SetParameters(kA, kF, 0.0, 0.0, 0.0, 0.0, 1.0), 0u);
    double unused, windowNorthing, windowEasting;
    EXPECT_EQ(TM::Forward(kMaxLatitude, kHalfPi, &unused, &windowNorthing), TM::kDistortionWarning);
    EXPECT_EQ(TM::Forward(0.0, kHalfPi, &windowEasting, &unused), TM::kDistortionWarning);

    const double fe = 500000.0, fn = 10000000.0;
    ASSERT_EQ(TM::SetParameters(kA, kF, 0.3, 1.0, fe, fn, 0.9996), 0u);
    const TM::ParameterSet set = TM::CurrentParameterSet();
    EXPECT_EQ(set.deltaNorthing, windowNorthing);
    EXPECT_EQ(set.deltaEasting, windowEasting);

    // The window is closed: its edges are accepted and the outputs written.
    EXPECT_EQ(TM::Inverse(fe + windowEasting, fn, &latitude, &longitude) & TM::kEastingError, 0u);
    EXPECT_NE(longitude, kUnset);
    EXPECT_EQ(TM::Inverse(fe, fn - windowNorthing, &latitude, &longitude) & TM::kNorthingError, 0u);
    latitude = longitude = kUnset;
    EXPECT_EQ(TM::Inverse(Above(fe + windowEasting), fn, &latitude, &longitude), TM::kEastingError);
    EXPECT_EQ(
        TM::Inverse(Below(fe - windowEasting), Above(fn + windowNorthing), &latitude, &longitude),
        TM::kEastingError | TM::kNorthingError);
    EXPECT_EQ(latitude, kUnset);
    EXPECT_EQ(longitude, kUnset);
}

TEST_F(TransverseMercatorTest, RefusedParametersAreAllReportedAndChangeNothing) {
    UseZone(9 * kDeg);
    const Bits before = StateBits();
    EXPECT_EQ(TM::SetParameters(kA, 1.0 / 200, 0.0, 0.0, 0.0, 0.0, 1.0), TM::kFlatteningError);
    EXPECT_EQ(TM::SetParameters(kA, NAN, 0.0, 0.0, 0.0, 0.0, 1.0), TM::kFlatteningError);
    EXPECT_EQ(TM::SetParameters(0.0, kF, 0.0, 0.0, 0.0, 0.0, 5.0),
              TM::kSemiMajorAxisError | TM::kScaleFactorError);
    EXPECT_EQ(TM::SetParameters(kA, kF, Above(kHalfPi), 0.0, 0.0, 0.0, 1.0),
              TM::kOriginLatitudeError);
    EXPECT_EQ(TM::SetParameters(kA, kF, 0.0, 7.0, 0.0, 0.0, 1.0), TM::kCentralMeridianError);
    EXPECT_EQ(TM::SetParameters(kA, kF, 0.0, Below(-kPi), 0.0, 0.0, Below(0.3)),
              TM::kCentralMeridianError | TM::kScaleFactorError);
    EXPECT_EQ(TM::SetParameters(-1.0, 1.0 / 400, -2.0, 7.0, 0.0, 0.0, 3.5), 0x1f0u);
    EXPECT_EQ(StateBits(), before);

    EXPECT_EQ(TM::SetParameters(kA, 1.0 / 350, -kHalfPi, kTwoPi, 0.0, 0.0, 3.0), 0u);
    EXPECT_EQ(TM::SetParameters(kA, 1.0 / 250, kHalfPi, -kPi, 0.0, 0.0, 0.3), 0u);
    ASSERT_EQ(TM::SetParameters(kA, kF, 0.0, 4.0, 0.0, 0.0, 1.0), 0u);
    EXPECT_EQ(TM::CurrentParameterSet().centralMeridian, 4.0 - kTwoPi);
}

TEST_F(TransverseMercatorTest, ForwardRefusesLatitudesAndLongitudesOutOfReach) {
    UseZone(0.0);
    EXPECT_EQ(TM::Forward(-kMaxLatitude, 0.0, &easting, &northing), 0u);
    easting = northing = kUnset;
    EXPECT_EQ(TM::Forward(Above(kMaxLatitude), 0.0, &easting, &northing), TM::kLatitudeError);
    EXPECT_EQ(TM::Forward(0.0, 100 * kDeg, &easting, &northing), TM::kLongitudeError);
    EXPECT_EQ(TM::Forward(NAN, NAN, &easting, &northing), TM::kLatitudeError | TM::kLongitudeError);
    EXPECT_EQ(easting, kUnset);
    EXPECT_EQ(northing, kUnset);

    EXPECT_EQ(TM::Forward(0.5, 5 * kDeg, &easting, &northing), 0u);
    EXPECT_EQ(TM::Forward(0.5, 10 * kDeg, &easting, &northing), TM::kDistortionWarning);
    EXPECT_GT(easting, 500000.0 + 700000.0);
}

TEST_F(TransverseMercatorTest, InverseChecksTheResultsAfterWritingThem) {
    // Within 0.1 mm of the meridian the easting counts as on it.
    UseZone(9 * kDeg);
    double onMeridian;
    EXPECT_EQ(TM::Inverse(500000.0, 5555555.5, &onMeridian, &longitude), 0u);
    EXPECT_EQ(TM::Inverse(500000.0 - 0.00009, 5555555.5, &latitude, &longitude), 0u);
    EXPECT_EQ(latitude, onMeridian);
    EXPECT_EQ(longitude, 9 * kDeg);

    UseZone(0.0);
    // With k0 < 1 the window reaches past the pole.
    EXPECT_EQ(TM::Inverse(500000.0, 10000000.0, &latitude, &longitude),
              TM::kNorthingError | TM::kDistortionWarning);
    EXPECT_GT(latitude, 90 * kDeg);
    EXPECT_EQ(TM::Inverse(500000.0 + 1200000.0, 0.0, &latitude, &longitude),
              TM::kDistortionWarning);
    EXPECT_GT(longitude, 10 * kDeg);

    // A longitude past pi is brought back; one below -pi is left as it is.
    UseZone(3.1);
    EXPECT_EQ(TM::Inverse(500000.0 + 500000.0, 0.0, &latitude, &longitude), 0u);
    EXPECT_NEAR(longitude, 3.1 + 0.0783 - kTwoPi, 1e-4);
    UseZone(-3.1);
    EXPECT_EQ(TM::Inverse(500000.0 - 500000.0, 0.0, &latitude, &longitude), 0u);
    EXPECT_NEAR(longitude, -3.1 - 0.0783, 1e-4);
    // Far out at the window's edge the series runs away past any longitude.
    UseZone(kPi);
    const double edge = 500000.0 - TM::CurrentParameterSet().deltaEasting;
    EXPECT_EQ(TM::Inverse(edge, 0.0, &latitude, &longitude),
              TM::kEastingError | TM::kDistortionWarning);
    EXPECT_GT(longitude, kPi);
}

// Maximum distance in metres from GeographicLib's exact projection, forward and
// back, for random WGS 84 points up to the given longitude from the meridian.
struct Agreement {
    double forward = 0;
    double inverse = 0;
};
Agreement MeasureAgainstExact(double maxDegrees) {
    const GeographicLib::TransverseMercatorExact& exact =
        GeographicLib::TransverseMercatorExact::UTM();
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> latitude(-89.0, 89.0), offset(-maxDegrees, maxDegrees);
    std::uniform_int_distribution<int> meridian(-180, 180);
    Agreement worst;
    for (int i = 0; i < 3000; ++i) {
        const double lat = latitude(random);
        const int lon0 = meridian(random);
        const double lon = std::remainder(lon0 + offset(random), 360.0);
        TM::SetParameters(kA, kF, 0.0, lon0 * kDeg, 500000.0, 0.0, 0.9996);
        double e, n, x, y;
        TM::Forward(lat * kDeg, lon * kDeg, &e, &n);
        exact.Forward(lon0, lat, lon, x, y);
        x += 500000.0;
        worst.forward = std::max(worst.forward, std::hypot(e - x, n - y));
        double phi, lambda, xBack, yBack;
        TM::Inverse(x, y, &phi, &lambda);
        exact.Forward(lon0, phi / kDeg, lambda / kDeg, xBack, yBack);
        worst.inverse = std::max(worst.inverse, std::hypot(xBack + 500000.0 - x, yBack - y));
    }
    std::printf("within %.1f degrees of the meridian: forward %.4f mm, inverse %.4f mm\n",
                maxDegrees, worst.forward * 1000, worst.inverse * 1000);
    return worst;
}

TEST_F(TransverseMercatorTest, AgreesWithTheExactProjection) {
    const Agreement near = MeasureAgainstExact(3.5);
    EXPECT_LT(near.forward, 0.00002);
    EXPECT_LT(near.inverse, 0.00002);
    // Further out the truncated series drift; these bounds guard the high-order terms.
    const Agreement zone = MeasureAgainstExact(6.0);
    EXPECT_LT(zone.forward, 0.0005);
    EXPECT_LT(zone.inverse, 0.0005);
    const Agreement far = MeasureAgainstExact(9.0);
    EXPECT_LT(far.forward, 0.01);
    EXPECT_LT(far.inverse, 0.02);
}

// A set-up reused from an earlier call gives exactly what a fresh one gives.
TEST_F(TransverseMercatorTest, ReusedSetUpIsBitForBitAFreshOne) {
    struct Set {
        double a, f, lat0, lon0, k0;
    };
    const Set sets[] = {
        {kA, kF, 0.0, 0.1, 0.9996},
        {kA, kF, -0.0, 0.1, 0.9996},
        {kA, kF, 0.4, 0.2, 0.9996},
        {kA, kF, 0.4, 0.2, 1.0},
        {6377397.155, 1 / 299.1528128, 0.4, 0.2, 1.0},
        {6377397.155, 1 / 299.1528128, 0.0, 0.1, 0.5},
        {6378388.0, 1 / 297.0, 0.0, 0.1, 0.9996},
    };
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> pick(0, std::size(sets) - 1);
    std::uniform_real_distribution<double> latitude(-1.4, 1.4), offset(-0.1, 0.1);
    const auto convert = [](const Set& s, double lat, double lon) {
        EXPECT_EQ(TM::SetParameters(s.a, s.f, s.lat0, s.lon0, 500000.0, 1000.0, s.k0), 0u);
        std::array<double, 4> out;
        TM::Forward(lat, lon, &out[0], &out[1]);
        TM::Inverse(out[0] + 1000.0, out[1], &out[2], &out[3]);
        return std::pair(StateBits(), std::bit_cast<std::array<std::uint64_t, 4>>(out));
    };
    for (int i = 0; i < 500; ++i) {
        const Set& s = sets[pick(random)];
        const double lat = latitude(random), lon = s.lon0 + offset(random);
        const auto reused = convert(s, lat, lon);
        TM::ResetParameterSet();
        EXPECT_EQ(convert(s, lat, lon), reused);
    }
}

}  // namespace

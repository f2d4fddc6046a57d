// SPDX-License-Identifier: MIT
#include "geodesy/datum_shift.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/datum_table_testing.h"
#include "geodesy/ellipsoid_table_testing.h"
#include "geodesy/geocentric_converter.h"
#include "geodesy/geocentric_converter_testing.h"

namespace {

using namespace DatumShift;

const double kPi = 4.0 * std::atan(1.0);
const double kDegree = kPi / 180;
constexpr double kLimit = 1.5664330036649106;  // where Molodensky gives way
constexpr std::int32_t kWgs84 = 1, kWgs72 = 2, kEur7 = 3, kDhdn = 4;

struct Position {
    double latitude = -99.0, longitude = -99.0, height = -99.0;
    bool operator==(const Position&) const = default;
};

class DatumShiftTest : public ::testing::Test {
protected:
    void SetUp() override {
        EllipsoidTable::ResetForTesting();
        DatumTable::ResetForTesting();
        GeocentricConverter::ResetForTesting();
        ASSERT_EQ(DatumTable::Load(), 0u);
        ASSERT_EQ(EllipsoidTable::Load(), 0u);
    }

    static Position ToWgs84(std::int32_t index, Position p) {
        Position out;
        EXPECT_EQ(DatumToWgs84(index, p.latitude, p.longitude, p.height, out.latitude,
                               out.longitude, out.height),
                  0u);
        return out;
    }
    static Position FromWgs84(Position p, std::int32_t index) {
        Position out;
        EXPECT_EQ(Wgs84ToDatum(p.latitude, p.longitude, p.height, index, out.latitude,
                               out.longitude, out.height),
                  0u);
        return out;
    }
    static void Ellipsoid(const char* code, double* a, double* f) {
        std::int32_t index = 0;
        EllipsoidTable::FindByCode(code, &index);
        EllipsoidTable::Parameters(index, a, f);
    }
};

TEST_F(DatumShiftTest, GathersEveryInputFlagAndWritesNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::int32_t index;
        ErrorFlags indexFlag;
    } indices[] = {{kDhdn, 0}, {0, 1}, {5, 1}};
    const struct {
        double value;
        bool bad;
    } latitudes[] = {{kPi / 2, false}, {-kPi / 2, false}, {2.0, true}, {nan, true}},
      longitudes[] = {
          {-kPi, false}, {2 * kPi, false}, {7.0, true}, {std::nextafter(-kPi, -4.0), true}};
    for (const auto& i : indices) {
        for (const auto& lat : latitudes) {
            for (const auto& lon : longitudes) {
                const ErrorFlags position =
                    (lat.bad ? kLatitudeError : 0) | (lon.bad ? kLongitudeError : 0);
                Position out;
                EXPECT_EQ(DatumToWgs84(i.index, lat.value, lon.value, 0.0, out.latitude,
                                       out.longitude, out.height),
                          position | (i.indexFlag ? kSourceIndexError : 0));
                if (position | i.indexFlag) {
                    EXPECT_EQ(out, Position{});
                }
                out = Position{};
                EXPECT_EQ(Wgs84ToDatum(lat.value, lon.value, 0.0, i.index, out.latitude,
                                       out.longitude, out.height),
                          position | (i.indexFlag ? kTargetIndexError : 0));
                if (position | i.indexFlag) {
                    EXPECT_EQ(out, Position{});
                }
            }
        }
    }
}

TEST_F(DatumShiftTest, GeocentricShiftsCheckTableAndIndex) {
    Position out;
    EXPECT_EQ(GeocentricDatumToWgs84(0, 1.0, 2.0, 3.0, out.latitude, out.longitude, out.height),
              kSourceIndexError);
    EXPECT_EQ(GeocentricWgs84ToDatum(1.0, 2.0, 3.0, 5, out.latitude, out.longitude, out.height),
              kTargetIndexError);
    DatumTable::ResetForTesting();
    EXPECT_EQ(GeocentricDatumToWgs84(1, 1.0, 2.0, 3.0, out.latitude, out.longitude, out.height),
              kNotLoadedError);
    EXPECT_EQ(GeocentricWgs84ToDatum(1.0, 2.0, 3.0, 1, out.latitude, out.longitude, out.height),
              kNotLoadedError);
    EXPECT_EQ(out, Position{});
}

TEST_F(DatumShiftTest, Wgs84IsCopiedUnchanged) {
    const Position p{0.5, 3 * kPi / 2, 12.0};
    EXPECT_EQ(ToWgs84(kWgs84, p), p);
    EXPECT_EQ(FromWgs84(p, kWgs84), p);
}

// Expected positions computed with PROJ 9.1 from the same parameters: towards
// WGS 84 "+proj=molodensky" from Bessel 1841 with dx=587 dy=16 dz=393, back
// the same operation from WGS 84 with the parameters reversed, and beyond the
// limit the geocentric way ("+proj=cart", "+proj=helmert" with the three
// translations, "+inv +proj=cart" on WGS 84). Near the pole the two ways
// differ by 6e-5 rad of longitude, so each expectation tells them apart.
struct ReferenceShift {
    double latitude;
    Position toWgs84;
    Position fromWgs84;
};

void ExpectNear(const Position& got, const Position& want, double angle, double height) {
    EXPECT_NEAR(got.latitude, want.latitude, angle);
    EXPECT_NEAR(got.longitude, want.longitude, angle);
    EXPECT_NEAR(got.height, want.height, height);
}

TEST_F(DatumShiftTest, DhdnUsesMolodenskyUpToTheLimit) {
    const ReferenceShift shifts[] = {
        {52 * kDegree,
         {0.90754749012430391, 0.17451102279615893, -31.309523723719295},
         {0.90759492694620192, 0.1745548249254841, 31.300464912774288}},
        {kLimit,
         {1.5663425868046315, 0.17144643116601999, -277.82939010865255},
         {1.5665234091054521, 0.17761903012834301, 277.81453804213902}},
        {-kLimit,
         {-1.5663420508340111, 0.17144643116601999, -1063.8219079551498},
         {-1.5665239450085044, 0.17761903012834301, 1063.8070558886363}},
    };
    for (const ReferenceShift& shift : shifts) {
        SCOPED_TRACE(shift.latitude);
        const Position p{shift.latitude, 10 * kDegree, 0.0};
        // The same formulas: they agree to a few units of the last place.
        ExpectNear(ToWgs84(kDhdn, p), shift.toWgs84, 1e-12, 1e-6);
        ExpectNear(FromWgs84(p, kDhdn), shift.fromWgs84, 1e-12, 1e-6);
    }
}

TEST_F(DatumShiftTest, DhdnGoesGeocentricBeyondTheLimit) {
    const Position p{std::nextafter(kLimit, 2.0), 10 * kDegree, 0.0};
    // The geocentric conversions agree to millimetres, which near the pole
    // is a wide angle of longitude.
    const Position shifted = ToWgs84(kDhdn, p);
    EXPECT_NEAR(shifted.latitude, 1.5663425739308492, 2e-9);
    EXPECT_NEAR(shifted.longitude, 0.17150934478990326, 1e-6);
    EXPECT_NEAR(shifted.height, -277.79523031786084, 0.01);
}

TEST_F(DatumShiftTest, RoundTripsReturnCloseToTheStart) {
    // In metres: the geocentric conversion is good to about 5 mm each way,
    // Molodensky's first-order shift there and back to a few centimetres.
    const struct {
        std::int32_t index;
        double tolerance;
    } datums[] = {{kWgs72, 0.02}, {kEur7, 0.02}, {kDhdn, 0.1}};
    constexpr double kRadius = 6378137.0;
    for (const auto& d : datums) {
        for (const double latitude : {-60.0, 0.0, 48.0, 89.9}) {
            const Position p{latitude * kDegree, 11 * kDegree, 300.0};
            const Position back = FromWgs84(ToWgs84(d.index, p), d.index);
            EXPECT_NEAR(back.latitude * kRadius, p.latitude * kRadius, d.tolerance)
                << d.index << ' ' << latitude;
            EXPECT_NEAR((back.longitude - p.longitude) * kRadius * std::cos(p.latitude), 0.0,
                        d.tolerance)
                << d.index << ' ' << latitude;
            EXPECT_NEAR(back.height, p.height, d.tolerance) << d.index << ' ' << latitude;
        }
    }
}

TEST_F(DatumShiftTest, Wgs72ShiftAtTheOrigin) {
    Position p84;
    Wgs72ToWgs84(0.0, 0.0, 0.0, p84.latitude, p84.longitude, p84.height);
    EXPECT_EQ(p84.longitude, 2.685867793346782e-06);
    EXPECT_NEAR(p84.latitude, 4.5 / 6378135.0, 1e-15);
    EXPECT_NEAR(p84.height, 1.4 - 2.0, 1e-12);
    EXPECT_EQ(ToWgs84(kWgs72, {0.0, 0.0, 0.0}), p84);
}

TEST_F(DatumShiftTest, Wgs72FoldsOverThePoleAndTheDateLine) {
    Position out;
    Wgs72ToWgs84(kPi / 2 + 0.01, kPi - 1e-6, 0.0, out.latitude, out.longitude, out.height);
    EXPECT_LE(out.latitude, kPi / 2);
    EXPECT_NEAR(out.latitude, kPi / 2 - 0.01, 1e-8);
    EXPECT_NEAR(out.longitude, -kPi + 2.685867793346782e-06 - 1e-6, 1e-15);
    Wgs84ToWgs72(-kPi / 2 - 0.01, -kPi + 1e-6, 0.0, out.latitude, out.longitude, out.height);
    EXPECT_GE(out.latitude, -kPi / 2);
    EXPECT_NEAR(out.latitude, -kPi / 2 + 0.01, 1e-8);
    EXPECT_NEAR(out.longitude, kPi - 2.685867793346782e-06 + 1e-6, 1e-15);
}

TEST_F(DatumShiftTest, MolodenskyKeepsLongitudesBetweenPiAndTwoPi) {
    EXPECT_NEAR(ToWgs84(kDhdn, {52 * kDegree, 4.0, 0.0}).longitude, 4.0, 1e-3);
    // Past 2 pi and below -pi the longitude wraps.
    const double pastTwoPi = ToWgs84(kDhdn, {52 * kDegree, 2 * kPi - 1e-7, 0.0}).longitude;
    EXPECT_GT(pastTwoPi, 0.0);
    EXPECT_LT(pastTwoPi, 1e-5);
    const double belowMinusPi = ToWgs84(kDhdn, {52 * kDegree, -kPi, 0.0}).longitude;
    EXPECT_LT(belowMinusPi, kPi);
    EXPECT_GT(belowMinusPi, kPi - 1e-5);
}

TEST_F(DatumShiftTest, UnknownEllipsoidFailsBothWays) {
    const char* text = "NOELL  \"No such ellipsoid\"  XX  1 -1 2 -1 3 -1 47 55 6 24";
    DatumTable::ResetForTesting();
    ASSERT_EQ(DatumTable::LoadTextsForTesting(nullptr, 0, &text, 1), 0u);
    Position out;
    EXPECT_EQ(DatumToWgs84(3, 0.9, 0.2, 0.0, out.latitude, out.longitude, out.height),
              kEllipsoidError);
    EXPECT_EQ(Wgs84ToDatum(0.9, 0.2, 0.0, 3, out.latitude, out.longitude, out.height),
              kEllipsoidError);
    EXPECT_EQ(out, Position{});
    // So does an ellipsoid table that is not loaded.
    EllipsoidTable::ResetForTesting();
    EXPECT_EQ(DatumToWgs84(3, 0.9, 0.2, 0.0, out.latitude, out.longitude, out.height),
              kEllipsoidError);
    EXPECT_EQ(out, Position{});
}

}  // namespace

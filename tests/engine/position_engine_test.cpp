// SPDX-License-Identifier: MIT
#include "engine/position_engine.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <ostream>
#include <string>

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// Independent reference: a PROJ pipeline whose geodetic ends are in radians.
PJ_COORD Reference(const std::string& definition, double x, double y) {
    PJ* pj = proj_create(nullptr, definition.c_str());
    EXPECT_NE(pj, nullptr) << definition;
    const PJ_COORD result = pj ? proj_trans(pj, PJ_FWD, proj_coord(x, y, 0, 0)) : PJ_COORD{};
    proj_destroy(pj);
    return result;
}

double MetresBetween(const PositionEngine& engine, PJ_LP expected) {
    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    return 6371000.0 *
           std::hypot(latitude - expected.phi, (longitude - expected.lam) * std::cos(latitude));
}

// Every degree read-out of an engine.
struct Shown {
    SignPair sign, dmSign, dmsSign;
    ValuePair deg, dmDeg, dmMin, dmsDeg, dmsMin, dmsSec;
};
Shown Show(const PositionEngine& engine) {
    Shown s;
    engine.GetDeg(s.sign, s.deg);
    engine.GetDegMin(s.dmSign, s.dmDeg, s.dmMin);
    engine.GetDegMinSec(s.dmsSign, s.dmsDeg, s.dmsMin, s.dmsSec);
    return s;
}

struct Utm {
    std::int32_t returned, sign, zone;
    UtmCoordinates grid;
};
Utm ShowUtm(const PositionEngine& engine, std::int32_t zone = 0, UtmCoordinates grid = {}) {
    Utm u{0, 0, zone, grid};
    u.returned = engine.GetUtm(u.sign, u.zone, u.grid);
    return u;
}

TEST(PositionEngine, NewEngineShowsZeroZero) {
    PositionEngine engine;
    const Shown s = Show(engine);
    EXPECT_EQ(s.sign, (SignPair{1, 1}));
    EXPECT_EQ(s.deg, (ValuePair{0.0, 0.0}));
    // Longitude 0 lies 3 degrees west of zone 31's meridian: easting 166021.44 m.
    const Utm u = ShowUtm(engine);
    EXPECT_EQ(u.returned, 1);
    EXPECT_EQ(u.sign, 1);
    EXPECT_EQ(u.zone, 31);
    EXPECT_EQ(u.grid.northing, 0.0);
    EXPECT_EQ(u.grid.easting, 166021.0);
}

// Minutes and seconds come from the degrees rounded to millionths, and carry
// at 59.9999 minutes and above 59.99 seconds.
TEST(PositionEngine, CarriesJustBelowElevenDegrees) {
    PositionEngine engine;
    engine.SetFromDeg({1, 1}, {10.999999, 10.999998});
    Shown s = Show(engine);
    EXPECT_EQ(s.dmDeg, (ValuePair{11.0, 11.0}));
    EXPECT_EQ(s.dmMin, (ValuePair{0.0, 0.0}));
    EXPECT_EQ(s.dmsDeg, (ValuePair{11.0, 10.0}));
    EXPECT_EQ(s.dmsMin, (ValuePair{0.0, 59.0}));
    EXPECT_EQ(s.dmsSec, (ValuePair{0.0, 59.99}));

    engine.SetFromDeg({1, 1}, {10.999997, 0.0});
    s = Show(engine);
    EXPECT_EQ(s.dmDeg[0], 10.0);
    EXPECT_EQ(s.dmMin[0], 59.9998);

    // 10 degrees 59.9999 minutes, and seconds halfway between 59.99 and 60.
    engine.SetFromDegMin({1, 1}, {10.0, 10.0}, {59.9999, 59.9999});
    s = Show(engine);
    EXPECT_EQ(s.dmDeg, (ValuePair{11.0, 11.0}));
    EXPECT_EQ(s.dmMin, (ValuePair{0.0, 0.0}));
    engine.SetFromDegMinSec({1, 1}, {10.0, 10.0}, {20.0, 59.0}, {59.995, 59.995});
    s = Show(engine);
    EXPECT_EQ(s.dmsDeg, (ValuePair{10.0, 11.0}));
    EXPECT_EQ(s.dmsMin, (ValuePair{21.0, 0.0}));
    EXPECT_EQ(s.dmsSec, (ValuePair{0.0, 0.0}));
}

TEST(PositionEngine, FiftyThreeAndAHalfInEveryFormat) {
    PositionEngine entries[3];
    entries[0].SetFromDeg({1, -1}, {53.5, 53.5});
    entries[1].SetFromDegMin({1, -1}, {53.0, 53.0}, {30.0, 30.0});
    entries[2].SetFromDegMinSec({1, -1}, {53.0, 53.0}, {29.0, 29.0}, {60.0, 60.0});
    for (const PositionEngine& engine : entries) {
        const Shown s = Show(engine);
        EXPECT_EQ(s.sign, (SignPair{1, -1}));
        EXPECT_EQ(s.dmsSign, (SignPair{1, -1}));
        EXPECT_EQ(s.deg, (ValuePair{53.5, 53.5}));
        EXPECT_EQ(s.dmDeg, (ValuePair{53.0, 53.0}));
        EXPECT_EQ(s.dmMin, (ValuePair{30.0, 30.0}));
        EXPECT_EQ(s.dmsMin, (ValuePair{30.0, 30.0}));
        EXPECT_EQ(s.dmsSec, (ValuePair{0.0, 0.0}));
    }
}

TEST(PositionEngine, SignsAndHalfUpRounding) {
    PositionEngine engine;
    // -0 is not below zero; a tiny negative angle keeps its sign at 0.000000.
    engine.SetFromDeg({-1, -1}, {0.0, 0.0000004});
    Shown s = Show(engine);
    EXPECT_EQ(s.sign, (SignPair{1, -1}));
    EXPECT_EQ(s.deg, (ValuePair{0.0, 0.0}));

    // Both come back as exactly k + 0.5 millionths: half up, not half even.
    engine.SetFromDeg({1, -1}, {0.0000005, 0.0000025});
    s = Show(engine);
    EXPECT_EQ(s.sign, (SignPair{1, -1}));
    EXPECT_EQ(s.deg, (ValuePair{0.000001, 0.000003}));

    // 0.00045 minutes and 0.027 seconds are 0.0000075 degrees, a tie in
    // decimal; multiplying by the double just below 1/60 lands under it.
    engine.SetFromDegMin({1, 1}, {0.0, 0.0}, {0.00045, 0.0});
    EXPECT_EQ(Show(engine).deg[0], 0.000007);
    engine.SetFromDegMinSec({1, 1}, {0.0, 0.0}, {0.0, 0.0}, {0.027, 0.0});
    EXPECT_EQ(Show(engine).deg[0], 0.000007);

    // A count of millionths times the double 0.000001, which is not the double
    // nearest 12.345679; a second pass keeps it.
    engine.SetFromDeg({1, 1}, {12.3456789, 12.3456789});
    s = Show(engine);
    const double rounded = 12345679 * 0.000001;
    EXPECT_EQ(s.deg, (ValuePair{rounded, rounded}));
    engine.SetFromDeg(s.sign, s.deg);
    EXPECT_EQ(Show(engine).deg, s.deg);
    // 0.345679 degrees are 20.74074 minutes, or 20 minutes 44.4444 seconds.
    EXPECT_EQ(s.dmMin[0], 20.7407);
    EXPECT_EQ(s.dmsSec[0], 44.44);
}

TEST(PositionEngine, AbsurdEntriesGiveDefinedReadOuts) {
    const double inf = std::numeric_limits<double>::infinity();
    const double most = 2147483647 * 0.000001;  // the largest 32-bit count of millionths
    PositionEngine engine;
    engine.SetFromDeg({1, -1}, {1e300, inf});
    Shown s = Show(engine);
    EXPECT_EQ(s.sign, (SignPair{1, -1}));
    EXPECT_EQ(s.deg, (ValuePair{most, most}));
    EXPECT_EQ(s.dmsDeg, (ValuePair{2147.0, 2147.0}));

    // NaN is not >= 0: south and west, at 0 degrees; UTM refuses it.
    engine.SetFromDegMin({1, 1}, {std::nan(""), 0.0}, {0.0, std::nan("")});
    s = Show(engine);
    EXPECT_EQ(s.sign, (SignPair{-1, -1}));
    EXPECT_EQ(s.deg, (ValuePair{0.0, 0.0}));
    const Utm u = ShowUtm(engine, 5, {1e300, -inf});
    EXPECT_EQ(u.returned, -1);
    EXPECT_EQ(u.zone, 5);
    EXPECT_EQ(u.grid.northing, 2147483647.0);
    EXPECT_EQ(u.grid.easting, -2147483648.0);
}

TEST(PositionEngine, UtmInputAndPositionsOffTheGrid) {
    PositionEngine engine;
    engine.SetFromDeg({1, 1}, {53.5, 10.0});
    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    // Zone 0 and an easting off the grid are refused: the position stays,
    // and the form is told.
    EXPECT_FALSE(engine.SetFromUtm(1, 0, {0.0, 0.0}));
    EXPECT_FALSE(engine.SetFromUtm(1, 32, {5900000.0, 99999.0}));
    EXPECT_EQ(MetresBetween(engine, {longitude, latitude}), 0.0);
    // Far from the central meridian the inverse warns, yet its position is
    // taken (GeographicLib: 80 N 20 E is 33 N 596813.055 8885748.708).
    EXPECT_TRUE(engine.SetFromUtm(1, 33, {8885748.708, 596813.055}));
    SignPair sign;
    ValuePair degrees;
    engine.GetDeg(sign, degrees);
    EXPECT_NEAR(degrees[0], 80.0, 1e-9);
    EXPECT_NEAR(degrees[1], 20.0, 1e-9);
    EXPECT_TRUE(engine.SetFromUtm(1, 32, {5900000.0, 500000.0}));

    // Beyond 84.5 degrees the caller's values stay, rounded half up.
    for (const std::int32_t sign : {1, -1}) {
        engine.SetFromDeg({sign, 1}, {85.0, 10.0});
        const Utm u = ShowUtm(engine, 7, {1234567.5, 500000.4999});
        EXPECT_EQ(u.returned, sign);
        EXPECT_EQ(u.sign, sign);
        EXPECT_EQ(u.zone, 7);
        EXPECT_EQ(u.grid.northing, 1234568.0);
        EXPECT_EQ(u.grid.easting, 500000.0);
    }

    // Only +1 is north: 0 enters the same southern position as -1.
    PositionEngine south;
    south.SetFromUtm(-1, 32, {5000000.0, 500000.0});
    engine.SetFromUtm(0, 32, {5000000.0, 500000.0});
    south.GetWgs84(latitude, longitude);
    EXPECT_LT(latitude, 0.0);
    EXPECT_EQ(MetresBetween(engine, {longitude, latitude}), 0.0);
    const Utm u = ShowUtm(engine);
    EXPECT_EQ(u.returned, -1);
    EXPECT_EQ(u.zone, 32);
    EXPECT_EQ(u.grid.northing, 5000000.0);
    EXPECT_EQ(u.grid.easting, 500000.0);
}

TEST(PositionEngine, UtmReadOutUsesTheZoneOfThePosition) {
    // Far east of zone 10's meridian, near 76.5 degrees south; the series are
    // good to about a metre that far out.
    PositionEngine engine;
    engine.SetFromUtm(-1, 10, {1500000.0, 900000.0});
    const PJ_LP entered = Reference(
                              "+proj=pipeline +step +inv +proj=utm +zone=10 +south "
                              "+ellps=WGS84",
                              900000.0, 1500000.0)
                              .lp;
    EXPECT_LT(MetresBetween(engine, entered), 5.0);

    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    const int zone = static_cast<int>(std::floor((longitude / kDeg + 180.0) / 6.0)) + 1;
    ASSERT_GT(zone, 11);
    const PJ_ENU grid = Reference("+proj=utm +south +ellps=WGS84 +zone=" + std::to_string(zone),
                                  longitude, latitude)
                            .enu;
    const Utm u = ShowUtm(engine);
    EXPECT_EQ(u.returned, -1);
    EXPECT_EQ(u.zone, zone);
    EXPECT_NEAR(u.grid.northing, grid.n, 0.51);
    EXPECT_NEAR(u.grid.easting, grid.e, 0.51);
}

// On another datum positions are entered and shown on it and held on WGS 84.
// PROJ shifts through geocentric coordinates as the reference.
struct DatumCase {
    DatumChoice choice;
    const char* shift;  // the datum's ellipsoid and its shift to WGS 84
    const char* ellipsoid;
};
void PrintTo(const DatumCase& c, std::ostream* os) {
    *os << (c.choice == Eur7 ? "Eur7" : "Dhdn");
}
class OtherDatum : public ::testing::TestWithParam<DatumCase> {};

TEST_P(OtherDatum, PositionsRoundTripOnTheDatumAndAreHeldOnWgs84) {
    const auto toWgs84 = [](const std::string& first) {
        return "+proj=pipeline " + first + " +step +proj=cart " + GetParam().shift +
               " +step +inv +proj=cart +ellps=WGS84";
    };
    PositionEngine engine;
    ASSERT_EQ(engine.SelectDatum(GetParam().choice), 0u);
    engine.SetFromDeg({1, 1}, {52.123456, 10.654321});
    const Shown s = Show(engine);
    EXPECT_EQ(s.sign, (SignPair{1, 1}));
    EXPECT_NEAR(s.deg[0], 52.123456, 1e-9);
    EXPECT_NEAR(s.deg[1], 10.654321, 1e-9);
    const PJ_LP lp = Reference(toWgs84(""), 10.654321 * kDeg, 52.123456 * kDeg).lp;
    EXPECT_LT(MetresBetween(engine, lp), 0.1);
    EXPECT_GT(MetresBetween(engine, {10.654321 * kDeg, 52.123456 * kDeg}), 10.0);

    // UTM on the datum's own ellipsoid.
    engine.SetFromUtm(1, 32, {5800000.0, 600000.0});
    const Utm u = ShowUtm(engine);
    EXPECT_EQ(u.zone, 32);
    EXPECT_EQ(u.grid.northing, 5800000.0);
    EXPECT_EQ(u.grid.easting, 600000.0);
    const std::string grid = std::string("+step +inv +proj=utm +zone=32 ") + GetParam().ellipsoid;
    EXPECT_LT(MetresBetween(engine, Reference(toWgs84(grid), 600000.0, 5800000.0).lp), 0.1);
}

INSTANTIATE_TEST_SUITE_P(
    Datums, OtherDatum,
    ::testing::Values(DatumCase{Eur7,
                                "+ellps=intl +step +proj=helmert +x=-102 +y=-102 +z=-129 "
                                "+rx=0.413 +ry=-0.184 +rz=0.385 +s=2.4664 "
                                "+convention=coordinate_frame",
                                "+ellps=intl"},
                      DatumCase{Dhdn, "+ellps=bessel +step +proj=helmert +x=587 +y=16 +z=393",
                                "+ellps=bessel"}),
    ::testing::PrintToStringParamName());

TEST(PositionEngine, RefusedDatumShiftKeepsWhatIsHeldAndShown) {
    PositionEngine engine;
    engine.SetFromDeg({1, 1}, {100.0, 10.0});
    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    engine.SelectDatum(Dhdn);
    EXPECT_EQ(Show(engine).deg, (ValuePair{100.0, 10.0}));
    engine.SetFromDeg({1, 1}, {95.0, 10.0});
    EXPECT_EQ(MetresBetween(engine, {longitude, latitude}), 0.0);
}

}  // namespace

#include "engine/position_engine.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace {

constexpr double kMetresPerRadian = 6371000.0;  // near enough to measure shifts

// An independent reference: a PROJ pipeline whose geodetic ends are in radians.
class Reference {
  public:
    explicit Reference(const std::string& definition)
        : m_pj(proj_create(nullptr, definition.c_str())) {}
    ~Reference() { proj_destroy(m_pj); }
    bool Valid() const { return m_pj != nullptr; }
    PJ_COORD Forward(double x, double y) const {
        return proj_trans(m_pj, PJ_FWD, proj_coord(x, y, 0, 0));
    }
    PJ_COORD Inverse(double x, double y) const {
        return proj_trans(m_pj, PJ_INV, proj_coord(x, y, 0, 0));
    }

  private:
    PJ* m_pj;
};

double DistanceMetres(double lat1, double lon1, double lat2, double lon2) {
    return kMetresPerRadian * std::hypot(lat1 - lat2, (lon1 - lon2) * std::cos(lat1));
}

struct DegMin {
    SignPair sign;
    ValuePair degrees, minutes;
};
struct DegMinSec {
    SignPair sign;
    ValuePair degrees, minutes, seconds;
};

DegMin ReadDegMin(const PositionEngine& engine) {
    DegMin r;
    engine.GetDegMin(r.sign, r.degrees, r.minutes);
    return r;
}
DegMinSec ReadDegMinSec(const PositionEngine& engine) {
    DegMinSec r;
    engine.GetDegMinSec(r.sign, r.degrees, r.minutes, r.seconds);
    return r;
}

TEST(PositionEngine, NewEngineIsAtZeroZeroOnWgs84) {
    PositionEngine engine;
    SignPair sign{};
    ValuePair degrees{1.0, 1.0};
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(sign, (SignPair{1, 1}));
    EXPECT_EQ(degrees, (ValuePair{0.0, 0.0}));

    // Longitude 0 lies 3 degrees west of zone 31's meridian: easting 166021.44 m.
    std::int32_t hemisphere = 0;
    std::int32_t zone = 0;
    UtmCoordinates utm{-1.0, -1.0};
    EXPECT_EQ(engine.GetUtm(hemisphere, zone, utm), 1);
    EXPECT_EQ(hemisphere, 1);
    EXPECT_EQ(zone, 31);
    EXPECT_EQ(utm.northing, 0.0);
    EXPECT_EQ(utm.easting, 166021.0);
}

// Minutes and seconds come from the degrees already rounded to millionths, and
// carry at 59.9999 minutes and above 59.99 seconds.
TEST(PositionEngine, CarriesJustBelowElevenDegrees) {
    struct Case {
        double degrees;
        DegMin degMin;
        DegMinSec degMinSec;
    };
    const Case cases[] = {
        {10.999999,
         {{1, 1}, {11.0, 11.0}, {0.0, 0.0}},
         {{1, 1}, {11.0, 11.0}, {0.0, 0.0}, {0.0, 0.0}}},
        {10.999998,
         {{1, 1}, {11.0, 11.0}, {0.0, 0.0}},
         {{1, 1}, {10.0, 10.0}, {59.0, 59.0}, {59.99, 59.99}}},
        {10.999997,
         {{1, 1}, {10.0, 10.0}, {59.9998, 59.9998}},
         {{1, 1}, {10.0, 10.0}, {59.0, 59.0}, {59.99, 59.99}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        PositionEngine engine;
        engine.SetFromDeg({1, 1}, {c.degrees, c.degrees});
        const DegMin dm = ReadDegMin(engine);
        EXPECT_EQ(dm.degrees, c.degMin.degrees);
        EXPECT_EQ(dm.minutes, c.degMin.minutes);
        const DegMinSec dms = ReadDegMinSec(engine);
        EXPECT_EQ(dms.degrees, c.degMinSec.degrees);
        EXPECT_EQ(dms.minutes, c.degMinSec.minutes);
        EXPECT_EQ(dms.seconds, c.degMinSec.seconds);
    }
}

TEST(PositionEngine, FiftyThreeAndAHalfInEveryFormat) {
    PositionEngine entries[3];
    entries[0].SetFromDeg({1, -1}, {53.5, 53.5});
    entries[1].SetFromDegMin({1, -1}, {53.0, 53.0}, {30.0, 30.0});
    entries[2].SetFromDegMinSec({1, -1}, {53.0, 53.0}, {29.0, 29.0}, {60.0, 60.0});
    for (const PositionEngine& engine : entries) {
        SignPair sign{};
        ValuePair degrees{};
        engine.GetDeg(sign, degrees);
        EXPECT_EQ(sign, (SignPair{1, -1}));
        EXPECT_EQ(degrees, (ValuePair{53.5, 53.5}));
        const DegMin dm = ReadDegMin(engine);
        EXPECT_EQ(dm.sign, (SignPair{1, -1}));
        EXPECT_EQ(dm.degrees, (ValuePair{53.0, 53.0}));
        EXPECT_EQ(dm.minutes, (ValuePair{30.0, 30.0}));
        const DegMinSec dms = ReadDegMinSec(engine);
        EXPECT_EQ(dms.degrees, (ValuePair{53.0, 53.0}));
        EXPECT_EQ(dms.minutes, (ValuePair{30.0, 30.0}));
        EXPECT_EQ(dms.seconds, (ValuePair{0.0, 0.0}));
    }
}

TEST(PositionEngine, SignComesFromTheAngleNotFromItsRoundedValue) {
    PositionEngine engine;
    SignPair sign{};
    ValuePair degrees{};
    // -0 is not below zero; a tiny negative angle keeps its sign at 0.000000.
    engine.SetFromDeg({-1, -1}, {0.0, 0.0000004});
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(sign, (SignPair{1, -1}));
    EXPECT_EQ(degrees, (ValuePair{0.0, 0.0}));

    engine.SetFromDeg({1, -1}, {0.0, 10.5});
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(sign, (SignPair{1, -1}));
    EXPECT_EQ(degrees, (ValuePair{0.0, 10.5}));
}

TEST(PositionEngine, DegreesRoundHalfUpToMillionthsOnce) {
    PositionEngine engine;
    SignPair sign{};
    ValuePair degrees{};
    // Both come back as exactly k + 0.5 millionths: half up, not half even.
    engine.SetFromDeg({1, 1}, {0.0000005, 0.0000025});
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(degrees, (ValuePair{0.000001, 0.000003}));

    // The read-out is a count of millionths times the double 0.000001, which
    // is not the double nearest 12.345679; a second pass keeps it.
    engine.SetFromDeg({1, 1}, {12.3456789, 12.3456789});
    engine.GetDeg(sign, degrees);
    const double rounded = 12345679 * 0.000001;
    EXPECT_EQ(degrees, (ValuePair{rounded, rounded}));
    engine.SetFromDeg(sign, degrees);
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(degrees, (ValuePair{rounded, rounded}));

    // 0.345679 degrees are 20.74074 minutes and 44.4444 seconds past 20 minutes.
    EXPECT_EQ(ReadDegMin(engine).minutes[0], 20.7407);
    EXPECT_EQ(ReadDegMinSec(engine).seconds[0], 44.44);
}

TEST(PositionEngine, EntriesJustBelowAFullMinuteCarry) {
    PositionEngine engine;
    engine.SetFromDegMin({1, 1}, {10.0, 10.0}, {59.9999, 59.9999});
    DegMin dm = ReadDegMin(engine);
    EXPECT_EQ(dm.degrees, (ValuePair{11.0, 11.0}));
    EXPECT_EQ(dm.minutes, (ValuePair{0.0, 0.0}));

    // Halfway between 59.99 and 60 seconds gives the next whole minute.
    engine.SetFromDegMinSec({1, 1}, {10.0, 10.0}, {20.0, 59.0}, {59.995, 59.995});
    const DegMinSec dms = ReadDegMinSec(engine);
    EXPECT_EQ(dms.degrees, (ValuePair{10.0, 11.0}));
    EXPECT_EQ(dms.minutes, (ValuePair{21.0, 0.0}));
    EXPECT_EQ(dms.seconds, (ValuePair{0.0, 0.0}));
}

TEST(PositionEngine, AbsurdEntriesGiveDefinedReadOuts) {
    const double inf = std::numeric_limits<double>::infinity();
    const double limit = 2147483647 * 0.000001;  // the largest count of millionths
    PositionEngine engine;
    SignPair sign{};
    ValuePair degrees{};
    engine.SetFromDeg({1, -1}, {1e300, inf});
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(sign, (SignPair{1, -1}));
    EXPECT_EQ(degrees, (ValuePair{limit, limit}));
    EXPECT_EQ(ReadDegMinSec(engine).degrees, (ValuePair{2147.0, 2147.0}));

    // NaN is not >= 0, so it reads as south and west, at 0 degrees.
    engine.SetFromDegMin({1, 1}, {std::nan(""), 0.0}, {0.0, std::nan("")});
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(sign, (SignPair{-1, -1}));
    EXPECT_EQ(degrees, (ValuePair{0.0, 0.0}));
    EXPECT_EQ(ReadDegMin(engine).minutes, (ValuePair{0.0, 0.0}));
    std::int32_t hemisphere = 0;
    std::int32_t zone = 5;
    UtmCoordinates utm{1e300, -inf};
    EXPECT_EQ(engine.GetUtm(hemisphere, zone, utm), -1);
    EXPECT_EQ(zone, 5);
    EXPECT_EQ(utm.northing, 2147483647.0);
    EXPECT_EQ(utm.easting, -2147483648.0);
}

TEST(PositionEngine, RefusedUtmEntryKeepsThePosition) {
    PositionEngine engine;
    engine.SetFromDeg({1, 1}, {53.5, 10.0});
    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    // Zone 0, and an easting off the grid.
    engine.SetFromUtm(1, 0, {0.0, 0.0});
    engine.SetFromUtm(1, 32, {5900000.0, 99999.0});
    double heldLatitude = 0.0;
    double heldLongitude = 0.0;
    engine.GetWgs84(heldLatitude, heldLongitude);
    EXPECT_EQ(heldLatitude, latitude);
    EXPECT_EQ(heldLongitude, longitude);
}

TEST(PositionEngine, UtmReadOutBeyondTheGridKeepsTheCallersValuesRounded) {
    for (const std::int32_t sign : {1, -1}) {
        PositionEngine engine;
        engine.SetFromDeg({sign, 1}, {85.0, 10.0});
        std::int32_t hemisphere = 0;
        std::int32_t zone = 7;
        UtmCoordinates utm{1234567.5, 500000.4999};
        EXPECT_EQ(engine.GetUtm(hemisphere, zone, utm), sign);
        EXPECT_EQ(hemisphere, sign);
        EXPECT_EQ(zone, 7);
        EXPECT_EQ(utm.northing, 1234568.0);
        EXPECT_EQ(utm.easting, 500000.0);
    }
}

TEST(PositionEngine, UtmHemisphereIsNorthOnlyForPlusOne) {
    PositionEngine south;
    PositionEngine zero;
    south.SetFromUtm(-1, 32, {5000000.0, 500000.0});
    zero.SetFromUtm(0, 32, {5000000.0, 500000.0});
    double latitudes[2];
    double longitudes[2];
    south.GetWgs84(latitudes[0], longitudes[0]);
    zero.GetWgs84(latitudes[1], longitudes[1]);
    EXPECT_LT(latitudes[0], 0.0);
    EXPECT_EQ(latitudes[1], latitudes[0]);
    EXPECT_EQ(longitudes[1], longitudes[0]);

    std::int32_t hemisphere = 0;
    std::int32_t zone = 0;
    UtmCoordinates utm{};
    EXPECT_EQ(zero.GetUtm(hemisphere, zone, utm), -1);
    EXPECT_EQ(zone, 32);
    EXPECT_EQ(utm.northing, 5000000.0);
    EXPECT_EQ(utm.easting, 500000.0);
}

TEST(PositionEngine, UtmReadOutUsesTheZoneOfThePosition) {
    // Far east of zone 10's meridian, near 76.5 degrees south.
    PositionEngine engine;
    engine.SetFromUtm(-1, 10, {1500000.0, 900000.0});
    const Reference zone10("+proj=utm +zone=10 +south +ellps=WGS84");
    ASSERT_TRUE(zone10.Valid());
    const PJ_COORD expected = zone10.Inverse(900000.0, 1500000.0);
    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    EXPECT_LT(DistanceMetres(latitude, longitude, expected.lp.phi, expected.lp.lam), 0.01);

    const int expectedZone =
        static_cast<int>(std::floor((expected.lp.lam * 180.0 / std::numbers::pi + 180.0) / 6.0)) +
        1;
    ASSERT_GT(expectedZone, 11);
    const Reference ownZone("+proj=utm +south +ellps=WGS84 +zone=" + std::to_string(expectedZone));
    ASSERT_TRUE(ownZone.Valid());
    const PJ_COORD grid = ownZone.Forward(expected.lp.lam, expected.lp.phi);
    std::int32_t hemisphere = 0;
    std::int32_t zone = 0;
    UtmCoordinates utm{};
    EXPECT_EQ(engine.GetUtm(hemisphere, zone, utm), -1);
    EXPECT_EQ(zone, expectedZone);
    EXPECT_NEAR(utm.northing, grid.enu.n, 1.0);
    EXPECT_NEAR(utm.easting, grid.enu.e, 1.0);
}

// The other datums: what is entered and shown is on the datum, what is held is
// on WGS 84. PROJ shifts through geocentric coordinates as the reference.
struct DatumCase {
    DatumChoice choice;
    const char* ellipsoid;
    const char* helmert;
};

class OtherDatum : public ::testing::TestWithParam<DatumCase> {
  protected:
    std::string ToWgs84(const std::string& first) const {
        return "+proj=pipeline " + first + " +step +proj=cart +ellps=" + GetParam().ellipsoid +
               " +step +proj=helmert " + GetParam().helmert + " +step +inv +proj=cart +ellps=WGS84";
    }
};

TEST_P(OtherDatum, EntriesRoundTripOnTheDatumAndAreHeldOnWgs84) {
    PositionEngine engine;
    ASSERT_EQ(engine.SelectDatum(GetParam().choice), 0u);
    engine.SetFromDeg({1, 1}, {52.123456, 10.654321});
    SignPair sign{};
    ValuePair degrees{};
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(sign, (SignPair{1, 1}));
    EXPECT_NEAR(degrees[0], 52.123456, 1e-9);
    EXPECT_NEAR(degrees[1], 10.654321, 1e-9);

    const Reference shift(ToWgs84(""));
    ASSERT_TRUE(shift.Valid());
    const double deg = std::numbers::pi / 180.0;
    const PJ_COORD expected = shift.Forward(10.654321 * deg, 52.123456 * deg);
    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    EXPECT_LT(DistanceMetres(latitude, longitude, expected.lp.phi, expected.lp.lam), 1.0);
    EXPECT_GT(DistanceMetres(latitude, longitude, 52.123456 * deg, 10.654321 * deg), 10.0);

    engine.SetFromDegMinSec({-1, -1}, {33.0, 70.0}, {20.0, 5.0}, {12.34, 56.78});
    const DegMinSec dms = ReadDegMinSec(engine);
    EXPECT_EQ(dms.sign, (SignPair{-1, -1}));
    EXPECT_NEAR(dms.degrees[0] + dms.minutes[0] / 60 + dms.seconds[0] / 3600,
                33.0 + 20.0 / 60 + 12.34 / 3600, 1e-9);
    EXPECT_NEAR(dms.degrees[1] + dms.minutes[1] / 60 + dms.seconds[1] / 3600,
                70.0 + 5.0 / 60 + 56.78 / 3600, 1e-9);
}

TEST_P(OtherDatum, UtmIsOnTheDatumsEllipsoid) {
    PositionEngine engine;
    ASSERT_EQ(engine.SelectDatum(GetParam().choice), 0u);
    engine.SetFromUtm(1, 32, {5800000.0, 600000.0});
    std::int32_t hemisphere = 0;
    std::int32_t zone = 0;
    UtmCoordinates utm{};
    EXPECT_EQ(engine.GetUtm(hemisphere, zone, utm), 1);
    EXPECT_EQ(zone, 32);
    EXPECT_EQ(utm.northing, 5800000.0);
    EXPECT_EQ(utm.easting, 600000.0);

    const Reference gridToWgs84(
        ToWgs84(std::string("+step +inv +proj=utm +zone=32 +ellps=") + GetParam().ellipsoid));
    ASSERT_TRUE(gridToWgs84.Valid());
    const PJ_COORD expected = gridToWgs84.Forward(600000.0, 5800000.0);
    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    EXPECT_LT(DistanceMetres(latitude, longitude, expected.lp.phi, expected.lp.lam), 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Datums, OtherDatum,
    ::testing::Values(DatumCase{Eur7, "intl",
                                "+x=-102 +y=-102 +z=-129 +rx=0.413 +ry=-0.184 +rz=0.385 "
                                "+s=2.4664 +convention=coordinate_frame"},
                      DatumCase{Dhdn, "bessel", "+x=587 +y=16 +z=393"}),
    [](const auto& info) { return info.param.choice == Eur7 ? "Eur7" : "Dhdn"; });

TEST(PositionEngine, RefusedDatumShiftKeepsWhatIsHeldAndShown) {
    PositionEngine engine;
    engine.SetFromDeg({1, 1}, {100.0, 10.0});
    engine.SelectDatum(Dhdn);
    SignPair sign{};
    ValuePair degrees{};
    engine.GetDeg(sign, degrees);
    EXPECT_EQ(degrees, (ValuePair{100.0, 10.0}));

    double latitude = 0.0;
    double longitude = 0.0;
    engine.GetWgs84(latitude, longitude);
    engine.SetFromDeg({1, 1}, {95.0, 10.0});
    double heldLatitude = 0.0;
    double heldLongitude = 0.0;
    engine.GetWgs84(heldLatitude, heldLongitude);
    EXPECT_EQ(heldLatitude, latitude);
    EXPECT_EQ(heldLongitude, longitude);
}

}  // namespace

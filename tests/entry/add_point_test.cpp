// SPDX-License-Identifier: MIT
#include "entry/add_point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The form asks for the name before it looks at the position, and so does
// the companion: a point with neither is refused for its name.
TEST(AddPoint, ANamelessPointIsRefusedBeforeAPositionOffTheEarth) {
    EXPECT_EQ(CheckRoutePoint(L"", kInfinity, 0.0), PointRefusal::EmptyName);
    EXPECT_EQ(CheckRoutePoint(L"", 53.5, 10.0), PointRefusal::EmptyName);
    // A name of blanks is a name.
    EXPECT_EQ(CheckRoutePoint(L" ", kInfinity, 0.0), PointRefusal::NotOnEarth);
    EXPECT_EQ(CheckRoutePoint(L"Home", 53.5, -kInfinity), PointRefusal::NotOnEarth);
    EXPECT_EQ(CheckRoutePoint(L"Home", std::nan(""), 10.0), PointRefusal::NotOnEarth);
    EXPECT_EQ(CheckRoutePoint(L"Home", 90.5, 10.0), PointRefusal::NotOnEarth);
    EXPECT_EQ(CheckRoutePoint(L"Home", 53.5, 10.0), PointRefusal::None);
}

TEST(AddPoint, TheEnginesPositionIsWrittenInDegreesLatitudeFirst) {
    PositionEngine engine;
    engine.SetFromDeg({-1, -1}, {53.5, 10.25});
    double latitude = 0.0;
    double longitude = 0.0;
    GetWgs84Degrees(engine, latitude, longitude);
    EXPECT_NEAR(latitude, -53.5, 1e-9);
    EXPECT_NEAR(longitude, -10.25, 1e-9);
}

}  // namespace

// SPDX-License-Identifier: MIT
#include "gpx/gpx_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gpx/gpx_reader.h"

namespace {

// What the writer writes, our reader reads back: markup characters in names
// escaped, the letters of every script kept, and the date line as GPX's
// longitudes allow it.
TEST(GpxWriter, ARouteReadsBackAsWritten) {
    const std::vector<RoutePoint> points = {
        {L"A <B> & \"C\" 'D'", 53.5, 10.0},
        {L"M\u00dcHLE \u20ac", -34.603700, -58.381567},
        {L"DATE LINE", 0.0, 180.0},
    };
    const std::string document = WriteGpxRoute("Tour <1> & \xC3\xA4", points);
    EXPECT_NE(document.find("<rtept lat=\"53.500000\" lon=\"10.000000\">"), std::string::npos);
    EXPECT_NE(document.find("lat=\"0.000000\" lon=\"-180.000000\""), std::string::npos);

    const GpxReading gpx(std::vector<char>(document.begin(), document.end()));
    ASSERT_EQ(gpx.refusal(), "");
    ASSERT_EQ(gpx.routes().size(), 1u);
    EXPECT_EQ(gpx.routes()[0].name, "Tour <1> & \xC3\xA4");
    std::vector<std::string> seen;
    gpx.VisitRoute(0, [&seen](const GpxPoint& point) {
        seen.push_back(std::string(point.name) + " " + std::to_string(point.latitude) + " " +
                       std::to_string(point.longitude));
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"A <B> & \"C\" 'D' 53.500000 10.000000",
                                              "M\xC3\x9CHLE \xE2\x82\xAC -34.603700 -58.381567",
                                              "DATE LINE 0.000000 -180.000000"}));
}

}  // namespace

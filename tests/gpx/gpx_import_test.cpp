// SPDX-License-Identifier: MIT
#include "gpx/gpx_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/position_engine.h"
#include "entry/add_point.h"
#include "entry/entry_fields.h"
#include "route/route_line.h"

namespace {

GpxReading Read(const std::string& text) {
    return GpxReading(std::vector<char>(text.begin(), text.end()));
}

struct Prepared {
    bool ok;
    GpxImport import;
    std::string refusal;
};

Prepared Prepare(const std::string& text, GpxChoice choice = {}) {
    Prepared prepared{};
    const GpxReading gpx = Read(text);
    prepared.ok = PrepareGpxImport(gpx, choice, prepared.import, prepared.refusal);
    return prepared;
}

// The line Add writes for a position typed in decimal degrees.
std::string AddLine(const wchar_t* name, double latitude, double longitude) {
    PositionEngine engine;
    EntryFields fields;
    fields.sign = {latitude < 0 ? -1 : 1, longitude < 0 ? -1 : 1};
    fields.degrees = {std::abs(latitude), std::abs(longitude)};
    StoreFields(engine, Deg, fields);
    GetWgs84Degrees(engine, latitude, longitude);
    return *FormatRouteLine(name, latitude, longitude);
}

const std::string kTwoRoutes =
    "<gpx><rte><name>Tour A</name><rtept lat=\"1\" lon=\"1\"/><rtept lat=\"2\" lon=\"2\"/></rte>"
    "<rte><name>Tour B</name><rtept lat=\"3\" lon=\"3\"/></rte>"
    "<wpt lat=\"4\" lon=\"4\"/><wpt lat=\"5\" lon=\"5\"/><wpt lat=\"6\" lon=\"6\"/></gpx>";

TEST(GpxImport, EachPointIsTheLineAddWritesForItTypedInDegrees) {
    // Digits chosen so that the road through radians and back, and the six
    // decimals, decide the last digit.
    const Prepared prepared = Prepare(
        "<gpx><wpt lat=\"53.5\" lon=\"10\"><name>Home</name></wpt>"
        "<wpt lat=\"-34.6037005\" lon=\"-58.3815665\"><name>ba</name></wpt>"
        "<wpt lat=\"-0.0\" lon=\"180\"><name>x</name></wpt>"
        "<wpt lat=\"-90\" lon=\"0.0000005\"><name>y</name></wpt></gpx>");
    ASSERT_TRUE(prepared.ok) << prepared.refusal;
    EXPECT_EQ(prepared.import.lines, AddLine(L"HOME", 53.5, 10) +
                                         AddLine(L"BA", -34.6037005, -58.3815665) +
                                         AddLine(L"X", 0.0, 180) + AddLine(L"Y", -90, 0.0000005));
    EXPECT_EQ(prepared.import.lines.substr(0, 58),
              "[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
    EXPECT_EQ(prepared.import.points, 4u);
    EXPECT_EQ(prepared.import.source, "the waypoints");
}

TEST(GpxImport, TheChoiceOfPoints) {
    const auto source = [](const std::string& text, GpxChoice choice) {
        const Prepared prepared = Prepare(text, choice);
        return prepared.ok ? prepared.import.source + " " + std::to_string(prepared.import.points)
                           : prepared.refusal;
    };
    using Kind = GpxChoice::Kind;
    EXPECT_EQ(source(kTwoRoutes, {}),
              "2 routes: Tour A (2 points), Tour B (1 point); 3 waypoints \xE2\x80\x94 choose "
              "with --route or --waypoints");
    EXPECT_EQ(source(kTwoRoutes, {Kind::Route, "Tour B"}), "route 'Tour B' 1");
    EXPECT_EQ(source(kTwoRoutes, {Kind::Route, "1"}), "route 'Tour A' 2");
    EXPECT_EQ(source(kTwoRoutes, {Kind::Waypoints, ""}), "the waypoints 3");
    EXPECT_EQ(source(kTwoRoutes, {Kind::Route, "Tour C"}),
              "the file has no route 'Tour C': 2 routes: Tour A (2 points), Tour B (1 point); 3 "
              "waypoints");
    EXPECT_EQ(source(kTwoRoutes, {Kind::Route, "3"}).substr(0, 24), "the file has no route '3");

    // One route is taken even beside waypoints; waypoints when there is no route.
    const std::string oneRoute =
        "<gpx><wpt lat=\"4\" lon=\"4\"/><rte><rtept lat=\"1\" lon=\"1\"/></rte></gpx>";
    EXPECT_EQ(source(oneRoute, {}), "route route 1 (no name) 1");
    EXPECT_EQ(source("<gpx><wpt lat=\"4\" lon=\"4\"/><trk/></gpx>", {}), "the waypoints 1");
    EXPECT_EQ(source("<gpx><trk/><trk/></gpx>", {}).substr(0, 32),
              "the file holds only tracks (2), ");
    EXPECT_EQ(source("<gpx/>", {}), "the file holds no routes and no waypoints");
    EXPECT_EQ(source("<gpx><rte/></gpx>", {}), "route route 1 (no name) has no points");
    EXPECT_EQ(source("<gpx><rte/></gpx>", {Kind::Waypoints, ""}),
              "the file has no waypoints: 1 route: route 1 (no name) (0 points); 0 waypoints");
    EXPECT_EQ(
        source("<gpx><rte><name>A</name></rte><rte><name>A</name></rte></gpx>", {Kind::Route, "A"})
            .substr(0, 34),
        "more than one route is named 'A'; ");
    EXPECT_EQ(source("<gpx><wpt lat=\"1,5\" lon=\"1\"/></gpx>", {}),
              "line 1: lat='1,5' is not a decimal number");
}

TEST(GpxImport, NamesAreMadeAndReplacedCharactersCounted) {
    const Prepared prepared = Prepare(
        "<gpx><wpt lat=\"1\" lon=\"1\"><name>stra\xC3\x9F"
        "e \xC5\x81\xC3\xB3"
        "d\xC5\xBA ?</name></wpt>"
        "<wpt lat=\"1\" lon=\"1\"><cmt>  first line\nsecond line</cmt><desc>d</desc></wpt>"
        "<wpt lat=\"1\" lon=\"1\"><name> </name><desc>a description longer than a name should "
        "ever be</desc></wpt>"
        "<wpt lat=\"1\" lon=\"1\"/></gpx>");
    ASSERT_TRUE(prepared.ok) << prepared.refusal;
    const std::string tail = "||][0][10]|1.000000,1.000000||1.000000|1.000000|\n";
    EXPECT_EQ(prepared.import.lines,
              "[STRA\xDF"
              "E ?\xD3"
              "D? ?" +
                  tail + "[FIRST LINE" + tail + "[A DESCRIPTION LONGER THAN A NAME SHOULD" + tail +
                  "[POINT 4" + tail);
    EXPECT_EQ(prepared.import.namesMade, 3u);
    EXPECT_EQ(prepared.import.charactersReplaced, 2u);
    EXPECT_EQ(SummariseGpxImport(prepared.import),
              "4 points of the waypoints appended; 3 names made from cmt, desc or a number; 2 "
              "characters the device cannot show replaced by '?'");
}

// One point off the Earth refuses the whole import, and says which.
TEST(GpxImport, APointOffTheEarthRefusesAll) {
    // A whole part of 400 digits is beyond a double; its fraction below one.
    for (const std::string& position :
         {std::string("lat=\"95\" lon=\"1\""), std::string("lat=\"1\" lon=\"-180.0001\""),
          "lat=\"1" + std::string(400, '0') + "\" lon=\"1\""}) {
        const Prepared prepared =
            Prepare(std::string("<gpx><wpt lat=\"1\" lon=\"1\"/>\n<wpt ") + position + "/></gpx>");
        EXPECT_FALSE(prepared.ok);
        EXPECT_EQ(prepared.import.lines, "");
        EXPECT_EQ(prepared.refusal.substr(0, 7), "line 2:") << prepared.refusal;
    }
    const Prepared tiny =
        Prepare("<gpx><wpt lat=\"0." + std::string(400, '0') + "1\" lon=\"1\"/></gpx>");
    EXPECT_TRUE(tiny.ok) << tiny.refusal;
    const Prepared first = Prepare("<gpx><wpt lat=\"95\" lon=\"1\"/></gpx>");
    EXPECT_EQ(first.refusal,
              "line 1: point 1 is not on the Earth (latitude 95.000000, longitude 1.000000)");
}

}  // namespace

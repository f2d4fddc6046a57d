// SPDX-License-Identifier: MIT
#include "gpx/gpx_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/scratch_dir.h"

namespace {

GpxReading Read(const std::string& text) {
    return GpxReading(std::vector<char>(text.begin(), text.end()));
}

struct Seen {
    std::string name;
    double latitude;
    double longitude;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Waypoints(const GpxReading& gpx) {
    std::vector<Seen> seen;
    gpx.VisitWaypoints([&seen](const GpxPoint& point) {
        seen.push_back({std::string(point.name), point.latitude, point.longitude});
    });
    return seen;
}

const std::string kTwoPoints =
    "<wpt lat=\"53.5\" lon=\"10\"><name>Home</name></wpt>"
    "<wpt lat=\" -34.6037 \" lon=\"+.5\"><name>  Caf\xC3\xA9 \n</name></wpt>";
const std::vector<Seen> kTwoSeen = {{"Home", 53.5, 10.0}, {"Caf\xC3\xA9", -34.6037, 0.5}};

// The same two waypoints as producers write them: whatever the wrapping, the
// points read alike.
TEST(GpxReader, ReadsGpxAsProducersWriteIt) {
    const std::pair<std::string, std::string> wrappings[] = {
        {"<gpx version=\"1.1\" creator=\"t\" xmlns=\"http://www.topografix.com/GPX/1/1\">",
         "</gpx>"},
        {"<?xml version=\"1.0\"?><gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\">",
         "</gpx>"},
        {"<gpx xmlns=\"https://www.topografix.com/GPX/1/1\">", "</gpx>"},
        {"<gpx>", "</gpx>"},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\r\n<gpx>\r\n", "\r\n</gpx>\r\n"},
        {"<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:x=\"urn:x\"><metadata/>"
         "<x:wpt lat=\"1\" lon=\"1\"/><extensions><wpt lat=\"2\" lon=\"2\"/></extensions>",
         "<trk><trkseg><trkpt lat=\"3\" lon=\"3\"/></trkseg></trk></gpx>"},
    };
    for (const auto& [open, close] : wrappings) {
        const GpxReading gpx = Read(open + kTwoPoints + close);
        EXPECT_EQ(gpx.refusal(), "") << open;
        EXPECT_EQ(Waypoints(gpx), kTwoSeen) << open;
    }
    // A prefixed document's elements are its prefix's; unprefixed ones there
    // are in no namespace and not GPX's.
    const GpxReading prefixed = Read(
        "<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\"><g:wpt lat=\"1\" lon=\"2\">"
        "<g:name>A</g:name><name>not this</name></g:wpt>" +
        kTwoPoints + "</g:gpx>");
    EXPECT_EQ(Waypoints(prefixed), (std::vector<Seen>{{"A", 1.0, 2.0}}));
}

TEST(GpxReader, Windows1252AndLatin1AreReadAsUtf8) {
    for (const char* encoding : {"ISO-8859-1", "windows-1252", "latin1"}) {
        const GpxReading gpx = Read(std::string("<?xml version=\"1.0\" encoding=\"") + encoding +
                                    "\"?><gpx><wpt lat=\"1\" lon=\"2\"><name>M\xFChle \x80</name>"
                                    "</wpt></gpx>");
        EXPECT_EQ(gpx.refusal(), "") << encoding;
        EXPECT_EQ(Waypoints(gpx), (std::vector<Seen>{{"M\xC3\xBChle \xE2\x82\xAC", 1.0, 2.0}}));
    }
}

TEST(GpxReader, RoutesAndTracksAreCountedInFileOrder) {
    const GpxReading gpx = Read(
        "<gpx><rte><name> Tour A </name><rtept lat=\"1\" lon=\"1\"/><rtept lat=\"2\" lon=\"2\">"
        "<cmt>c</cmt><desc>d</desc></rtept></rte><trk/><rte/><trk/></gpx>");
    ASSERT_EQ(gpx.refusal(), "");
    ASSERT_EQ(gpx.routes().size(), 2u);
    EXPECT_EQ(gpx.routes()[0].name, "Tour A");
    EXPECT_EQ(gpx.routes()[0].points, 2u);
    EXPECT_EQ(gpx.routes()[1].points, 0u);
    EXPECT_EQ(gpx.tracks(), 2u);
    EXPECT_EQ(gpx.waypoints(), 0u);
    std::vector<std::string> texts;
    gpx.VisitRoute(0, [&texts](const GpxPoint& point) {
        texts.push_back(std::string(point.comment) + std::string(point.description));
    });
    EXPECT_EQ(texts, (std::vector<std::string>{"", "cd"}));
}

// Hostile and broken files are refused whole, with a reason that says what
// and where, and give no points.
TEST(GpxReader, RefusesHostileAndBrokenFiles) {
    const std::string point = "<wpt lat=\"1\" lon=\"2\"/>";
    const std::pair<std::string, std::string> refused[] = {
        {"", "the file is empty"},
        {" \r\n", "the file is empty"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 "
         "\"&lol;&lol;&lol;&lol;\">]>\n<gpx><wpt lat=\"1\" "
         "lon=\"2\"><name>&lol2;</name></wpt></gpx>",
         "line 2: a document type declaration (DOCTYPE) is not accepted"},
        {"<!DOCTYPE gpx [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><gpx><wpt lat=\"1\" "
         "lon=\"2\"><name>&x;</name></wpt></gpx>",
         "line 1: a document type declaration (DOCTYPE)"},
        {"<gpx>\n<wpt lat=\"1\" lon=\"2\"><name>\xC3(</name></wpt></gpx>",
         "line 2: the file holds bytes that are not UTF-8"},
        {"<gpx>" + point + "<!-- \xE0\x80\xAF overlong --></gpx>", "not UTF-8"},
        {"<gpx>" + point + "<!-- \xED\xA0\x80 surrogate --></gpx>", "not UTF-8"},
        {"<gpx>\n\n<wpt lat=\"1\" lon=\"2\"><name>a\x01</name></wpt></gpx>",
         "line 3: the file holds a control character"},
        {"<gpx>" + point + "<!-- \xC2\x85 --></gpx>", "a control character"},
        {"\xFF\xFE<\0g\0p\0x\0", "UTF-16"},
        {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><gpx/>", "the encoding 'SHIFT_JIS'"},
        {"<?xml version=\"1.0\"?><kml xmlns=\"http://www.opengis.net/kml/2.2\"><Placemark/></kml>",
         "the file is not GPX: its root element is 'kml'"},
        {"<gpx xmlns=\"http://example.com/other\">" + point + "</gpx>",
         "the file is not GPX: its root element is in the namespace 'http://example.com/other'"},
        {"<gpx>\n<wpt lat=\"53,5\" lon=\"10\"/></gpx>", "line 2: lat='53,5' is not a decimal"},
        {"<gpx><rte><rtept lat=\"5.35e1\" lon=\"10\"/></rte></gpx>", "lat='5.35e1' is not"},
        {"<gpx><wpt lat=\"1\" lon=\"nan\"/></gpx>", "lon='nan' is not"},
        {"<gpx><wpt lat=\"1\" lon=\"\"/></gpx>", "lon='' is not"},
        {"<gpx><wpt lat=\"1\" lon=\"- 1\"/></gpx>", "lon='- 1' is not"},
        {"<gpx><wpt lat=\"1.2.3\" lon=\"1\"/></gpx>", "lat='1.2.3' is not"},
        {"<gpx><wpt lon=\"1\"/></gpx>", "a wpt without lat"},
        {"<gpx><wpt lat=\"1\" lon=\"2\"><name>Home</name></wpt>\n<wpt lat=\"1\" lo",
         "line 2: the file is not well-formed XML"},
        {"<gpx>" + point, "the file is not well-formed XML"},
        {"<gpx/><gpx/>", "a second root element"},
    };
    for (const auto& [text, reason] : refused) {
        const GpxReading gpx = Read(text);
        EXPECT_NE(gpx.refusal().find(reason), std::string::npos)
            << text << "\n gives: " << gpx.refusal();
        EXPECT_EQ(gpx.waypoints() + gpx.routes().size(), 0u) << text;
    }
}

TEST(GpxReader, AFileOverTheLimitIsNotRead) {
    const ScratchDir scratch;
    const auto file = scratch / "large.gpx";
    {
        std::ofstream out(file, std::ios::binary);
        out << "<gpx>";
        out.seekp(GpxReading::kSizeLimit);
        out << "</gpx>";
    }
    EXPECT_NE(GpxReading::ReadFile(file).refusal().find("the file is larger than 64 MiB"),
              std::string::npos);
    EXPECT_NE(GpxReading::ReadFile(scratch / "missing.gpx").refusal().find("the file cannot be opened: "),
              std::string::npos);
    WriteFileBytes(file, "<gpx>" + kTwoPoints + "</gpx>");
    EXPECT_EQ(Waypoints(GpxReading::ReadFile(file)), kTwoSeen);
}

}  // namespace

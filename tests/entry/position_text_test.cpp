// SPDX-License-Identifier: MIT
#include "entry/position_text.h"

#include <gtest/gtest.h>
#include <GeographicLib/GeoCoords.hpp>

#include <cmath>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>

#include "entry/add_point.h"
#include "entry/position_text_cases.h"

namespace {

using position_text_cases::kCases;
using position_text_cases::Utf8;

CoordFormat FormatNamed(const std::string& name) {
    return name == "dm" ? DegMin : name == "dms" ? DegMinSec : name == "utm" ? UTM : Deg;
}

// The expected fields, written as the companion takes them.
EntryFields ExpectedFields(const PositionTextCase& row) {
    EntryFields fields;
    std::istringstream in(row.fields);
    const CoordFormat format = FormatNamed(row.format);
    if (format == UTM) {
        std::string hemisphere;
        in >> fields.zone >> hemisphere >> fields.utm.northing >> fields.utm.easting;
        fields.sign[0] = hemisphere == "N" ? 1 : -1;
        return fields;
    }
    for (int axis = 0; axis < 2; ++axis) {
        in >> fields.degrees[axis];
        if (format != Deg) {
            in >> fields.minutes[axis];
        }
        if (format == DegMinSec) {
            in >> fields.seconds[axis];
        }
        std::string letter;
        in >> letter;
        fields.sign[axis] = letter == "N" || letter == "E" ? 1 : -1;
    }
    return fields;
}

void ExpectSameFields(const EntryFields& read, const EntryFields& expected, CoordFormat format) {
    if (format == UTM) {
        EXPECT_EQ(read.zone, expected.zone);
        EXPECT_EQ(read.sign[0], expected.sign[0]);
        EXPECT_EQ(read.utm.northing, expected.utm.northing);
        EXPECT_EQ(read.utm.easting, expected.utm.easting);
        return;
    }
    EXPECT_EQ(read.sign, expected.sign);
    EXPECT_EQ(read.degrees, expected.degrees);
    EXPECT_EQ(read.minutes, expected.minutes);
    EXPECT_EQ(read.seconds, expected.seconds);
}

TEST(PositionText, EveryTextOfTheTableReadsAsItsRowSays) {
    for (const PositionTextCase& row : kCases) {
        SCOPED_TRACE(Utf8(row.text));
        EntryFields fields;
        const PositionText read = ReadPositionText(row.text, fields);
        ASSERT_EQ(read.kind, row.kind);
        if (row.kind == PositionText::Kind::Refused) {
            EXPECT_EQ(read.refusal, row.refusal) << TextRefusalMessage(read.refusal, 1);
        }
        if (row.kind == PositionText::Kind::Position) {
            EXPECT_EQ(read.format, FormatNamed(row.format));
            EXPECT_EQ(read.squareSide, row.squareSide);
            ExpectSameFields(fields, ExpectedFields(row), read.format);
        }
    }
}

// A refused or foreign text changes nothing, and an accepted one only the
// fields of its own format: the form keeps what its other fields hold.
TEST(PositionText, OnlyTheFieldsOfTheTextsFormatAreWritten) {
    EntryFields before;
    before.sign = {-1, -1};
    before.degrees = {1.0, 2.0};
    before.minutes = {3.0, 4.0};
    before.seconds = {5.0, 6.0};
    before.zone = 7;
    before.utm = {8.0, 9.0};
    for (const wchar_t* text : {L"53 N 190 E", L"Hafen", L"53.5"}) {
        EntryFields fields = before;
        ReadPositionText(text, fields);
        ExpectSameFields(fields, before, Deg);
        ExpectSameFields(fields, before, UTM);
    }
    EntryFields fields = before;
    ASSERT_EQ(ReadPositionText(L"53.5 N 10 E", fields).kind, PositionText::Kind::Position);
    EXPECT_EQ(fields.minutes, before.minutes);
    EXPECT_EQ(fields.zone, 7);
    EXPECT_EQ(fields.sign, (SignPair{1, 1}));
    fields = before;
    ASSERT_EQ(ReadPositionText(L"32U 566331 5928359", fields).kind, PositionText::Kind::Position);
    EXPECT_EQ(fields.degrees, before.degrees);
    EXPECT_EQ(fields.sign, (SignPair{1, -1}));  // the longitude's sign is not UTM's
}

// GeographicLib reads the accepted texts too, where its stricter grammar
// allows once the text is brought to it: links, labels and captions dropped,
// decimal commas made points, and each coordinate closed up into one word
// where hemisphere letters show its ends. Empty for a text that cannot be.
std::string ForGeographicLib(const PositionTextCase& row) {
    std::string text = std::regex_replace(Utf8(row.text), std::regex("^geo:([^;?]*).*$"), "$1");
    const std::regex labels("(Koordinaten|Latitude|Longitude|Lat|Lon|Breite|L\xC3\xA4nge):?");
    if (std::regex_search(text, std::regex("^ *(Lon|L\xC3\xA4nge)"))) {
        return {};  // its labels alone say the longitude comes first
    }
    text = std::regex_replace(text, labels, "");
    text = std::regex_replace(text, std::regex("\xE2\x88\x92"), "-");
    text = std::regex_replace(text, std::regex("\xEF\xBB\xBF|\xC2\xA0|\xE2\x80\x89"), " ");
    if (text.find('.') == std::string::npos) {
        text = std::regex_replace(text, std::regex("([0-9]),([0-9])"), "$1.$2");
    }
    text = std::regex_replace(text, std::regex("\\bO\\b"), "E");
    const bool grid = std::strcmp(row.format, "utm") == 0;
    const std::regex letters("[NSEW]");
    if (!grid && std::regex_search(text, letters)) {
        const bool first = std::regex_search(text, std::regex("^ *[NSEW]"));
        text = std::regex_replace(text, std::regex("[ ,;/]"), "");
        text = std::regex_replace(text, std::regex(first ? "(.)([NSEW])" : "([NSEW])(.)"), "$1 $2");
    }
    text = std::regex_replace(text, std::regex("[,;/]"), " ");
    text = std::regex_replace(text, std::regex("^ +| +$"), "");
    return std::regex_replace(text, std::regex(" +"), " ");
}

TEST(PositionText, GeographicLibReadsTheAcceptedTextsAtTheSamePlace) {
    int compared = 0;
    for (const PositionTextCase& row : kCases) {
        if (row.kind != PositionText::Kind::Position) {
            continue;
        }
        const std::string text = ForGeographicLib(row);
        GeographicLib::GeoCoords reference;
        try {
            if (text.empty()) {
                continue;
            }
            reference.Reset(text, true, false);
        } catch (const GeographicLib::GeographicErr&) {
            continue;  // beyond its grammar
        }
        SCOPED_TRACE(text);
        EntryFields fields;
        const PositionText read = ReadPositionText(row.text, fields);
        PositionEngine engine;
        ASSERT_TRUE(StoreFields(engine, read.format, fields));
        double latitude = 0.0;
        double longitude = 0.0;
        GetWgs84Degrees(engine, latitude, longitude);
        EXPECT_NEAR(latitude, reference.Latitude(), 1e-8);
        EXPECT_NEAR(longitude, reference.Longitude(), 1e-8);
        ++compared;
    }
    EXPECT_GE(compared, 25);
}

TEST(PositionText, EveryRefusalIsSaidInBothLanguagesTheEnglishInPlainAscii) {
    for (int refusal = 0; refusal < kTextRefusalCount; ++refusal) {
        const auto why = static_cast<TextRefusal>(refusal);
        EXPECT_GT(std::strlen(TextRefusalMessage(why, 0)), 20u);
        const std::string english = TextRefusalMessage(why, 1);
        EXPECT_NE(english, TextRefusalMessage(why, 0));
        for (const char c : english) {
            EXPECT_LT(static_cast<unsigned char>(c), 0x80) << english;
        }
    }
}

}  // namespace

// SPDX-License-Identifier: MIT
#include "route/route_line.h"
#include "route/route_point.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <utility>

#include "support/german_locale.h"
#include "support/scratch_dir.h"

namespace {

constexpr double kHomeLatitude = 53.5;
constexpr double kHomeLongitude = 10.0;
const std::string kHomeLine = "[Home||][0][10]|10.000000,53.500000||10.000000|53.500000|\n";

TEST(RouteLine, LongitudeFirstWithSixDecimals) {
    EXPECT_EQ(FormatRouteLine(L"Home", kHomeLatitude, kHomeLongitude), kHomeLine);
    EXPECT_EQ(FormatRouteLine(L"BA", -34.6037, -58.3815666),
              "[BA||][0][10]|-58.381567,-34.603700||-58.381567|-34.603700|\n");
}

TEST(RouteLine, TheNameIsWrittenAsIsInWindows1252) {
    EXPECT_EQ(FormatRouteLine(L"a|b]c[", kHomeLatitude, kHomeLongitude),
              "[a|b]c[||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
    EXPECT_EQ(FormatRouteLine(L"M\u00fchle \u20ac \u017e \u0141\u00f3d\u017a \u4e2d \U0001F600",
                              kHomeLatitude, kHomeLongitude),
              "[M\xFChle \x80 \x9E ?\xF3"
              "d? ? ?||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
}

TEST(RouteLine, ControlCharactersBecomeBlanks) {
    const std::wstring name = std::wstring(L"a\nb\r\tc") + L'\0' + L"d\u0085e\u007f";
    EXPECT_EQ(FormatRouteLine(name, kHomeLatitude, kHomeLongitude),
              "[a b  c d e ||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
}

// Whoever asks, no line leaves the module for a position beyond a pole or the
// date line, or one that is not finite; the poles and the date line are on
// the Earth.
TEST(RouteLine, NoLineForAPositionOffTheEarth) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    for (const auto& [latitude, longitude] : {std::pair{90.000001, 0.0},
                                              {-90.5, 0.0},
                                              {0.0, 180.016667},
                                              {0.0, -181.0},
                                              {1e308, 10.0},
                                              {kInfinity, 0.0},
                                              {0.0, -kInfinity},
                                              {nan, 0.0},
                                              {0.0, nan}}) {
        EXPECT_EQ(FormatRouteLine(L"X", latitude, longitude), std::nullopt)
            << latitude << " " << longitude;
        EXPECT_FALSE(IsSoundPosition(latitude, longitude));
    }
    EXPECT_EQ(FormatRouteLine(L"P", 90.0, 180.0),
              "[P||][0][10]|180.000000,90.000000||180.000000|90.000000|\n");
    EXPECT_EQ(FormatRouteLine(L"P", -90.0, -180.0),
              "[P||][0][10]|-180.000000,-90.000000||-180.000000|-90.000000|\n");
}

TEST(RouteLine, DecimalPointUnderAGermanLocale) {
    ScopedEnv german("LC_ALL", kGermanLocale);
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr) << "scripts/setup makes this locale";
    const std::string line = FormatRouteLine(L"Home", kHomeLatitude, kHomeLongitude).value();
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(line, kHomeLine);
}

// The reader takes exactly the lines the writer writes, with either line
// ending, and gives the point that writes them again.
TEST(RouteLine, ReadsBackTheLinesItWrites) {
    const std::pair<std::wstring, std::pair<double, double>> points[] = {
        {L"HOME", {53.5, 10.0}},
        {L"a|b]c[||][0][10]|1.0,2.0|| x", {-34.6037, -58.3815666}},
        {L"M\u00dcHLE \u20ac \u017d", {-0.0000001, 180.0}},
        {L"", {-90.0, -180.0}},
    };
    for (const auto& [name, position] : points) {
        const std::string line = FormatRouteLine(name, position.first, position.second).value();
        for (const std::string& written :
             {line, line.substr(0, line.size() - 1) + "\r\n", line.substr(0, line.size() - 1)}) {
            const std::optional<RoutePoint> point = ReadRouteLine(written);
            ASSERT_TRUE(point) << written;
            EXPECT_EQ(point->name.str(), name);
            EXPECT_EQ(FormatRouteLine(point->name, point->latitude, point->longitude), line);
        }
    }
}

TEST(RouteLine, ReadsNoOtherLine) {
    for (const char* line : {
             "",
             "[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|x",
             "[HOME||][0][10]|10.000000,53.500000||10.000000|53.500001|",
             "[HOME||][0][10]|10.00000,53.500000||10.00000|53.500000|",
             "[HOME||][0][10]|+10.000000,53.500000||+10.000000|53.500000|",
             "[HOME||][0][10]|1e1,53.500000||1e1|53.500000|",
             "[HOME||][0][11]|10.000000,53.500000||10.000000|53.500000|",
             "HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|",
             "[HOME||][0][10]|10.000000,95.000000||10.000000|95.000000|",
             "[HO\tME||][0][10]|10.000000,53.500000||10.000000|53.500000|",
             "[HO\x81ME||][0][10]|10.000000,53.500000||10.000000|53.500000|",
             "[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|\n\n",
             "[Heim|10,000000|53,500000]",
         }) {
        EXPECT_FALSE(ReadRouteLine(line).has_value()) << line;
    }
}

}  // namespace

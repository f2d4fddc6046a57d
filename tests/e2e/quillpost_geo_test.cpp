// SPDX-License-Identifier: MIT
// quillpost-geo through its command line: the grammar, both modes of every
// command, batch mode and the state that carries over between its lines.

#include <gtest/gtest.h>
#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "entry/position_text_cases.h"
#include "projection/utm_projection.h"
#include "support/scratch_dir.h"
#include "tool_process.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;

ProcessResult Geo(const std::vector<std::string>& arguments, const std::string& input = "",
                  const std::vector<std::string>& environment = {}) {
    return RunProcess(QUILLPOST_GEO, arguments, input, environment);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

std::vector<std::string> Lines(const std::string& text) {
    return Split(text, '\n');
}
std::vector<std::string> Words(const std::string& line) {
    return Split(line, ' ');
}

std::string Fixed(double value, int decimals) {
    char text[400];
    return std::string(
        text,
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr);
}

std::string General(double value, int digits) {
    char text[40];
    return std::string(
        text,
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr);
}

std::string Raw(double value) {
    return General(value, 17);
}

double Parse(const std::string& field) {
    return std::strtod(field.c_str(), nullptr);
}

// A command with its arguments in normal mode, which arguments are angles
// ('a'), and what each output is: 'a' angle, 'l' length, 'f' a field of the
// entry form, anything else a field that both modes print alike. An empty
// output list is a set command.
struct CommandCase {
    std::vector<std::string> arguments;
    std::string argumentKinds;
    std::string outputKinds;
};

const std::string kInternationalF = "0.003367003367003367";
const std::string kWgs84F = "0.0033528106647474805";

const CommandCase kEveryCommand[] = {
    {{"utm", "53.55", "9.99"}, "-aa", "icll"},
    {{"geo", "32", "n", "565000", "5933000"}, "-----", "aa"},
    {{"tm-set", "6378137", kWgs84F, "0", "9", "500000", "0", "0.9996"}, "---aa---", ""},
    {{"tm-forward", "53.55", "5"}, "-aa", "ll"},
    {{"tm-inverse", "300000", "5900000"}, "---", "aa"},
    {{"utm-set", "6378388", kInternationalF, "0"}, "----", ""},
    {{"utm-forward", "-33.9", "151.2"}, "-aa", "icll"},
    {{"utm-inverse", "56", "S", "334000", "6247000"}, "-----", "aa"},
    {{"geocentric-set", "6378388", kInternationalF}, "---", ""},
    {{"geocentric-forward", "53.55", "9.99", "40"}, "-aa-", "lll"},
    {{"geocentric-inverse", "3700000", "650000", "5100000"}, "----", "aal"},
    {{"datum-to-wgs84", "4", "53.55", "9.99", "40"}, "--aa-", "aal"},
    {{"datum-from-wgs84", "53.55", "9.99", "40", "3"}, "-aa--", "aal"},
    {{"geocentric-datum-to-wgs84", "3", "3700000", "650000", "5100000"}, "-----", "lll"},
    {{"geocentric-datum-from-wgs84", "3700000", "650000", "5100000", "4"}, "-----", "lll"},
    {{"wgs72-to-wgs84", "53.55", "9.99", "40"}, "-aa-", "aal"},
    {{"wgs84-to-wgs72", "53.55", "9.99", "40"}, "-aa-", "aal"},
    {{"wgs72-to-wgs84-geocentric", "3700000", "650000", "5100000"}, "----", "lll"},
    {{"wgs84-to-wgs72-geocentric", "3700000", "650000", "5100000"}, "----", "lll"},
    {{"molodensky", "6377397.155", "739.845", "0.0033427731821747823", "1.0037483e-05", "587", "16",
      "393", "53.55", "9.99", "40"},
     "--------aa-",
     "aal"},
    {{"ellipsoid-find", "WE"}, "--", "i"},
    {{"ellipsoid-parameters", "2"}, "--", "ln"},
    {{"datum-find", "EUR-7"}, "--", "i"},
    {{"convert", "deg", "dms", "53.1234567", "S", "9.5", "w"}, "-------", "fffcfffc"},
    {{"convert", "dm", "utm", "53", "33", "N", "9", "59.4", "E"}, "---------", "icff"},
    {{"convert", "utm", "wgs84", "32", "N", "5933912", "565591"}, "-------", "aa"},
    {{"convert-on", "DHDN", "dms", "dm", "53", "33", "0", "N", "9", "59", "24", "E"},
     "------------",
     "ffcffc"},
    {{"route", "Hafen", "deg", "53.55", "N", "9.99", "E"}, "-------", "r"},
};

TEST(QuillpostGeo, EveryCommandAnswersAlikeInBothModes) {
    for (const CommandCase& c : kEveryCommand) {
        SCOPED_TRACE(c.arguments.front());
        std::vector<std::string> raw{"--raw"};
        for (std::size_t i = 0; i < c.arguments.size(); ++i) {
            raw.push_back(c.argumentKinds[i] == 'a' ? Raw(Parse(c.arguments[i]) * kRadiansPerDegree)
                                                    : c.arguments[i]);
        }
        const ProcessResult normal = Geo(c.arguments);
        const ProcessResult rawRun = Geo(raw);
        ASSERT_EQ(normal.status, 0) << normal.err;
        ASSERT_EQ(rawRun.status, 0) << rawRun.err;
        EXPECT_EQ(normal.err + rawRun.err, "");

        const auto normalWords = Words(Lines(normal.out).at(0));
        const auto rawWords = Words(Lines(rawRun.out).at(0));
        ASSERT_EQ(rawWords.at(0), "0x0000");
        if (c.outputKinds.empty()) {
            EXPECT_EQ(normal.out, "ok\n");
            EXPECT_EQ(rawRun.out, "0x0000\n");
            continue;
        }
        ASSERT_EQ(normalWords.size(), c.outputKinds.size()) << normal.out;
        ASSERT_EQ(rawWords.size(), c.outputKinds.size() + 1) << rawRun.out;
        for (std::size_t i = 0; i < c.outputKinds.size(); ++i) {
            const std::string& rawWord = rawWords[i + 1];
            switch (c.outputKinds[i]) {
                case 'a':
                    EXPECT_EQ(normalWords[i], Fixed(Parse(rawWord) * kDegreesPerRadian, 9));
                    break;
                case 'l':
                    EXPECT_EQ(normalWords[i], Fixed(Parse(rawWord), 3));
                    break;
                case 'f':
                    EXPECT_EQ(normalWords[i], General(Parse(rawWord), 15));
                    break;
                default:
                    EXPECT_EQ(normalWords[i], rawWord);
            }
        }
    }
}

TEST(QuillpostGeo, EverydayCommandsAgreeWithGeographicLib) {
    int zone = 0;
    bool north = false;
    double easting = 0.0;
    double northing = 0.0;
    GeographicLib::UTMUPS::Forward(53.55, 9.99, zone, north, easting, northing);
    const auto utm = Words(Lines(Geo({"utm", "53.55", "9.99"}).out).at(0));
    EXPECT_EQ(utm.at(0), std::to_string(zone));
    EXPECT_EQ(utm.at(1), "N");
    EXPECT_NEAR(Parse(utm.at(2)), easting, 0.001);
    EXPECT_NEAR(Parse(utm.at(3)), northing, 0.001);

    const auto geo = Words(Lines(Geo({"geo", "56", "S", "334000", "6247000"}).out).at(0));
    double latitude = 0.0;
    double longitude = 0.0;
    GeographicLib::UTMUPS::Reverse(56, false, 334000, 6247000, latitude, longitude);
    EXPECT_NEAR(Parse(geo.at(0)), latitude, 1e-8);
    EXPECT_NEAR(Parse(geo.at(1)), longitude, 1e-8);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    GeographicLib::Geocentric::WGS84().Forward(53.55, 9.99, 40, x, y, z);
    const auto xyz = Words(Lines(Geo({"geocentric-forward", "53.55", "9.99", "40"}).out).at(0));
    EXPECT_NEAR(Parse(xyz.at(0)), x, 0.001);
    EXPECT_NEAR(Parse(xyz.at(1)), y, 0.001);
    EXPECT_NEAR(Parse(xyz.at(2)), z, 0.001);
}

TEST(QuillpostGeo, ExitStatusesAndWhereTheReasonGoes) {
    const ProcessResult ok = Geo({"utm", "53.55", "9.99"});
    EXPECT_EQ(ok.status, 0);

    const ProcessResult refused = Geo({"utm", "85", "0"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(Lines(refused.err).size(), 1u);
    EXPECT_NE(refused.err.find("0x0001"), std::string::npos) << refused.err;

    const ProcessResult refusedRaw = Geo({"--raw", "utm", "1.5", "0"});
    EXPECT_EQ(refusedRaw.status, 1);
    EXPECT_EQ(refusedRaw.out, "0x0001 - - - -\n");
    EXPECT_EQ(Lines(refusedRaw.err).size(), 1u);

    const std::vector<std::vector<std::string>> usageErrors = {
        {"frobnicate"},
        {"utm", "53.55"},
        {"utm", "53.55", "9.99", "1"},
        {"utm", "north", "9"},
        {"utm", "53,55", "9"},
        {"utm", "53.55x", "9"},
        {"utm", "", "9"},
        {"utm", " 53.55", "9"},
        {"--frobnicate", "utm", "1", "2"},
        {"geo", "32.5", "N", "500000", "0"},
        {"geo", "32", "E", "500000", "0"},
    };
    for (const auto& arguments : usageErrors) {
        const ProcessResult usage = Geo(arguments);
        SCOPED_TRACE(arguments.front() + " " + (arguments.size() > 1 ? arguments[1] : ""));
        EXPECT_EQ(usage.status, 2);
        EXPECT_EQ(usage.out, "");
        EXPECT_EQ(Lines(usage.err).size(), 1u);
    }

    const ProcessResult help = Geo({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: quillpost-geo [--raw] [COMMAND ARG...]"), std::string::npos);
    EXPECT_NE(help.out.find("geocentric-datum-from-wgs84 X Y Z INDEX"), std::string::npos);
    const ProcessResult version = Geo({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quillpost-geo ", 0), 0u);
}

TEST(QuillpostGeo, NumbersAreReadAsStrtodReadsThemInTheCLocale) {
    const std::string expected = Geo({"--raw", "geocentric-forward", "0.5", "0", "0"}).out;
    for (const char* spelling : {"5e-1", "0x1p-1", "+0.5", ".5", "0.50000"}) {
        EXPECT_EQ(Geo({"--raw", "geocentric-forward", spelling, "0", "0"}).out, expected)
            << spelling;
    }
    // A German locale must not turn the decimal point into a comma.
    const std::vector<std::string> german{"LC_ALL=de_DE.UTF-8"};
    EXPECT_EQ(Geo({"utm", "53.55", "9.99"}, "", german).out, Geo({"utm", "53.55", "9.99"}).out);
    EXPECT_EQ(Geo({"utm", "53,55", "9,99"}, "", german).status, 2);
    // nan, inf and -0.0 are numbers; what the library makes of them is its business.
    for (const char* number : {"nan", "-inf", "-0.0", "NAN", "1e308"}) {
        EXPECT_NE(Geo({"geocentric-inverse", number, "0", "0"}).status, 2) << number;
    }
}

TEST(QuillpostGeo, RawOutputsAreTheLibrarysExactBitsAndDashWhereNothingWasWritten) {
    const double latitude = 0.9346238;
    const double longitude = 0.1743569;
    std::int32_t zone = 0;
    char hemisphere = 0;
    double easting = 0.0;
    double northing = 0.0;
    ASSERT_EQ(UtmProjection::Forward(latitude, longitude, &zone, &hemisphere, &easting, &northing),
              0u);
    const auto forward =
        Words(Lines(Geo({"--raw", "utm-forward", Raw(latitude), Raw(longitude)}).out).at(0));
    ASSERT_EQ(forward.size(), 5u);
    EXPECT_EQ(forward[1], std::to_string(zone));
    EXPECT_EQ(forward[2], std::string(1, hemisphere));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Parse(forward[3])),
              std::bit_cast<std::uint64_t>(easting));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Parse(forward[4])),
              std::bit_cast<std::uint64_t>(northing));

    // The printed doubles fed back in are the same inputs the library gets here.
    double backLatitude = 0.0;
    double backLongitude = 0.0;
    UtmProjection::Inverse(zone, hemisphere, easting, northing, &backLatitude, &backLongitude);
    const auto inverse = Words(
        Lines(Geo({"--raw", "utm-inverse", forward[1], forward[2], forward[3], forward[4]}).out)
            .at(0));
    EXPECT_EQ(inverse.at(1), Raw(backLatitude));
    EXPECT_EQ(inverse.at(2), Raw(backLongitude));

    // Refused before anything is written; a NaN the library writes is still written.
    EXPECT_EQ(Geo({"--raw", "utm-inverse", "0", "n", "500000", "0"}).out, "0x0030 - -\n");
    const auto nan = Words(Lines(Geo({"--raw", "geocentric-inverse", "nan", "0", "0"}).out).at(0));
    ASSERT_EQ(nan.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_NE(nan[i], "-");
    }
}

TEST(QuillpostGeo, BatchAnswersEachLineInItsPlace) {
    const std::string input =
        "# a comment\n"
        "utm 53.55 9.99\n"
        "\n"
        "bogus 1\n"
        "   \t \n"
        "utm 85 0\n"
        "utm 53.55\n"
        "\t# an indented comment\n"
        "utm \"53.55\"\t9.99\r\n"
        "datum-find \"EUR-7\n"
        "datum-find \"EUR-7\"x\n"
        "datum-find \"EUR-7\"";
    const ProcessResult normal = Geo({}, input);
    EXPECT_EQ(normal.status, 0);
    EXPECT_EQ(normal.err, "");
    const auto lines = Lines(normal.out);
    ASSERT_EQ(lines.size(), 8u) << normal.out;
    EXPECT_EQ(lines[0], Lines(Geo({"utm", "53.55", "9.99"}).out).at(0));
    for (const int error : {1, 2, 3, 5, 6}) {
        EXPECT_EQ(lines[error].rfind("error: ", 0), 0u) << lines[error];
    }
    EXPECT_NE(lines[2].find("0x0001"), std::string::npos);
    EXPECT_EQ(lines[4], lines[0]);
    EXPECT_EQ(lines[7], "3");

    const auto raw = Lines(Geo({"--raw"}, input).out);
    ASSERT_EQ(raw.size(), 8u);
    EXPECT_EQ(raw[2], "0x0001 - - - -");
    EXPECT_EQ(raw[3].rfind("error: ", 0), 0u);
    EXPECT_EQ(raw[7], "0x0000 3");
}

TEST(QuillpostGeo, BatchLinesShareTheLibrarysState) {
    const std::string utmInWgs84 = Lines(Geo({"utm-forward", "60", "5"}).out).at(0);
    const std::string geocentricOnWgs84 =
        Lines(Geo({"geocentric-forward", "53.55", "9.99", "0"}).out).at(0);
    const std::string input =
        "utm-set 6378388 " + kInternationalF + " 0\n" +  // 0
        "convert deg utm 60 N 5 E\n"                     // a WGS 84 engine of its own
        "utm-forward 60 5\n"                             // 1: International
        "utm 60 5\n"                                     // 2: WGS 84 all the same
        "utm-forward 60 5\n"                             // 3: still International
        "utm-set 6378137 0.0025 0\n"                     // 4: refused, keeps International
        "utm-forward 60 5\n"                             // 5
        "utm-set 6378137 " +
        kWgs84F + " 31\n" +   // 6: override
        "utm-forward 60 5\n"  // 7: zone 31
        "utm 60 5\n"          // 8: zone 32, no override
        "tm-set 6378137 " +
        kWgs84F + " 0 10 500000 0 0.9996\n" +  // 9
        "tm-forward 53.55 9.99\n"              // 10: central meridian 10
        "utm 53.55 9.99\n"                     // 11: zone 32
        "tm-forward 53.55 9.99\n"              // 12: what UTM left: zone 32, central meridian 9
        "geocentric-set 6378388 " +
        kInternationalF + "\n" +              // 13
        "geocentric-forward 53.55 9.99 0\n";  // 14
    auto lines = Lines(Geo({}, input).out);
    ASSERT_EQ(lines.size(), 16u);
    lines.erase(lines.begin() + 1);
    EXPECT_EQ(lines[0], "ok");
    EXPECT_NE(lines[1], utmInWgs84);
    EXPECT_EQ(lines[2], utmInWgs84);
    EXPECT_EQ(lines[3], lines[1]);
    EXPECT_EQ(lines[4].rfind("error: ", 0), 0u);
    EXPECT_EQ(lines[5], lines[1]);
    EXPECT_EQ(Words(lines[7]).at(0), "31");
    EXPECT_EQ(lines[8], utmInWgs84);
    const auto utm = Words(lines[11]);
    EXPECT_EQ(lines[12], utm.at(2) + " " + utm.at(3));
    EXPECT_NE(lines[10], lines[12]);
    EXPECT_NE(lines[14], geocentricOnWgs84);
}

TEST(QuillpostGeo, ConvertShowsWhatTheEntryFormWouldShow) {
    EXPECT_EQ(Geo({"convert", "deg", "dm", "53.5", "s", "9.75", "E"}).out, "53 30 S 9 45 E\n");
    EXPECT_EQ(Geo({"convert-on", "WGE", "deg", "wgs84", "53.55", "N", "9.99", "E"}).out,
              "53.550000000 9.990000000\n");
    // Entered on the Potsdam datum, the WGS 84 position lies a good 100 m away.
    const auto dhdn =
        Words(Geo({"convert-on", "DHDN", "deg", "wgs84", "53.55", "N", "9.99", "E"}).out);
    ASSERT_EQ(dhdn.size(), 2u);
    EXPECT_NEAR(Parse(dhdn[0]), 53.55, 0.01);
    EXPECT_GT(std::abs(Parse(dhdn[0]) - 53.55) + std::abs(Parse(dhdn[1]) - 9.99), 0.0005);

    for (const std::vector<std::string>& usage : std::vector<std::vector<std::string>>{
             {"convert", "deg", "dm", "53.5", "N", "9.75"},
             {"convert", "deg", "wgs72", "53.5", "N", "9.75", "E"},
             {"convert", "deg", "deg", "53.5", "E", "9.75", "N"},
             {"convert-on", "NAD27", "deg", "deg", "53.5", "N", "9.75", "E"},
             {"route", "x", "wgs84", "53.5", "N", "9.75", "E"},
             {"append", "x.rte", "x", "deg", "53.5", "N", "9.75"}}) {
        EXPECT_EQ(Geo(usage).status, 2) << usage[1] << " " << usage[2];
    }
}

TEST(QuillpostGeo, RouteAndAppendWriteTheLineAddWrites) {
    // A quoted name with blanks, upper-cased as the form does, in Windows-1252.
    const std::string expected =
        "[HAFEN \xC4\xD6\xDC \xDF||][0][10]|-9.990000,53.550000||-9.990000|53.550000|";
    const ProcessResult batch =
        Geo({}, "route \"Hafen \xC3\xA4\xC3\xB6\xC3\xBC \xC3\x9F\" deg 53.55 N 9.99 W\n");
    EXPECT_EQ(batch.out, expected + "\n");
    EXPECT_EQ(Geo({"route", "Hafen \xC3\xA4\xC3\xB6\xC3\xBC \xC3\x9F", "dm", "53", "33", "n", "9",
                   "59.4", "w"})
                  .out,
              expected + "\n");

    // Windows-1252 has upper-case partners beyond Latin-1 (Ÿ, Š, Œ, Ž); ÷ is no letter.
    EXPECT_EQ(Geo({"route", "\xC3\xBF\xC5\xA1\xC5\x93\xC5\xBE\xC3\xB7", "deg", "0", "N", "0", "E"})
                  .out.substr(0, 7),
              "[\x9F\x8A\x8C\x8E\xF7|");

    ScratchDir dir;
    const std::string file = (dir / "Ausflug.rte").string();
    EXPECT_EQ(Geo({"append", file, "Hafen", "deg", "53.55", "N", "9.99", "E"}).out, "appended\n");
    EXPECT_EQ(Geo({"--raw", "append", file, "b", "utm", "32", "N", "5933912", "565591"}).out,
              "0x0000 appended\n");
    const std::string second =
        Lines(Geo({"route", "B", "utm", "32", "N", "5933912", "565591"}).out).at(0);
    EXPECT_EQ(ReadFileBytes(file),
              "[HAFEN||][0][10]|9.990000,53.550000||9.990000|53.550000|\r\n" + second + "\r\n");

    // An empty name and a file that cannot be opened leave the file as it was.
    const ProcessResult empty = Geo({"append", file, "", "deg", "1", "N", "1", "E"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "quillpost-geo: The Name must not be empty!\n");
    EXPECT_EQ(Geo({"--raw", "route", "", "deg", "1", "N", "1", "E"}).out, "0x0000 -\n");
    // Add's order and words: a grid position the engine refuses comes before the name.
    EXPECT_EQ(Geo({"route", "", "utm", "0", "N", "5933912", "565591"}).err,
              "quillpost-geo: The grid position cannot be converted. Please check the zone (1 to "
              "60), the hemisphere (N or S), the northing (0 to 10000000) and the easting (100000 "
              "to 900000).\n");
    const ProcessResult missing =
        Geo({"append", (dir / "no" / "such.rte").string(), "a", "deg", "1", "N", "1", "E"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(Lines(ReadFileBytes(file)).size(), 2u);
}

// The everyday commands refuse what the entry form refuses (a table of
// refused fields shared with the form drives both), grid positions the engine
// cannot convert (easting 56576 is a typo for 565762, zone 0 is no zone) and
// a position UTM cannot show. Status 1, the reason on standard error or "-"
// outputs behind the flags in raw mode, and nothing written; in a batch, an
// error line and the batch goes on.
TEST(QuillpostGeo, EverydayCommandsRefuseWhatTheFormRefuses) {
    ScratchDir dir;
    const std::string file = (dir / "t.rte").string();
    WriteFileBytes(file, "x\r\n");
    const struct {
        std::vector<std::string> arguments;
        std::string reason;  // a part of it
        std::string raw;
    } cases[] = {
        {{"append", file, "Home", "deg", "nan", "N", "1e400", "E"},
         "latitude degrees: Please enter a number.",
         "0x0000 -"},
        {{"append", file, "Grid", "utm", "0", "N", "5933912", "565591"},
         "grid position cannot be converted",
         "0x0000 -"},
        {{"append", file, "Grid", "utm", "32", "N", "5933912", "56576"},
         "grid position cannot be converted",
         "0x0000 -"},
        {{"route", "Home", "dm", "53", "inf", "N", "10", "0", "E"},
         "latitude minutes: Please enter a number.",
         "0x0000 -"},
        {{"route", "Grid", "utm", "32", "S", "-inf", "565762"},
         "northing: Please enter a number.",
         "0x0000 -"},
        {{"convert", "deg", "dms", "53", "N", "-nan", "E"},
         "longitude degrees: Please enter a number.",
         "0x0000 - - - - - - - -"},
        {{"convert", "utm", "deg", "32.0", "N", "5933912", "565591"},
         "zone: Please enter a whole number.",
         "0x0000 - - - -"},
        // The form shows zone 0 and 0 m where UTM has no answer; a script is told.
        {{"convert", "deg", "utm", "89", "N", "0", "E"},
         "latitude outside -80.5 to 84.5 degrees (flags 0x0001)",
         "0x0001 0 N 0 0"},
        {{"convert-on", "DHDN", "dm", "utm", "84", "31", "N", "0", "0", "E"},
         "latitude outside",
         "0x0001 0 N 0 0"},
        {{"convert", "utm", "deg", "0", "N", "5933912", "565591"},
         "grid position",
         "0x0000 - - - -"},
        {{"convert-on", "WGE", "utm", "wgs84", "32", "N", "5933912", "56576"},
         "grid position",
         "0x0000 - -"},
        {{"utm", "nan", "0.1"}, "latitude", "0x0001 - - - -"},
        {{"utm", "0.9", "1e400"}, "longitude", "0x0002 - - - -"},
        {{"geo", "32", "N", "nan", "5933912"}, "easting", "0x0004 - -"},
        {{"geo", "32", "N", "565762", "inf"}, "northing", "0x0008 - -"},
        {{"geo", "0", "N", "565762", "5933912"}, "zone", "0x0010 - -"},
    };
    std::string batch;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + c.arguments.back());
        const ProcessResult normal = Geo(c.arguments);
        EXPECT_EQ(normal.status, 1);
        EXPECT_EQ(normal.out, "");
        EXPECT_NE(normal.err.find(c.reason), std::string::npos) << normal.err;
        std::vector<std::string> raw = c.arguments;
        raw.insert(raw.begin(), "--raw");
        const ProcessResult rawResult = Geo(raw);
        EXPECT_EQ(rawResult.status, 1);
        EXPECT_EQ(rawResult.out, c.raw + "\n");
        EXPECT_EQ(ReadFileBytes(file), "x\r\n");
        for (const std::string& argument : c.arguments) {
            batch += argument + " ";
        }
        batch += "\n";
    }
    const ProcessResult inBatch = Geo({}, batch + "utm 53.5 10\n");
    const auto lines = Lines(inBatch.out);
    ASSERT_EQ(lines.size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(lines[i].rfind("error: ", 0), 0u) << lines[i];
        EXPECT_NE(lines[i].find(cases[i].reason), std::string::npos) << lines[i];
    }
    EXPECT_EQ(lines.back(), "32 N 566331.528 5928359.088");
    EXPECT_EQ(ReadFileBytes(file), "x\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

// A 50 MB token comes back as a short prefix, never whole.
TEST(QuillpostGeo, AnErrorQuotesOnlyAShortPrefixOfAToken) {
    const std::string huge(50 << 20, 'x');
    const ProcessResult batch = Geo({}, huge + "\nutm 1e400 " + huge + "\n");
    const auto lines = Lines(batch.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "error: unknown command '" + std::string(40, 'x') + "...'");
    EXPECT_LT(lines[1].size(), 200u);
    EXPECT_EQ(Geo({"convert", huge.substr(0, 1000), "deg", "1", "N", "1", "E"}).err.size() < 200,
              true);
}

// Every UTM position the forward gives is taken back by the form's engine
// (through convert) and by geo, and lands within a millimetre: over all
// zones, the widened zones around Norway and Svalbard and latitudes up to 84
// degrees, where the inverse warns of the distance from the central meridian
// yet computes the position right.
TEST(QuillpostGeo, EveryGridPositionTheForwardGivesIsTakenBack) {
    std::vector<std::pair<double, double>> points;
    for (int latitude = -80; latitude <= 84; latitude += 4) {
        for (double longitude = -179.5; longitude < 180.0; longitude += 2.75) {
            points.emplace_back(latitude, longitude);
        }
    }
    // Norway's zone 32, Svalbard's 31, 33, 35 and 37, at their edges.
    for (double latitude : {56.1, 60.0, 63.9, 72.1, 78.0, 84.0}) {
        for (double longitude : {0.1, 2.9, 3.1, 8.9, 9.1, 11.9, 20.9, 21.1, 32.9, 33.1, 41.9}) {
            points.emplace_back(latitude, longitude);
        }
    }
    std::string forward;
    for (const auto& [latitude, longitude] : points) {
        forward += "utm " + Raw(latitude * kRadiansPerDegree) + " " +
                   Raw(longitude * kRadiansPerDegree) + "\n";
    }
    const auto grid = Lines(Geo({"--raw"}, forward).out);
    ASSERT_EQ(grid.size(), points.size());

    // Lengths are metres in both modes, so the exact metres go back in normal
    // mode, where a refusal would be an error line.
    std::string back;
    std::string geo;
    for (const std::string& line : grid) {
        const auto words = Words(line);  // flags, zone, hemisphere, easting, northing
        ASSERT_EQ(words.size(), 5u) << line;
        geo += "geo " + words[1] + " " + words[2] + " " + words[3] + " " + words[4] + "\n";
        back += "geo " + words[1] + " " + words[2] + " " + words[3] + " " + words[4] + "\n";
        back += "convert utm wgs84 " + words[1] + " " + words[2] + " " + words[4] + " " + words[3] +
                "\n";
    }
    const auto answers = Lines(Geo({}, back).out);
    ASSERT_EQ(answers.size(), 2 * points.size());
    for (size_t i = 0; i < answers.size(); ++i) {
        const auto& [latitude, longitude] = points[i / 2];
        SCOPED_TRACE(grid[i / 2] + " -> " + answers[i]);
        const auto words = Words(answers[i]);
        ASSERT_EQ(words.size(), 2u);
        double distance = 0.0;
        GeographicLib::Geodesic::WGS84().Inverse(latitude, longitude, std::stod(words[0]),
                                                 std::stod(words[1]), distance);
        EXPECT_LT(distance, 0.001);
    }
    int warned = 0;
    for (const std::string& line : Lines(Geo({"--raw"}, geo).out)) {
        warned += line.rfind("0x0004 ", 0) == 0 ? 1 : 0;
    }
    EXPECT_GT(warned, 100);  // the inverse's warnings were among them
}

// The texts the entry form takes from a paste, as one argument: each reads
// as its fields do, to the last bit of the position, or is refused with its
// reason and status 1.
TEST(QuillpostGeo, TextIsAFormatOfItsOwnReadAsTheFormReadsAPaste) {
    using namespace position_text_cases;
    for (const PositionTextCase& row : kCases) {
        const std::string text = Utf8(row.text);
        SCOPED_TRACE(text);
        const ProcessResult read = Geo({"--raw", "convert", "text", "wgs84", text});
        if (row.kind != PositionText::Kind::Position) {
            EXPECT_EQ(read.status, 1);
            const std::string reason = row.kind == PositionText::Kind::Refused
                                           ? TextRefusalMessage(row.refusal, 1)
                                           : "TEXT holds no position";
            EXPECT_EQ(read.err, "quillpost-geo: " + reason + "\n");
            continue;
        }
        std::vector<std::string> fields = {"--raw", "convert", row.format, "wgs84"};
        for (const std::string& field : Words(row.fields)) {
            fields.push_back(field);
        }
        EXPECT_EQ(read.status, 0) << read.err;
        EXPECT_EQ(read.out, Geo(fields).out);
        EXPECT_EQ(read.err.empty(), row.squareSide == 0) << read.err;
    }
    // A text in a route line, and one that is not one argument.
    EXPECT_EQ(Geo({"route", "Hafen", "text", "geo:53.5,10"}).out,
              "[HAFEN||][0][10]|10.000000,53.500000||10.000000|53.500000|\n");
    EXPECT_EQ(Geo({"convert", "text", "deg", "53.5", "10"}).status, 2);
}

}  // namespace

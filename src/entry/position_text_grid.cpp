// SPDX-License-Identifier: MIT
#include "entry/position_text_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "projection/utm_projection.h"
#include "route/route_point.h"

namespace PositionTextParts {

namespace {

constexpr std::wstring_view kBands = L"cdefghjklmnpqrstuvwx";
constexpr std::wstring_view kRowLetters = L"abcdefghjklmnpqrstuv";
constexpr std::wstring_view kColumnLetters[3] = {L"stuvwxyz", L"abcdefgh", L"jklmnpqr"};

// A whole metre of rounding moves a grid position by less than this many degrees.
constexpr double kBandTolerance = 0.00001;

struct Band {
    double south;
    double north;
};

Band BandOf(wchar_t letter) {
    const double south = -80.0 + 8.0 * static_cast<double>(kBands.find(letter));
    return {south, letter == L'x' ? 84.0 : south + 8.0};
}

// The latitude of a grid position in degrees; none where UTM refuses it, and
// none beyond UTM's latitudes, where the inverse writes a point that is no
// place at all (a northing of 50 km in the southern hemisphere).
std::optional<double> LatitudeOf(int zone, bool north, double easting, double northing) {
    double latitude = std::numeric_limits<double>::quiet_NaN();
    double longitude = latitude;
    const UtmProjection::ErrorFlags flags =
        UtmProjection::Inverse(zone, north ? 'N' : 'S', easting, northing, &latitude, &longitude);
    latitude *= AngleConstants::k180OverPi;
    longitude *= AngleConstants::k180OverPi;
    if ((flags & UtmProjection::kNorthingError) || !IsSoundPosition(latitude, longitude)) {
        return std::nullopt;
    }
    return latitude;
}

Reading GridResult(int zone, bool north, double easting, double northing, int squareSide) {
    Reading reading;
    reading.result.kind = PositionText::Kind::Position;
    reading.result.format = UTM;
    reading.result.squareSide = squareSide;
    reading.fields.zone = zone;
    reading.fields.sign[kLatitude] = north ? 1 : -1;
    reading.fields.utm = {northing, easting};
    return reading;
}

double DigitsValue(std::wstring_view digits) {
    double value = 0.0;
    for (const wchar_t digit : digits) {
        value = value * 10.0 + (digit - L'0');
    }
    return value;
}

bool IsWholeNumber(const Token& token) {
    return token.kind == Token::Kind::Number && token.decimals < 0;
}

// "32U 566331 5928359", "32 U E 566331 N 5928359", "32 north 566331 5928359",
// "566331mE 5928359mN": the two numbers after the zone and its letter or
// word, easting first unless labels say otherwise.
std::optional<Reading> ReadUtm(const std::vector<Token>& tokens, std::size_t at, int zone,
                               const std::wstring& letter) {
    std::optional<bool> north;
    std::optional<Band> band;
    const auto role = RoleOf(letter);
    if (letter == L"s") {
        // The band S (north) or the southern hemisphere; either reading is a wrong point.
    } else if (letter == L"n" || role == Role::North) {
        north = true;
    } else if (role == Role::South) {
        north = false;
    } else if (letter.size() == 1 && kBands.find(letter[0]) != std::wstring_view::npos) {
        band = BandOf(letter[0]);
        north = band->south >= 0.0;
    } else {
        return std::nullopt;
    }
    // The numbers and their labels in order: "nn", labels before ("LnLn") or
    // after ("nLnL") their numbers.
    std::vector<double> values;
    std::vector<int> labels;  // 0 easting, 1 northing
    std::wstring shape;
    for (; at < tokens.size(); ++at) {
        const Token& token = tokens[at];
        const auto tokenRole = token.kind == Token::Kind::Word ? RoleOf(token.text) : std::nullopt;
        if (token.kind == Token::Kind::Number) {
            values.push_back(ValueOf(token));
            shape += L'n';
        } else if (tokenRole == Role::EastingLabel || tokenRole == Role::East ||
                   tokenRole == Role::NorthingLabel || tokenRole == Role::North) {
            labels.push_back(tokenRole == Role::NorthingLabel || tokenRole == Role::North ? 1 : 0);
            shape += L'L';
        } else if (tokenRole != Role::Metres && token.kind != Token::Kind::Separator) {
            return std::nullopt;
        }
    }
    if (shape != L"nn" && shape != L"LnLn" && shape != L"nLnL") {
        return std::nullopt;
    }
    if (!north) {
        return Refuse(TextRefusal::BandOrSouth);
    }
    if (!labels.empty() && labels[0] == labels[1]) {
        return Refuse(TextRefusal::Unreadable);
    }
    const int eastingAt = labels.empty() ? 0 : labels[0];
    const double easting = values[eastingAt];
    const double northing = values[1 - eastingAt];
    const auto latitude = LatitudeOf(zone, *north, easting, northing);
    if (!latitude) {
        return Refuse(TextRefusal::GridRange);
    }
    if (band &&
        !(*latitude >= band->south - kBandTolerance && *latitude <= band->north + kBandTolerance)) {
        return Refuse(TextRefusal::OutsideBand);
    }
    return GridResult(zone, *north, easting, northing, 0);
}

// "32UNE6633128359", "32U NE 66331 28359": the 100 km square's letters and
// as many digits of easting as of northing within it. The square's rows
// repeat every 2000 km; the band says which repetition is meant.
std::optional<Reading> ReadMgrs(const std::vector<Token>& tokens, std::size_t at, int zone,
                                const std::wstring& letters) {
    if (letters.size() != 3) {
        return std::nullopt;
    }
    std::wstring digits;
    std::vector<std::size_t> runs;
    for (; at < tokens.size(); ++at) {
        if (!IsWholeNumber(tokens[at])) {
            return std::nullopt;
        }
        digits += tokens[at].text;
        runs.push_back(tokens[at].text.size());
    }
    if (runs.size() > 2 || digits.size() % 2 != 0 || digits.size() > 10 ||
        (runs.size() == 2 && runs[0] != runs[1])) {
        return std::nullopt;
    }
    if (letters[0] == L'a' || letters[0] == L'b' || letters[0] == L'y' || letters[0] == L'z') {
        return Refuse(TextRefusal::PolarGrid);
    }
    const std::size_t bandAt = kBands.find(letters[0]);
    const std::size_t column = kColumnLetters[zone % 3].find(letters[1]);
    const std::size_t row = kRowLetters.find(letters[2]);
    if (bandAt == std::wstring_view::npos || column == std::wstring_view::npos ||
        row == std::wstring_view::npos) {
        return Refuse(TextRefusal::Unreadable);
    }
    const std::size_t precision = digits.size() / 2;
    const double side = std::pow(10.0, 5.0 - static_cast<double>(precision));
    const double inSquareEast = DigitsValue(std::wstring_view(digits).substr(0, precision));
    const double inSquareNorth = DigitsValue(std::wstring_view(digits).substr(precision));
    const double easting = static_cast<double>(column + 1) * 100000.0 + inSquareEast * side;
    // Even zones letter their rows from F at the equator.
    const int rowOffset = zone % 2 == 0 ? 5 : 0;
    const double rowNorthing =
        static_cast<double>((static_cast<int>(row) - rowOffset + 20) % 20) * 100000.0 +
        inSquareNorth * side;
    const Band band = BandOf(letters[0]);
    const bool north = band.south >= 0.0;
    for (int cycle = 0; cycle < 5; ++cycle) {
        const double northing = rowNorthing + cycle * 2000000.0;
        double south = 90.0;
        double northmost = -90.0;
        bool converted = true;
        for (const double e : {easting, easting + side}) {
            for (const double n : {northing, northing + side}) {
                const auto latitude = LatitudeOf(zone, north, e, n);
                converted = converted && latitude;
                if (latitude) {
                    south = std::min(south, *latitude);
                    northmost = std::max(northmost, *latitude);
                }
            }
        }
        if (converted && northmost >= band.south - kBandTolerance &&
            south <= band.north + kBandTolerance) {
            return GridResult(zone, north, easting + side / 2.0, northing + side / 2.0,
                              static_cast<int>(side));
        }
    }
    return Refuse(TextRefusal::OutsideBand);
}

}  // namespace

std::optional<Reading> ReadGrid(const std::vector<Token>& tokens) {
    std::size_t at = 0;
    while (at < tokens.size() && tokens[at].kind == Token::Kind::Word &&
           RoleOf(tokens[at].text) == Role::Utm) {
        ++at;
    }
    if (at + 1 >= tokens.size() || !IsWholeNumber(tokens[at]) || tokens[at].text.size() > 2 ||
        tokens[at + 1].kind != Token::Kind::Word) {
        return std::nullopt;
    }
    const int zone = static_cast<int>(DigitsValue(tokens[at].text));
    if (zone < 1 || zone > 60) {
        return std::nullopt;
    }
    std::wstring letters = tokens[at + 1].text;
    at += 2;
    // "32U NE 66331 28359": the square's letters apart from the band.
    if (letters.size() == 1 && at < tokens.size() && tokens[at].kind == Token::Kind::Word &&
        tokens[at].text.size() == 2 && !RoleOf(tokens[at].text)) {
        letters += tokens[at++].text;
    }
    if (auto mgrs = ReadMgrs(tokens, at, zone, letters)) {
        return mgrs;
    }
    return ReadUtm(tokens, at, zone, letters);
}

}  // namespace PositionTextParts

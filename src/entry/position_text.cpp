// SPDX-License-Identifier: MIT
#include "entry/position_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "projection/utm_projection.h"
#include "route/route_point.h"
#include "services/numbers.h"

namespace {

constexpr int kLatitude = 0;
constexpr int kLongitude = 1;

enum Level { kDegrees = 0, kMinutes = 1, kSeconds = 2 };

// --- Characters

bool IsBlank(wchar_t c) {
    // Web pages put no-break, thin and zero-width spaces between the parts.
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0xA0 || (c >= 0x2000 && c <= 0x200D) ||
           c == 0x202F || c == 0x205F || c == 0x2060 || c == 0x3000 || c == 0xFEFF;
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsLetter(wchar_t c) {
    const bool latin = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                       (c >= 0xC0 && c < 0x2000 && c != 0xD7 && c != 0xF7);
    return latin || (c >= 0x3040 && !IsBlank(c));
}

wchar_t Lower(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<wchar_t>(c + 0x20);
    }
    return c;
}

std::wstring Lowered(std::wstring_view text) {
    std::wstring lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
    return lowered;
}

// --- What the marks and words of a position mean

// The marks as people type them; a pair of minute marks is a second mark, so
// the pairs come first.
struct MarkSpelling {
    std::wstring_view text;
    Level level;
};
constexpr MarkSpelling kMarks[] = {
    {L"''", kSeconds},
    {L"\u2019\u2019", kSeconds},
    {L"\u2032\u2032", kSeconds},
    {L"\u00B4\u00B4", kSeconds},
    {L"\"", kSeconds},
    {L"\u2033", kSeconds},
    {L"\u201D", kSeconds},
    {L"\u201C", kSeconds},
    {L"\u00B0", kDegrees},
    {L"\u00BA", kDegrees},
    {L"\u02DA", kDegrees},
    {L"'", kMinutes},
    {L"\u2032", kMinutes},
    {L"\u2019", kMinutes},
    {L"\u00B4", kMinutes},
    {L"\u2018", kMinutes},
    {L"`", kMinutes},
};

enum class Role {
    LatitudeLabel,
    LongitudeLabel,
    North,
    South,
    East,
    West,
    DegreeMark,
    // Grid positions.
    Utm,
    EastingLabel,
    NorthingLabel,
    Metres,
};

struct WordMeaning {
    std::wstring_view word;  // lower case
    Role role;
};
constexpr WordMeaning kWords[] = {
    {L"lat", Role::LatitudeLabel},
    {L"latitude", Role::LatitudeLabel},
    {L"breite", Role::LatitudeLabel},
    {L"br", Role::LatitudeLabel},
    {L"lon", Role::LongitudeLabel},
    {L"lng", Role::LongitudeLabel},
    {L"long", Role::LongitudeLabel},
    {L"longitude", Role::LongitudeLabel},
    {L"l\u00E4nge", Role::LongitudeLabel},
    {L"laenge", Role::LongitudeLabel},
    {L"n", Role::North},
    {L"north", Role::North},
    {L"nord", Role::North},
    {L"norden", Role::North},
    {L"n\u00F6rdlich", Role::North},
    {L"n\u00F6rdlicher", Role::North},
    {L"n\u00F6rdl", Role::North},
    {L"s", Role::South},
    {L"south", Role::South},
    {L"s\u00FCd", Role::South},
    {L"sued", Role::South},
    {L"s\u00FCden", Role::South},
    {L"s\u00FCdlich", Role::South},
    {L"s\u00FCdlicher", Role::South},
    {L"s\u00FCdl", Role::South},
    {L"e", Role::East},
    {L"east", Role::East},
    {L"o", Role::East},  // Ost
    {L"ost", Role::East},
    {L"osten", Role::East},
    {L"\u00F6stlich", Role::East},
    {L"\u00F6stlicher", Role::East},
    {L"\u00F6stl", Role::East},
    {L"w", Role::West},
    {L"west", Role::West},
    {L"westen", Role::West},
    {L"westlich", Role::West},
    {L"westlicher", Role::West},
    {L"westl", Role::West},
    {L"d", Role::DegreeMark},
    {L"deg", Role::DegreeMark},
    {L"utm", Role::Utm},
    {L"zone", Role::Utm},
    {L"me", Role::EastingLabel},
    {L"easting", Role::EastingLabel},
    {L"rechtswert", Role::EastingLabel},
    {L"ostwert", Role::EastingLabel},
    {L"mn", Role::NorthingLabel},
    {L"northing", Role::NorthingLabel},
    {L"hochwert", Role::NorthingLabel},
    {L"nordwert", Role::NorthingLabel},
    {L"m", Role::Metres},
};

std::optional<Role> RoleOf(std::wstring_view word) {
    for (const WordMeaning& meaning : kWords) {
        if (meaning.word == word) {
            return meaning.role;
        }
    }
    return std::nullopt;
}

// --- Tokens

struct Token {
    enum class Kind { Number, Sign, Mark, Word, Separator, Other } kind;
    // A number's digits with '.' for its decimal separator; a word in lower case.
    std::wstring text;
    bool blankBefore = false;
    Level level = kDegrees;  // a mark's
    bool negative = false;   // a sign's
    int decimals = -1;       // a number's digits after its decimal separator, -1 for none
};

struct Tokens {
    std::vector<Token> list;
    bool exponent = false;
    bool twoDecimalSeparators = false;  // "53,5,10": which comma separates?
};

std::optional<Level> MarkAt(std::wstring_view text, std::size_t at, std::size_t& length) {
    for (const MarkSpelling& mark : kMarks) {
        if (text.substr(at, mark.text.size()) == mark.text) {
            length = mark.text.size();
            return mark.level;
        }
    }
    return std::nullopt;
}

// A comma is a decimal comma where it stands between two digits and the text
// has no decimal point: "53,5501; 9,9937". Anywhere else it separates.
Tokens Tokenize(std::wstring_view text) {
    bool decimalPoint = false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        decimalPoint =
            decimalPoint || (text[i] == L'.' && IsDigit(text[i - 1]) && IsDigit(text[i + 1]));
    }
    Tokens tokens;
    bool blank = true;
    std::size_t at = 0;
    while (at < text.size()) {
        const wchar_t c = text[at];
        Token token{Token::Kind::Other, {}, blank};
        blank = false;
        std::size_t markLength = 0;
        if (IsBlank(c)) {
            blank = true;
            ++at;
            continue;
        }
        if (IsDigit(c)) {
            token.kind = Token::Kind::Number;
            while (at < text.size()) {
                const wchar_t d = text[at];
                const bool separator = d == L'.' || (d == L',' && !decimalPoint);
                if (IsDigit(d)) {
                    token.text += d;
                    token.decimals += token.decimals >= 0 ? 1 : 0;
                } else if (separator && at + 1 < text.size() && IsDigit(text[at + 1])) {
                    if (token.decimals >= 0) {
                        // "53,5,10": a second decimal separator in one number.
                        tokens.twoDecimalSeparators = true;
                        break;
                    }
                    token.text += L'.';
                    token.decimals = 0;
                } else {
                    break;
                }
                ++at;
            }
            // An exponent: a letter e right after the digits, then digits or a signed digit.
            if (at + 1 < text.size() && (text[at] == L'e' || text[at] == L'E')) {
                const std::size_t next =
                    text[at + 1] == L'+' || text[at + 1] == L'-' ? at + 2 : at + 1;
                tokens.exponent = tokens.exponent || (next < text.size() && IsDigit(text[next]));
            }
        } else if (c == L'-' || c == L'+' || c == 0x2212) {
            token.kind = Token::Kind::Sign;
            token.negative = c != L'+';
            ++at;
        } else if (const auto level = MarkAt(text, at, markLength)) {
            token.kind = Token::Kind::Mark;
            token.level = *level;
            at += markLength;
        } else if (IsLetter(c)) {
            token.kind = Token::Kind::Word;
            while (at < text.size() && IsLetter(text[at])) {
                token.text += Lower(text[at++]);
            }
            // An abbreviation's point: "Br.", "n\u00F6rdl."
            if (at < text.size() && text[at] == L'.' &&
                (at + 1 == text.size() || !IsDigit(text[at + 1]))) {
                ++at;
            }
        } else if (c == L',' || c == L';' || c == L'/') {
            token.kind = Token::Kind::Separator;
            token.text = c;
            ++at;
        } else if (c == L':' || c == L'=') {
            // "Lat: 53.5", "lat=53.5"
            blank = true;
            ++at;
            continue;
        } else {
            token.text = c;
            ++at;
        }
        tokens.list.push_back(std::move(token));
    }
    return tokens;
}

double ValueOf(const Token& number) {
    // The same reading as a number typed into a field of the form.
    return Numbers::ReadFormDecimal(number.text).value_or(std::numeric_limits<double>::infinity());
}

// --- What a text reads as, before it becomes a result

struct Reading {
    PositionText result;
    EntryFields fields;
    // Degrees and minutes or seconds forms: the position in signed degrees
    // and the unit of its last digit, so that forms of one place can be compared.
    double latitude = 0.0;
    double longitude = 0.0;
    double resolution = 0.0;
};

Reading Refuse(TextRefusal why) {
    Reading reading;
    reading.result.kind = PositionText::Kind::Refused;
    reading.result.refusal = why;
    return reading;
}

Reading NotAPosition() {
    return {};
}

// --- Degrees, with or without minutes and seconds

struct Part {
    double value;
    int decimals;
    Level level;
};

struct Coordinate {
    std::vector<Part> parts;
    int labelAxis = -1;
    int letterAxis = -1;
    bool letterNegative = false;
    int sign = 0;  // a typed sign: +1, -1; 0 for none
    bool misplacedSign = false;
};

std::optional<int> AxisOfLabel(Role role) {
    if (role == Role::LatitudeLabel) {
        return kLatitude;
    }
    if (role == Role::LongitudeLabel) {
        return kLongitude;
    }
    return std::nullopt;
}

bool IsHemisphere(Role role) {
    return role == Role::North || role == Role::South || role == Role::East || role == Role::West;
}

// A sign belongs to the number right after it, and stands at the start, after
// a blank, a separator or a label: "53.5,-9.9" but not "53.5-9.9".
bool SignFits(const std::vector<Token>& tokens, std::size_t at) {
    const bool before =
        at == 0 || tokens[at].blankBefore || tokens[at - 1].kind != Token::Kind::Number;
    return before && at + 1 < tokens.size() && tokens[at + 1].kind == Token::Kind::Number &&
           !tokens[at + 1].blankBefore;
}

// Splits the tokens into coordinates. Hemisphere letters come all before or
// all after their values, as the text's first letter or value shows; labels
// and degree marks start a coordinate, separators end one.
std::optional<std::vector<Coordinate>> SplitCoordinates(const std::vector<Token>& tokens) {
    bool lettersFirst = false;
    for (const Token& token : tokens) {
        if (token.kind == Token::Kind::Number) {
            break;
        }
        const auto role = token.kind == Token::Kind::Word ? RoleOf(token.text) : std::nullopt;
        if (role && IsHemisphere(*role)) {
            lettersFirst = true;
            break;
        }
    }
    std::vector<Coordinate> coordinates;
    Coordinate current;
    bool open = false;  // current has a label, a letter or a value
    const auto close = [&]() -> bool {
        if (!open) {
            return true;
        }
        coordinates.push_back(current);
        current = Coordinate{};
        open = false;
        return !coordinates.back().parts.empty();
    };
    std::optional<bool> pendingSign;  // negative
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        switch (token.kind) {
            case Token::Kind::Sign:
                if (!SignFits(tokens, i)) {
                    return std::nullopt;
                }
                pendingSign = token.negative;
                break;
            case Token::Kind::Number: {
                Level level = current.parts.empty()
                                  ? kDegrees
                                  : static_cast<Level>(current.parts.back().level + 1);
                std::size_t next = i + 1;
                if (next < tokens.size() && tokens[next].kind == Token::Kind::Mark) {
                    level = tokens[next].level;
                    ++i;
                } else if (next < tokens.size() && tokens[next].kind == Token::Kind::Word &&
                           RoleOf(tokens[next].text) == Role::DegreeMark) {
                    level = kDegrees;
                    ++i;
                }
                if (level == kDegrees && !current.parts.empty()) {
                    if (!close()) {
                        return std::nullopt;
                    }
                }
                if (level > kSeconds ||
                    (current.parts.empty() ? level != kDegrees
                                           : level != current.parts.back().level + 1)) {
                    return std::nullopt;
                }
                if (pendingSign) {
                    if (!current.parts.empty()) {
                        current.misplacedSign = true;
                    }
                    current.sign = *pendingSign ? -1 : 1;
                    pendingSign.reset();
                }
                current.parts.push_back({ValueOf(token), token.decimals, level});
                open = true;
                break;
            }
            case Token::Kind::Word: {
                const auto role = RoleOf(token.text);
                if (!role) {
                    return std::nullopt;
                }
                if (const auto axis = AxisOfLabel(*role)) {
                    // "n\u00F6rdlicher Breite": the letter's word has named the axis.
                    const auto before = i > 0 && tokens[i - 1].kind == Token::Kind::Word
                                            ? RoleOf(tokens[i - 1].text)
                                            : std::nullopt;
                    if (before && IsHemisphere(*before) &&
                        (*before == Role::North || *before == Role::South) ==
                            (*axis == kLatitude)) {
                        break;
                    }
                    if (!current.parts.empty() && !close()) {
                        return std::nullopt;
                    }
                    if (current.labelAxis >= 0) {
                        return std::nullopt;
                    }
                    current.labelAxis = *axis;
                    open = true;
                    break;
                }
                if (!IsHemisphere(*role)) {
                    return std::nullopt;
                }
                if (lettersFirst && (!current.parts.empty() || current.letterAxis >= 0) &&
                    !close()) {
                    return std::nullopt;
                }
                if (current.letterAxis >= 0 || (!lettersFirst && current.parts.empty())) {
                    return std::nullopt;
                }
                current.letterAxis =
                    *role == Role::North || *role == Role::South ? kLatitude : kLongitude;
                current.letterNegative = *role == Role::South || *role == Role::West;
                open = true;
                if (!lettersFirst && !close()) {
                    return std::nullopt;
                }
                break;
            }
            case Token::Kind::Separator:
                if (!close()) {
                    return std::nullopt;
                }
                break;
            case Token::Kind::Mark:
            case Token::Kind::Other:
                return std::nullopt;
        }
    }
    if (!close()) {
        return std::nullopt;
    }
    return coordinates;
}

// Text of numbers alone ("53.5501 9.9937", "53 33.006 9 59.622"): half are
// the latitude's, half the longitude's.
std::optional<std::vector<Coordinate>> SplitBareNumbers(const std::vector<Token>& tokens,
                                                        std::size_t count) {
    std::vector<Coordinate> coordinates(2);
    std::size_t seen = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Coordinate& coordinate = coordinates[seen < count / 2 ? 0 : 1];
        if (tokens[i].kind == Token::Kind::Sign) {
            if (!SignFits(tokens, i)) {
                return std::nullopt;
            }
            coordinate.misplacedSign = !coordinate.parts.empty();
            coordinate.sign = tokens[i].negative ? -1 : 1;
            continue;
        }
        coordinate.parts.push_back(
            {ValueOf(tokens[i]), tokens[i].decimals, static_cast<Level>(coordinate.parts.size())});
        ++seen;
    }
    return coordinates;
}

double Magnitude(const Coordinate& coordinate) {
    double degrees = 0.0;
    double unit = 1.0;
    for (const Part& part : coordinate.parts) {
        degrees += part.value * unit;
        unit /= 60.0;
    }
    return degrees;
}

double Resolution(const Coordinate& coordinate) {
    const Part& last = coordinate.parts.back();
    return std::pow(10.0, -std::max(last.decimals, 0)) / std::pow(60.0, last.level);
}

Reading ReadDegrees(const std::vector<Coordinate>& coordinates) {
    if (coordinates.size() < 2) {
        return Refuse(coordinates.empty() ? TextRefusal::Unreadable
                                          : TextRefusal::OnlyOneCoordinate);
    }
    if (coordinates.size() > 2) {
        return Refuse(TextRefusal::MoreThanOnePosition);
    }
    std::array<int, 2> axes{};
    for (int i = 0; i < 2; ++i) {
        const Coordinate& coordinate = coordinates[i];
        if (coordinate.misplacedSign || coordinate.parts.size() > 3) {
            return Refuse(TextRefusal::Unreadable);
        }
        if (coordinate.sign != 0 && coordinate.letterAxis >= 0) {
            return Refuse(TextRefusal::SignAndLetter);
        }
        if (coordinate.labelAxis >= 0 && coordinate.letterAxis >= 0 &&
            coordinate.labelAxis != coordinate.letterAxis) {
            return Refuse(coordinate.letterAxis == kLatitude ? TextRefusal::TwoLatitudes
                                                             : TextRefusal::TwoLongitudes);
        }
        axes[i] = std::max(coordinate.labelAxis, coordinate.letterAxis);
        for (std::size_t p = 0; p < coordinate.parts.size(); ++p) {
            const Part& part = coordinate.parts[p];
            if (p + 1 < coordinate.parts.size() && part.decimals >= 0) {
                return Refuse(TextRefusal::Unreadable);  // "53.5 30'": a fraction before minutes
            }
            if (p > 0 && part.value >= 60.0) {
                return Refuse(TextRefusal::MinutesOrSeconds);
            }
        }
    }
    if (axes[0] >= 0 && axes[0] == axes[1]) {
        return Refuse(axes[0] == kLatitude ? TextRefusal::TwoLatitudes
                                           : TextRefusal::TwoLongitudes);
    }
    if (axes[0] < 0 && axes[1] < 0) {
        // Latitude first, as web maps give it; a first value that can only
        // be a longitude says the text is the other way round.
        if (Magnitude(coordinates[0]) > 90.0 && Magnitude(coordinates[1]) <= 90.0) {
            return Refuse(TextRefusal::LongitudeFirst);
        }
        axes = {kLatitude, kLongitude};
    } else if (axes[0] < 0 || axes[1] < 0) {
        const int known = axes[0] >= 0 ? axes[0] : axes[1];
        axes = axes[0] >= 0 ? std::array<int, 2>{known, 1 - known}
                            : std::array<int, 2>{1 - known, known};
    }

    Reading reading;
    reading.result.kind = PositionText::Kind::Position;
    int finest = kDegrees;
    for (int i = 0; i < 2; ++i) {
        const Coordinate& coordinate = coordinates[i];
        const int axis = axes[i];
        const double magnitude = Magnitude(coordinate);
        if (!(magnitude <= (axis == kLatitude ? 90.0 : 180.0))) {
            return Refuse(axis == kLatitude ? TextRefusal::LatitudeRange
                                            : TextRefusal::LongitudeRange);
        }
        const bool negative = coordinate.sign < 0 || coordinate.letterNegative;
        EntryFields& fields = reading.fields;
        fields.sign[axis] = negative ? -1 : 1;
        fields.degrees[axis] = coordinate.parts[0].value;
        fields.minutes[axis] = coordinate.parts.size() > 1 ? coordinate.parts[1].value : 0.0;
        fields.seconds[axis] = coordinate.parts.size() > 2 ? coordinate.parts[2].value : 0.0;
        finest = std::max(finest, static_cast<int>(coordinate.parts.size()) - 1);
        (axis == kLatitude ? reading.latitude : reading.longitude) =
            negative ? -magnitude : magnitude;
        reading.resolution = std::max(reading.resolution, Resolution(coordinate));
    }
    reading.result.format = static_cast<CoordFormat>(finest);
    return reading;
}

// --- Grid positions: UTM with a band letter or a hemisphere word, and MGRS

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

// --- Plain text

bool HasDigit(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), IsDigit);
}

// "Koordinaten: N 53° 33.006 E 009° 59.622": a caption of words we do not
// know before a colon is dropped.
std::wstring_view WithoutCaption(std::wstring_view text) {
    const std::size_t digit = std::find_if(text.begin(), text.end(), IsDigit) - text.begin();
    const std::size_t colon = text.substr(0, digit).rfind(L':');
    if (colon == std::wstring_view::npos) {
        return text;
    }
    const Tokens caption = Tokenize(text.substr(0, colon));
    for (const Token& token : caption.list) {
        if (token.kind != Token::Kind::Word || RoleOf(token.text)) {
            return text;
        }
    }
    return text.substr(colon + 1);
}

Reading ReadOneForm(std::wstring_view text) {
    const Tokens tokens = Tokenize(WithoutCaption(text));
    const auto& list = tokens.list;
    const auto numbers = std::count_if(list.begin(), list.end(), [](const Token& token) {
        return token.kind == Token::Kind::Number;
    });
    if (numbers == 0 || std::any_of(list.begin(), list.end(), [](const Token& token) {
            return token.kind == Token::Kind::Other ||
                   (token.kind == Token::Kind::Word && !RoleOf(token.text) &&
                    !(token.text.size() <= 3 && std::all_of(token.text.begin(), token.text.end(),
                                                            [](wchar_t c) { return c < 0x80; })));
        })) {
        return NotAPosition();
    }
    if (tokens.exponent) {
        return Refuse(TextRefusal::Exponent);
    }
    if (tokens.twoDecimalSeparators) {
        return Refuse(TextRefusal::Unreadable);
    }
    if (auto grid = ReadGrid(list)) {
        return *grid;
    }
    const bool bare = std::all_of(list.begin(), list.end(), [](const Token& token) {
        return token.kind == Token::Kind::Number || token.kind == Token::Kind::Sign;
    });
    if (bare && numbers == 1) {
        return NotAPosition();  // a number pasted into a field is just that
    }
    if (std::any_of(list.begin(), list.end(), [](const Token& token) {
            return token.kind == Token::Kind::Word && !RoleOf(token.text);
        })) {
        return Refuse(TextRefusal::Unreadable);
    }
    std::optional<std::vector<Coordinate>> coordinates;
    if (bare && numbers % 2 == 0 && numbers <= 6) {
        coordinates = SplitBareNumbers(list, static_cast<std::size_t>(numbers));
    } else if (!bare) {
        coordinates = SplitCoordinates(list);
    }
    if (!coordinates) {
        return Refuse(TextRefusal::Unreadable);
    }
    return ReadDegrees(*coordinates);
}

// An encyclopaedia gives one place in several forms, "53°33′N 10°00′E /
// 53.550°N 10.000°E / 53.550; 10.000": taken, in its first form, when the
// forms agree to the precision they are written in.
std::optional<Reading> ReadForms(std::wstring_view text) {
    std::vector<Reading> forms;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t slash = std::min(text.find(L'/', start), text.size());
        forms.push_back(ReadOneForm(text.substr(start, slash - start)));
        if (forms.back().result.kind != PositionText::Kind::Position ||
            forms.back().result.format == UTM) {
            return std::nullopt;
        }
        start = slash + 1;
    }
    if (forms.size() < 2) {
        return std::nullopt;
    }
    for (const Reading& form : forms) {
        const double tolerance = (form.resolution + forms[0].resolution) / 2.0 + 1e-9;
        if (std::fabs(form.latitude - forms[0].latitude) > tolerance ||
            std::fabs(form.longitude - forms[0].longitude) > tolerance) {
            return Refuse(TextRefusal::MoreThanOnePosition);
        }
    }
    return forms[0];
}

Reading ReadPlain(std::wstring_view text) {
    if (auto forms = ReadForms(text)) {
        return *forms;
    }
    return ReadOneForm(text);
}

// --- Links

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

int HexValue(wchar_t c) {
    if (IsDigit(c)) {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// A link's value with its %XX escapes (UTF-8) and its '+' for a blank undone.
std::wstring Unescaped(std::wstring_view value) {
    std::string bytes;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == L'%' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 &&
            HexValue(value[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
            i += 2;
        } else if (value[i] == L'+') {
            bytes += ' ';
        } else if (value[i] < 0x80) {
            bytes += static_cast<char>(value[i]);
        } else {
            bytes += '?';
        }
    }
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const int length = byte < 0x80    ? 1
                           : byte >= 0xF0 ? 4
                           : byte >= 0xE0 ? 3
                           : byte >= 0xC0 ? 2
                                          : 1;
        unsigned long code = length == 1 ? byte : byte & (0x3F >> (length - 1));
        bool valid = i + length <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        text += valid && code <= 0xFFFF ? static_cast<wchar_t>(code) : L'?';
        i += valid ? length : 1;
    }
    return text;
}

// The value of key=... among the '&'-separated pairs of a query or fragment.
std::optional<std::wstring> Parameter(std::wstring_view pairs, std::wstring_view key) {
    std::size_t start = 0;
    while (start < pairs.size()) {
        const std::size_t end = std::min(pairs.find(L'&', start), pairs.size());
        const std::wstring_view pair = pairs.substr(start, end - start);
        if (pair.size() > key.size() && pair[key.size()] == L'=' &&
            Lowered(pair.substr(0, key.size())) == key) {
            return Unescaped(pair.substr(key.size() + 1));
        }
        start = end + 1;
    }
    return std::nullopt;
}

// The number that follows a marker in a link ("!3d53.5501").
std::optional<std::wstring> NumberAfter(std::wstring_view text, std::wstring_view marker) {
    const std::size_t at = text.find(marker);
    if (at == std::wstring_view::npos) {
        return std::nullopt;
    }
    std::size_t end = at + marker.size();
    while (end < text.size() && (IsDigit(text[end]) || text[end] == L'.' || text[end] == L'-')) {
        ++end;
    }
    return std::wstring(text.substr(at + marker.size(), end - at - marker.size()));
}

std::wstring LatitudeAndLongitude(std::wstring_view latitude, std::wstring_view longitude) {
    return L"lat " + std::wstring(latitude) + L" lon " + std::wstring(longitude);
}

// Links that only a web service can turn into a position.
constexpr std::wstring_view kShortLinkHosts[] = {
    L"goo.gl", L"g.co", L"bit.ly", L"tinyurl.com", L"t.co", L"w3w.co", L"what3words.com"};

bool IsShortLink(std::wstring_view host, std::wstring_view path) {
    for (const std::wstring_view shortHost : kShortLinkHosts) {
        if (host == shortHost || (host.size() > shortHost.size() &&
                                  host.substr(host.size() - shortHost.size()) == shortHost &&
                                  host[host.size() - shortHost.size() - 1] == L'.')) {
            return true;
        }
    }
    // openstreetmap.org/go/... and osm.org/go/...
    const bool osm = host == L"osm.org" || host.ends_with(L"openstreetmap.org");
    return osm && StartsWith(path, L"/go/");
}

Reading ReadLinkValue(const std::wstring& value) {
    std::wstring text = value;
    // A label in brackets after the position: "geo:0,0?q=53.5,9.9(Hafen)".
    if (const std::size_t bracket = text.find(L'('); bracket != std::wstring::npos) {
        text.erase(bracket);
    }
    Reading reading = ReadPlain(text);
    if (reading.result.kind == PositionText::Kind::NotAPosition) {
        return Refuse(TextRefusal::NeedsOnlineService);  // a place name or an address
    }
    return reading;
}

std::optional<Reading> ReadLink(std::wstring_view text) {
    const std::wstring lowered = Lowered(text);
    const bool geo = StartsWith(lowered, L"geo:");
    std::size_t hostAt = 0;
    if (const std::size_t scheme = lowered.find(L"://");
        scheme != std::wstring::npos && (StartsWith(lowered, L"http") || scheme < 10)) {
        hostAt = scheme + 3;
    } else if (!geo && !StartsWith(lowered, L"www.")) {
        return std::nullopt;
    }
    if (std::any_of(text.begin(), text.end(), IsBlank)) {
        return std::nullopt;  // a link holds no blanks
    }
    const std::size_t queryAt = std::min(text.find(L'?'), text.size());
    const std::size_t fragmentAt = std::min(text.find(L'#'), text.size());
    const std::size_t pathEnd = std::min(queryAt, fragmentAt);
    const std::size_t pathAt = geo ? 4 : std::min(text.find(L'/', hostAt), pathEnd);
    const std::wstring_view host = std::wstring_view(lowered).substr(hostAt, pathAt - hostAt);
    const std::wstring_view path = text.substr(pathAt, pathEnd - pathAt);
    const std::wstring_view query = queryAt < fragmentAt
                                        ? text.substr(queryAt + 1, fragmentAt - queryAt - 1)
                                        : std::wstring_view();
    const std::wstring_view fragment =
        fragmentAt < text.size() ? text.substr(fragmentAt + 1) : std::wstring_view();
    if (!geo && IsShortLink(host, path)) {
        return Refuse(TextRefusal::NeedsOnlineService);
    }
    // The marker a map link sets beats the view it opens with.
    const auto markerLatitude = Parameter(query, L"mlat");
    const auto markerLongitude = Parameter(query, L"mlon");
    if (markerLatitude && markerLongitude) {
        return ReadLinkValue(LatitudeAndLongitude(*markerLatitude, *markerLongitude));
    }
    const auto pinLatitude = NumberAfter(path, L"!3d");
    const auto pinLongitude = NumberAfter(path, L"!4d");
    if (pinLatitude && pinLongitude) {
        return ReadLinkValue(LatitudeAndLongitude(*pinLatitude, *pinLongitude));
    }
    // A search for a place name leaves the position to the map service;
    // where the link also gives one (Apple's ll beside its label q), that is it.
    bool placeName = false;
    for (const std::wstring_view key : {L"q", L"query", L"ll"}) {
        if (const auto value = Parameter(query, key); value && !value->empty()) {
            Reading reading = ReadLinkValue(*value);
            placeName = reading.result.kind == PositionText::Kind::Refused &&
                        reading.result.refusal == TextRefusal::NeedsOnlineService;
            if (!placeName) {
                return reading;
            }
        }
    }
    if (placeName) {
        return Refuse(TextRefusal::NeedsOnlineService);
    }
    if (geo) {
        // geo:LAT,LON[,ALTITUDE][;PARAMETERS]
        const std::wstring_view coordinates =
            path.substr(0, std::min(path.find(L';'), path.size()));
        const std::size_t comma = coordinates.find(L',');
        const std::size_t altitude =
            std::min(coordinates.find(L',', comma + 1), coordinates.size());
        if (comma == std::wstring_view::npos) {
            return Refuse(TextRefusal::LinkWithoutPosition);
        }
        return ReadLinkValue(LatitudeAndLongitude(
            coordinates.substr(0, comma), coordinates.substr(comma + 1, altitude - comma - 1)));
    }
    // The view: ".../@53.5501,9.9937,15z" and "#map=15/53.5501/9.9937".
    if (const std::size_t at = path.find(L'@'); at != std::wstring_view::npos) {
        const std::wstring_view view = path.substr(at + 1);
        const std::size_t comma = view.find(L',');
        const std::size_t end = std::min(view.find_first_of(L",/", comma + 1), view.size());
        if (comma != std::wstring_view::npos) {
            return ReadLinkValue(LatitudeAndLongitude(view.substr(0, comma),
                                                      view.substr(comma + 1, end - comma - 1)));
        }
    }
    if (const auto map = Parameter(fragment, L"map")) {
        const std::size_t first = map->find(L'/');
        const std::size_t second = map->find(L'/', first + 1);
        if (first != std::wstring::npos && second != std::wstring::npos) {
            return ReadLinkValue(LatitudeAndLongitude(map->substr(first + 1, second - first - 1),
                                                      map->substr(second + 1)));
        }
    }
    return Refuse(TextRefusal::LinkWithoutPosition);
}

// "///index.home.raft" and "index.home.raft": a place that only its
// service knows.
bool IsThreeWordAddress(std::wstring_view text) {
    if (StartsWith(text, L"///")) {
        text.remove_prefix(3);
    }
    int words = 0;
    bool inWord = false;
    for (const wchar_t c : text) {
        if (IsLetter(c)) {
            words += inWord ? 0 : 1;
            inWord = true;
        } else if (c == L'.' && inWord) {
            inWord = false;
        } else {
            return false;
        }
    }
    return words == 3 && inWord;
}

std::wstring_view Trimmed(std::wstring_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? text.substr(first - text.begin(), last - first) : std::wstring_view();
}

}  // namespace

PositionText ReadPositionText(std::wstring_view text, EntryFields& fields) {
    text = Trimmed(text);
    // "(53.5501, 9.9937)", as some programs copy a pair.
    if (text.size() >= 2 && ((text.front() == L'(' && text.back() == L')') ||
                             (text.front() == L'[' && text.back() == L']'))) {
        text = Trimmed(text.substr(1, text.size() - 2));
    }
    Reading reading;
    if (IsThreeWordAddress(text)) {
        reading = Refuse(TextRefusal::NeedsOnlineService);
    } else if (auto link = ReadLink(text)) {
        reading = *link;
    } else if (HasDigit(text)) {
        reading = ReadPlain(text);
    }
    if (reading.result.kind == PositionText::Kind::Position) {
        const EntryFields& read = reading.fields;
        if (reading.result.format == UTM) {
            fields.zone = read.zone;
            fields.sign[kLatitude] = read.sign[kLatitude];
            fields.utm = read.utm;
        } else {
            fields.sign = read.sign;
            fields.degrees = read.degrees;
            if (reading.result.format != Deg) {
                fields.minutes = read.minutes;
            }
            if (reading.result.format == DegMinSec) {
                fields.seconds = read.seconds;
            }
        }
    }
    return reading.result;
}

namespace {

const char* const kRefusalMessages[kTextRefusalCount][2] = {
    {"Der Text sieht wie eine Position aus, aber es ist nicht eindeutig, welche Zahl was ist.",
     "The text looks like a position, but which number is what cannot be told for sure."},
    {"Minuten und Sekunden m\xFCssen unter 60 liegen.", "Minutes and seconds must be below 60."},
    {"Minuszeichen und Halbkugel-Buchstabe zugleich: Es ist nicht klar, welche Halbkugel gemeint "
     "ist.",
     "A minus sign and a hemisphere letter together: which hemisphere is meant cannot be told."},
    {"Der Text nennt zwei Breiten.", "The text gives two latitudes."},
    {"Der Text nennt zwei L\xE4ngen.", "The text gives two longitudes."},
    {"Der erste Wert liegt \xFC"
     "ber 90, der zweite nicht: Das sieht nach L\xE4nge, Breite aus. Bitte die Breite zuerst "
     "angeben oder N/S und O/W dazuschreiben.",
     "The first value is above 90 and the second is not: this looks like longitude, latitude. "
     "Please give the latitude first, or add N/S and E/W."},
    {"Eine Breite darf nicht \xFC"
     "ber 90 Grad liegen.",
     "A latitude must not be above 90 degrees."},
    {"Eine L\xE4nge darf nicht \xFC"
     "ber 180 Grad liegen.",
     "A longitude must not be above 180 degrees."},
    {"Der Text nennt nur eine Koordinate; eine Position braucht Breite und L\xE4nge.",
     "The text gives only one coordinate; a position needs a latitude and a longitude."},
    {"Der Text enth\xE4lt mehr als eine Position.", "The text holds more than one position."},
    {"Zahlen mit Exponent werden nicht genommen.", "Numbers with an exponent are not taken."},
    {"S nach der UTM-Zone kann das Breitenband S (Nordhalbkugel) oder die S\xFC"
     "dhalbkugel sein. Bitte das Band oder \"Nord\"/\"S\xFC"
     "d\" angeben.",
     "S after a UTM zone can be the latitude band S (northern hemisphere) or the southern "
     "hemisphere. Please give the band, or \"north\" or \"south\"."},
    {"Die UTM-Position liegt nicht in ihrem Breitenband.",
     "The UTM position does not lie in its latitude band."},
    {"Die Gitterposition kann nicht umgerechnet werden: Der Ostwert muss zwischen 100000 und "
     "900000 liegen, der Nordwert zwischen 0 und 10000000.",
     "The grid position cannot be converted: the easting must lie between 100000 and 900000, "
     "the northing between 0 and 10000000."},
    {"Nur MGRS-Angaben im UTM-Gebiet (80 Grad S\xFC"
     "d bis 84 Grad Nord) werden genommen.",
     "Only grid references inside the UTM area (80 degrees south to 84 degrees north) are "
     "taken."},
    {"Ein Kurzlink, ein Ortsname oder eine Drei-Wort-Adresse enth\xE4lt keine Position; dazu "
     "br\xE4uchte es einen Online-Dienst. Bitte die Koordinaten kopieren.",
     "A short link, a place name or a three-word address holds no position; it needs an online "
     "service. Please copy the coordinates instead."},
    {"Der Link enth\xE4lt keine Position.", "The link holds no position."},
};

}  // namespace

const char* TextRefusalMessage(TextRefusal refusal, int language) {
    return kRefusalMessages[static_cast<int>(refusal)][language == 0 ? 0 : 1];
}

const char* const SquareCentreMessages[2] = {
    "Die MGRS-Angabe nennt ein Quadrat von %d m Seitenl\xE4nge; genommen ist seine Mitte.",
    "The MGRS reference names a square of %d m a side; its centre is taken.",
};

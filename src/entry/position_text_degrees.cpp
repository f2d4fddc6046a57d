// SPDX-License-Identifier: MIT
#include "entry/position_text_degrees.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace PositionTextParts {

namespace {

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

}  // namespace

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

}  // namespace PositionTextParts

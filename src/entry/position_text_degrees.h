// SPDX-License-Identifier: MIT
// Degrees, with or without minutes and seconds: the tokens of a text split
// into a latitude and a longitude, and read into the fields of the format
// they are written in.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "entry/position_text_parts.h"
#include "entry/position_text_tokens.h"

namespace PositionTextParts {

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

// Splits the tokens into coordinates. Hemisphere letters come all before or
// all after their values, as the text's first letter or value shows; labels
// and degree marks start a coordinate, separators end one.
std::optional<std::vector<Coordinate>> SplitCoordinates(const std::vector<Token>& tokens);

// Text of numbers alone ("53.5501 9.9937", "53 33.006 9 59.622"): half are
// the latitude's, half the longitude's.
std::optional<std::vector<Coordinate>> SplitBareNumbers(const std::vector<Token>& tokens,
                                                        std::size_t count);

// Two coordinates as one position, or why they are not one.
Reading ReadDegrees(const std::vector<Coordinate>& coordinates);

}  // namespace PositionTextParts

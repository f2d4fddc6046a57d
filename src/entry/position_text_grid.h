// SPDX-License-Identifier: MIT
// Grid positions: UTM with a band letter or a hemisphere word, and MGRS
// references, read from the tokens of a text and checked against the band
// they name with UTM as it is set now.
#pragma once

#include <optional>
#include <vector>

#include "entry/position_text_parts.h"
#include "entry/position_text_tokens.h"

namespace PositionTextParts {

// The zone ("UTM" or "zone" may come first), its band letter or hemisphere
// word and the rest of the tokens as a grid position; none for tokens that
// do not read as one.
std::optional<Reading> ReadGrid(const std::vector<Token>& tokens);

}  // namespace PositionTextParts

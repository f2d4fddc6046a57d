// SPDX-License-Identifier: MIT
// Plain text, not a link: a grid position, or a latitude and a longitude in
// degrees, written once or in several forms of one place.
#pragma once

#include <string_view>

#include "entry/position_text_parts.h"

namespace PositionTextParts {

Reading ReadPlain(std::wstring_view text);

}  // namespace PositionTextParts

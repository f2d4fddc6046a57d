// SPDX-License-Identifier: MIT
// Links: geo: URIs and the links of web maps, read for the position they
// hold; short links, place names and three-word addresses, which only an
// online service can turn into a position, are refused.
#pragma once

#include <optional>
#include <string_view>

#include "entry/position_text_parts.h"

namespace PositionTextParts {

// The position a link holds, or why it holds none; none for a text that is
// not a link.
std::optional<Reading> ReadLink(std::wstring_view text);

// "///index.home.raft" and "index.home.raft": a place that only its
// service knows.
bool IsThreeWordAddress(std::wstring_view text);

}  // namespace PositionTextParts

// SPDX-License-Identifier: MIT
// The "text" format of convert, route and append: a position as people copy
// it (a web map's, a cache listing's, a link, a grid reference), the whole
// text as one argument, read as the entry form reads a paste.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/position_engine.h"
#include "entry/entry_fields.h"

struct TextArgument {
    CoordFormat format = Deg;  // the format the text is written in
    EntryFields fields;
    std::string note;  // what the reading took that the user should know; empty for nothing
};

// The text's position, or in refusal why it is none (in English).
std::optional<TextArgument> ReadTextArgument(std::string_view text, std::string& refusal);

// SPDX-License-Identifier: MIT
// The bytes a route file holds after text is appended to it, as the device's
// text-mode stream writes them. It knows nothing of files, so every way of
// putting the result on a card shares it.
#pragma once

#include <string>
#include <string_view>

// Each '\n' of text becomes the file's own line ending: that of its last
// line, CR LF for a new or empty file; a last line without a break gets one
// first, so the new text never glues to it.
std::string ContentWithText(std::string content, std::string_view text);

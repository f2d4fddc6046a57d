// SPDX-License-Identifier: MIT
// What an append adds to a route file's content, line endings included; the
// same on every system, whichever way the file is then replaced.
#pragma once

#include <string>
#include <string_view>

// The content with text appended as a text-mode stream would write it: each
// '\n' becomes the file's own line ending.
std::string WithText(std::string content, std::string_view text);

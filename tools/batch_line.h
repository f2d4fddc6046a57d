// SPDX-License-Identifier: MIT
// Splits one batch line into its fields: separated by blanks or tabs, and a
// field that starts with a double quote runs to the next double quote, so
// that a name can hold blanks. There is no escape inside quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Fills `fields` with views into `line`; on a malformed line returns false
// and says why in `error`.
bool SplitBatchLine(std::string_view line, std::vector<std::string_view>& fields,
                    std::string& error);

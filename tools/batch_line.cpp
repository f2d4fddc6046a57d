// SPDX-License-Identifier: MIT
#include "batch_line.h"

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool SplitBatchLine(std::string_view line, std::vector<std::string_view>& fields,
                    std::string& error) {
    fields.clear();
    std::size_t at = 0;
    while (true) {
        while (at < line.size() && IsSeparator(line[at])) {
            ++at;
        }
        if (at == line.size()) {
            return true;
        }
        if (line[at] == '"') {
            const std::size_t close = line.find('"', at + 1);
            if (close == std::string_view::npos) {
                error = "missing closing double quote";
                return false;
            }
            if (close + 1 < line.size() && !IsSeparator(line[close + 1])) {
                error = "blank or tab expected after closing double quote";
                return false;
            }
            fields.push_back(line.substr(at + 1, close - at - 1));
            at = close + 1;
        } else {
            const std::size_t start = at;
            while (at < line.size() && !IsSeparator(line[at])) {
                ++at;
            }
            fields.push_back(line.substr(start, at - start));
        }
    }
}

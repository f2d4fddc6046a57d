// SPDX-License-Identifier: MIT
#include "route/line_endings.h"

// The device's runtime ends text lines in CR LF; a file whose last line break
// is a bare LF was written elsewhere and keeps its style.
std::string WithText(std::string content, std::string_view text) {
    std::string_view style = "\r\n";
    const size_t lastBreak = content.rfind('\n');
    if (lastBreak != std::string::npos && (lastBreak == 0 || content[lastBreak - 1] != '\r')) {
        style = "\n";
    }
    if (!content.empty() && content.back() != '\n') {
        content += style;
    }
    for (const char c : text) {
        if (c == '\n') {
            content += style;
        } else {
            content += c;
        }
    }
    return content;
}

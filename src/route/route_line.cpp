// SPDX-License-Identifier: MIT
#include "route/route_line.h"

#include "route/route_point.h"
#include "services/code_page.h"

namespace {

bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

}  // namespace

std::optional<std::string> FormatRouteLine(const CString& name, double latitude, double longitude) {
    if (!IsSoundPosition(latitude, longitude)) {
        return std::nullopt;
    }
    std::wstring oneLine = name.str();
    for (wchar_t& c : oneLine) {
        if (IsControl(c)) {
            c = L' ';
        }
    }
    CString line;
    if (!line.Format(L"[%s||][0][10]|%f,%f||%f|%f|\n", oneLine.c_str(), longitude, latitude,
                     longitude, latitude)) {
        return std::nullopt;
    }
    return ToAnsiCodePage(line.str());
}

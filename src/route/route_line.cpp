// SPDX-License-Identifier: MIT
#include "route/route_line.h"

#include <charconv>

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

namespace {

// The text between the name and the end of a line: the longitude, then the
// latitude, each written twice.
constexpr std::string_view kAfterName = "||][0][10]|";

std::optional<double> ReadNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<RoutePoint> ReadRouteLine(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
    }
    // The numbers hold neither bars nor brackets, so the last marker ends the
    // name, whatever the name holds.
    const std::size_t marker = line.rfind(kAfterName);
    if (!line.starts_with('[') || marker == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view numbers = line.substr(marker + kAfterName.size());
    const std::size_t comma = numbers.find(',');
    const std::size_t bars = numbers.find("||");
    if (comma == std::string_view::npos || bars == std::string_view::npos || bars < comma) {
        return std::nullopt;
    }
    const std::optional<double> longitude = ReadNumber(numbers.substr(0, comma));
    const std::optional<double> latitude = ReadNumber(numbers.substr(comma + 1, bars - comma - 1));
    if (!longitude || !latitude) {
        return std::nullopt;
    }
    RoutePoint point{CString(FromAnsiCodePage(line.substr(1, marker - 1))), *latitude, *longitude};
    // Writing the point again must give the line back byte for byte: that
    // checks the repeated pair, the six decimals and a name with nothing the
    // writer would have changed, in one place.
    const std::optional<std::string> again =
        FormatRouteLine(point.name, point.latitude, point.longitude);
    if (!again || std::string_view(*again).substr(0, again->size() - 1) != line) {
        return std::nullopt;
    }
    return point;
}

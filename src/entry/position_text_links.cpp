// SPDX-License-Identifier: MIT
#include "entry/position_text_links.h"

#include <algorithm>
#include <string>

#include "entry/position_text_plain.h"
#include "entry/position_text_tokens.h"

namespace PositionTextParts {

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

int HexValue(wchar_t c) {
    if (IsDigit(c)) {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// A link's value with its %XX escapes (UTF-8) and its '+' for a blank undone.
std::wstring Unescaped(std::wstring_view value) {
    std::string bytes;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == L'%' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 &&
            HexValue(value[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
            i += 2;
        } else if (value[i] == L'+') {
            bytes += ' ';
        } else if (value[i] < 0x80) {
            bytes += static_cast<char>(value[i]);
        } else {
            bytes += '?';
        }
    }
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const int length = byte < 0x80    ? 1
                           : byte >= 0xF0 ? 4
                           : byte >= 0xE0 ? 3
                           : byte >= 0xC0 ? 2
                                          : 1;
        unsigned long code = length == 1 ? byte : byte & (0x3F >> (length - 1));
        bool valid = i + length <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        text += valid && code <= 0xFFFF ? static_cast<wchar_t>(code) : L'?';
        i += valid ? length : 1;
    }
    return text;
}

// The value of key=... among the '&'-separated pairs of a query or fragment.
std::optional<std::wstring> Parameter(std::wstring_view pairs, std::wstring_view key) {
    std::size_t start = 0;
    while (start < pairs.size()) {
        const std::size_t end = std::min(pairs.find(L'&', start), pairs.size());
        const std::wstring_view pair = pairs.substr(start, end - start);
        if (pair.size() > key.size() && pair[key.size()] == L'=' &&
            Lowered(pair.substr(0, key.size())) == key) {
            return Unescaped(pair.substr(key.size() + 1));
        }
        start = end + 1;
    }
    return std::nullopt;
}

// The number that follows a marker in a link ("!3d53.5501").
std::optional<std::wstring> NumberAfter(std::wstring_view text, std::wstring_view marker) {
    const std::size_t at = text.find(marker);
    if (at == std::wstring_view::npos) {
        return std::nullopt;
    }
    std::size_t end = at + marker.size();
    while (end < text.size() && (IsDigit(text[end]) || text[end] == L'.' || text[end] == L'-')) {
        ++end;
    }
    return std::wstring(text.substr(at + marker.size(), end - at - marker.size()));
}

std::wstring LatitudeAndLongitude(std::wstring_view latitude, std::wstring_view longitude) {
    return L"lat " + std::wstring(latitude) + L" lon " + std::wstring(longitude);
}

// Links that only a web service can turn into a position.
constexpr std::wstring_view kShortLinkHosts[] = {
    L"goo.gl", L"g.co", L"bit.ly", L"tinyurl.com", L"t.co", L"w3w.co", L"what3words.com"};

bool IsShortLink(std::wstring_view host, std::wstring_view path) {
    for (const std::wstring_view shortHost : kShortLinkHosts) {
        if (host == shortHost || (host.size() > shortHost.size() &&
                                  host.substr(host.size() - shortHost.size()) == shortHost &&
                                  host[host.size() - shortHost.size() - 1] == L'.')) {
            return true;
        }
    }
    // openstreetmap.org/go/... and osm.org/go/...
    const bool osm = host == L"osm.org" || host.ends_with(L"openstreetmap.org");
    return osm && StartsWith(path, L"/go/");
}

Reading ReadLinkValue(const std::wstring& value) {
    std::wstring text = value;
    // A label in brackets after the position: "geo:0,0?q=53.5,9.9(Hafen)".
    if (const std::size_t bracket = text.find(L'('); bracket != std::wstring::npos) {
        text.erase(bracket);
    }
    Reading reading = ReadPlain(text);
    if (reading.result.kind == PositionText::Kind::NotAPosition) {
        return Refuse(TextRefusal::NeedsOnlineService);  // a place name or an address
    }
    return reading;
}

}  // namespace

std::optional<Reading> ReadLink(std::wstring_view text) {
    const std::wstring lowered = Lowered(text);
    const bool geo = StartsWith(lowered, L"geo:");
    std::size_t hostAt = 0;
    if (const std::size_t scheme = lowered.find(L"://");
        scheme != std::wstring::npos && (StartsWith(lowered, L"http") || scheme < 10)) {
        hostAt = scheme + 3;
    } else if (!geo && !StartsWith(lowered, L"www.")) {
        return std::nullopt;
    }
    if (std::any_of(text.begin(), text.end(), IsBlank)) {
        return std::nullopt;  // a link holds no blanks
    }
    const std::size_t queryAt = std::min(text.find(L'?'), text.size());
    const std::size_t fragmentAt = std::min(text.find(L'#'), text.size());
    const std::size_t pathEnd = std::min(queryAt, fragmentAt);
    const std::size_t pathAt = geo ? 4 : std::min(text.find(L'/', hostAt), pathEnd);
    const std::wstring_view host = std::wstring_view(lowered).substr(hostAt, pathAt - hostAt);
    const std::wstring_view path = text.substr(pathAt, pathEnd - pathAt);
    const std::wstring_view query = queryAt < fragmentAt
                                        ? text.substr(queryAt + 1, fragmentAt - queryAt - 1)
                                        : std::wstring_view();
    const std::wstring_view fragment =
        fragmentAt < text.size() ? text.substr(fragmentAt + 1) : std::wstring_view();
    if (!geo && IsShortLink(host, path)) {
        return Refuse(TextRefusal::NeedsOnlineService);
    }
    // The marker a map link sets beats the view it opens with.
    const auto markerLatitude = Parameter(query, L"mlat");
    const auto markerLongitude = Parameter(query, L"mlon");
    if (markerLatitude && markerLongitude) {
        return ReadLinkValue(LatitudeAndLongitude(*markerLatitude, *markerLongitude));
    }
    const auto pinLatitude = NumberAfter(path, L"!3d");
    const auto pinLongitude = NumberAfter(path, L"!4d");
    if (pinLatitude && pinLongitude) {
        return ReadLinkValue(LatitudeAndLongitude(*pinLatitude, *pinLongitude));
    }
    // A search for a place name leaves the position to the map service;
    // where the link also gives one (Apple's ll beside its label q), that is it.
    bool placeName = false;
    for (const std::wstring_view key : {L"q", L"query", L"ll"}) {
        if (const auto value = Parameter(query, key); value && !value->empty()) {
            Reading reading = ReadLinkValue(*value);
            placeName = reading.result.kind == PositionText::Kind::Refused &&
                        reading.result.refusal == TextRefusal::NeedsOnlineService;
            if (!placeName) {
                return reading;
            }
        }
    }
    if (placeName) {
        return Refuse(TextRefusal::NeedsOnlineService);
    }
    if (geo) {
        // geo:LAT,LON[,ALTITUDE][;PARAMETERS]
        const std::wstring_view coordinates =
            path.substr(0, std::min(path.find(L';'), path.size()));
        const std::size_t comma = coordinates.find(L',');
        const std::size_t altitude =
            std::min(coordinates.find(L',', comma + 1), coordinates.size());
        if (comma == std::wstring_view::npos) {
            return Refuse(TextRefusal::LinkWithoutPosition);
        }
        return ReadLinkValue(LatitudeAndLongitude(
            coordinates.substr(0, comma), coordinates.substr(comma + 1, altitude - comma - 1)));
    }
    // The view: ".../@53.5501,9.9937,15z" and "#map=15/53.5501/9.9937".
    if (const std::size_t at = path.find(L'@'); at != std::wstring_view::npos) {
        const std::wstring_view view = path.substr(at + 1);
        const std::size_t comma = view.find(L',');
        const std::size_t end = std::min(view.find_first_of(L",/", comma + 1), view.size());
        if (comma != std::wstring_view::npos) {
            return ReadLinkValue(LatitudeAndLongitude(view.substr(0, comma),
                                                      view.substr(comma + 1, end - comma - 1)));
        }
    }
    if (const auto map = Parameter(fragment, L"map")) {
        const std::size_t first = map->find(L'/');
        const std::size_t second = map->find(L'/', first + 1);
        if (first != std::wstring::npos && second != std::wstring::npos) {
            return ReadLinkValue(LatitudeAndLongitude(map->substr(first + 1, second - first - 1),
                                                      map->substr(second + 1)));
        }
    }
    return Refuse(TextRefusal::LinkWithoutPosition);
}

bool IsThreeWordAddress(std::wstring_view text) {
    if (StartsWith(text, L"///")) {
        text.remove_prefix(3);
    }
    int words = 0;
    bool inWord = false;
    for (const wchar_t c : text) {
        if (IsLetter(c)) {
            words += inWord ? 0 : 1;
            inWord = true;
        } else if (c == L'.' && inWord) {
            inWord = false;
        } else {
            return false;
        }
    }
    return words == 3 && inWord;
}

}  // namespace PositionTextParts

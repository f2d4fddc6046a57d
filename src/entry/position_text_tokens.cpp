// SPDX-License-Identifier: MIT
#include "entry/position_text_tokens.h"

#include <algorithm>
#include <limits>

#include "services/numbers.h"

namespace PositionTextParts {

namespace {

wchar_t Lower(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<wchar_t>(c + 0x20);
    }
    return c;
}

// --- What the marks and words of a position mean

// The marks as people type them; a pair of minute marks is a second mark, so
// the pairs come first.
struct MarkSpelling {
    std::wstring_view text;
    Level level;
};
constexpr MarkSpelling kMarks[] = {
    {L"''", kSeconds},
    {L"\u2019\u2019", kSeconds},
    {L"\u2032\u2032", kSeconds},
    {L"\u00B4\u00B4", kSeconds},
    {L"\"", kSeconds},
    {L"\u2033", kSeconds},
    {L"\u201D", kSeconds},
    {L"\u201C", kSeconds},
    {L"\u00B0", kDegrees},
    {L"\u00BA", kDegrees},
    {L"\u02DA", kDegrees},
    {L"'", kMinutes},
    {L"\u2032", kMinutes},
    {L"\u2019", kMinutes},
    {L"\u00B4", kMinutes},
    {L"\u2018", kMinutes},
    {L"`", kMinutes},
};

struct WordMeaning {
    std::wstring_view word;  // lower case
    Role role;
};
constexpr WordMeaning kWords[] = {
    {L"lat", Role::LatitudeLabel},
    {L"latitude", Role::LatitudeLabel},
    {L"breite", Role::LatitudeLabel},
    {L"br", Role::LatitudeLabel},
    {L"lon", Role::LongitudeLabel},
    {L"lng", Role::LongitudeLabel},
    {L"long", Role::LongitudeLabel},
    {L"longitude", Role::LongitudeLabel},
    {L"l\u00E4nge", Role::LongitudeLabel},
    {L"laenge", Role::LongitudeLabel},
    {L"n", Role::North},
    {L"north", Role::North},
    {L"nord", Role::North},
    {L"norden", Role::North},
    {L"n\u00F6rdlich", Role::North},
    {L"n\u00F6rdlicher", Role::North},
    {L"n\u00F6rdl", Role::North},
    {L"s", Role::South},
    {L"south", Role::South},
    {L"s\u00FCd", Role::South},
    {L"sued", Role::South},
    {L"s\u00FCden", Role::South},
    {L"s\u00FCdlich", Role::South},
    {L"s\u00FCdlicher", Role::South},
    {L"s\u00FCdl", Role::South},
    {L"e", Role::East},
    {L"east", Role::East},
    {L"o", Role::East},  // Ost
    {L"ost", Role::East},
    {L"osten", Role::East},
    {L"\u00F6stlich", Role::East},
    {L"\u00F6stlicher", Role::East},
    {L"\u00F6stl", Role::East},
    {L"w", Role::West},
    {L"west", Role::West},
    {L"westen", Role::West},
    {L"westlich", Role::West},
    {L"westlicher", Role::West},
    {L"westl", Role::West},
    {L"d", Role::DegreeMark},
    {L"deg", Role::DegreeMark},
    {L"utm", Role::Utm},
    {L"zone", Role::Utm},
    {L"me", Role::EastingLabel},
    {L"easting", Role::EastingLabel},
    {L"rechtswert", Role::EastingLabel},
    {L"ostwert", Role::EastingLabel},
    {L"mn", Role::NorthingLabel},
    {L"northing", Role::NorthingLabel},
    {L"hochwert", Role::NorthingLabel},
    {L"nordwert", Role::NorthingLabel},
    {L"m", Role::Metres},
};

std::optional<Level> MarkAt(std::wstring_view text, std::size_t at, std::size_t& length) {
    for (const MarkSpelling& mark : kMarks) {
        if (text.substr(at, mark.text.size()) == mark.text) {
            length = mark.text.size();
            return mark.level;
        }
    }
    return std::nullopt;
}

}  // namespace

// --- Characters

bool IsBlank(wchar_t c) {
    // Web pages put no-break, thin and zero-width spaces between the parts.
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0xA0 || (c >= 0x2000 && c <= 0x200D) ||
           c == 0x202F || c == 0x205F || c == 0x2060 || c == 0x3000 || c == 0xFEFF;
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsLetter(wchar_t c) {
    const bool latin = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                       (c >= 0xC0 && c < 0x2000 && c != 0xD7 && c != 0xF7);
    return latin || (c >= 0x3040 && !IsBlank(c));
}

std::wstring Lowered(std::wstring_view text) {
    std::wstring lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
    return lowered;
}

std::optional<Role> RoleOf(std::wstring_view word) {
    for (const WordMeaning& meaning : kWords) {
        if (meaning.word == word) {
            return meaning.role;
        }
    }
    return std::nullopt;
}

// --- Tokens

Tokens Tokenize(std::wstring_view text) {
    bool decimalPoint = false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        decimalPoint =
            decimalPoint || (text[i] == L'.' && IsDigit(text[i - 1]) && IsDigit(text[i + 1]));
    }
    Tokens tokens;
    bool blank = true;
    std::size_t at = 0;
    while (at < text.size()) {
        const wchar_t c = text[at];
        Token token{Token::Kind::Other, {}, blank};
        blank = false;
        std::size_t markLength = 0;
        if (IsBlank(c)) {
            blank = true;
            ++at;
            continue;
        }
        if (IsDigit(c)) {
            token.kind = Token::Kind::Number;
            while (at < text.size()) {
                const wchar_t d = text[at];
                const bool separator = d == L'.' || (d == L',' && !decimalPoint);
                if (IsDigit(d)) {
                    token.text += d;
                    token.decimals += token.decimals >= 0 ? 1 : 0;
                } else if (separator && at + 1 < text.size() && IsDigit(text[at + 1])) {
                    if (token.decimals >= 0) {
                        // "53,5,10": a second decimal separator in one number.
                        tokens.twoDecimalSeparators = true;
                        break;
                    }
                    token.text += L'.';
                    token.decimals = 0;
                } else {
                    break;
                }
                ++at;
            }
            // An exponent: a letter e right after the digits, then digits or a signed digit.
            if (at + 1 < text.size() && (text[at] == L'e' || text[at] == L'E')) {
                const std::size_t next =
                    text[at + 1] == L'+' || text[at + 1] == L'-' ? at + 2 : at + 1;
                tokens.exponent = tokens.exponent || (next < text.size() && IsDigit(text[next]));
            }
        } else if (c == L'-' || c == L'+' || c == 0x2212) {
            token.kind = Token::Kind::Sign;
            token.negative = c != L'+';
            ++at;
        } else if (const auto level = MarkAt(text, at, markLength)) {
            token.kind = Token::Kind::Mark;
            token.level = *level;
            at += markLength;
        } else if (IsLetter(c)) {
            token.kind = Token::Kind::Word;
            while (at < text.size() && IsLetter(text[at])) {
                token.text += Lower(text[at++]);
            }
            // An abbreviation's point: "Br.", "n\u00F6rdl."
            if (at < text.size() && text[at] == L'.' &&
                (at + 1 == text.size() || !IsDigit(text[at + 1]))) {
                ++at;
            }
        } else if (c == L',' || c == L';' || c == L'/') {
            token.kind = Token::Kind::Separator;
            token.text = c;
            ++at;
        } else if (c == L':' || c == L'=') {
            // "Lat: 53.5", "lat=53.5"
            blank = true;
            ++at;
            continue;
        } else {
            token.text = c;
            ++at;
        }
        tokens.list.push_back(std::move(token));
    }
    return tokens;
}

double ValueOf(const Token& number) {
    // The same reading as a number typed into a field of the form.
    return Numbers::ReadFormDecimal(number.text).value_or(std::numeric_limits<double>::infinity());
}

}  // namespace PositionTextParts

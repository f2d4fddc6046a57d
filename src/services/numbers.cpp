// SPDX-License-Identifier: MIT
#include "services/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cctype>
#include <cmath>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

size_t SkipDigits(std::wstring_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

size_t SkipSign(std::wstring_view text, size_t at) {
    return at < text.size() && (text[at] == L'+' || text[at] == L'-') ? at + 1 : at;
}

// Whether a number that from_chars finds out of range is too large rather
// than too small: the place of its leading digit, with its exponent, lies
// above the units (the range ends near 1e308 and 1e-324, far from one).
bool IsTooLarge(std::string_view text, bool hex) {
    const auto isDigit = [hex](char c) {
        return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    };
    long long place = 0;  // of the leading non-zero digit, in digits
    bool leading = false;
    bool afterPoint = false;
    size_t at = 0;
    for (; at < text.size() && (isDigit(text[at]) || text[at] == '.'); ++at) {
        if (text[at] == '.') {
            afterPoint = true;
        } else if (leading && !afterPoint) {
            ++place;
        } else if (!leading && text[at] != '0') {
            leading = true;
            place -= afterPoint ? 1 : 0;
        } else if (!leading && afterPoint) {
            --place;
        }
    }
    long long exponent = 0;
    if (at + 1 < text.size()) {
        size_t digit = at + 1;
        const bool negative = text[digit] == '-';
        digit += (text[digit] == '-' || text[digit] == '+') ? 1 : 0;
        for (; digit < text.size() && exponent < 1000000000; ++digit) {
            exponent = exponent * 10 + (text[digit] - '0');
        }
        exponent = negative ? -exponent : exponent;
    }
    return (hex ? 4 * place : place) + exponent > 0;
}

// The whole field as strtod reads it in the "C" locale, or nothing.
std::optional<double> ReadWholeField(std::string_view field) {
    if (field.empty()) {
        return std::nullopt;
    }
    // from_chars takes neither a plus sign nor the 0x of a hex float.
    const bool negative = field.front() == '-';
    if (negative || field.front() == '+') {
        field.remove_prefix(1);
    }
    const bool hex = field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X') &&
                     (std::isxdigit(static_cast<unsigned char>(field[2])) || field[2] == '.');
    if (hex) {
        field.remove_prefix(2);
    }
    if (field.empty() || field.front() == '-' || field.front() == '+') {
        return std::nullopt;
    }
    double value = 0.0;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(
        field.data(), end, value, hex ? std::chars_format::hex : std::chars_format::general);
    if (stop != end || (error != std::errc{} && error != std::errc::result_out_of_range)) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        value = IsTooLarge(field, hex) ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

namespace Numbers {

std::optional<double> ReadFormDecimal(std::wstring_view typed) {
    const std::wstring_view text = Trimmed(typed);
    size_t at = SkipSign(text, 0);
    const size_t integerEnd = SkipDigits(text, at);
    size_t mantissaEnd = integerEnd;
    if (mantissaEnd < text.size() && text[mantissaEnd] == L'.') {
        mantissaEnd = SkipDigits(text, mantissaEnd + 1);
    }
    const size_t fractionDigits = mantissaEnd > integerEnd ? mantissaEnd - integerEnd - 1 : 0;
    if (integerEnd == at && fractionDigits == 0) {
        return std::nullopt;
    }
    at = mantissaEnd;
    if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
        const size_t exponentDigits = SkipSign(text, at + 1);
        at = SkipDigits(text, exponentDigits);
        if (at == exponentDigits) {
            return std::nullopt;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    const std::string narrow(text.begin(), text.end());  // only ASCII is left
    return ReadWholeField(narrow);
}

std::optional<int> ReadFormWholeNumber(std::wstring_view typed) {
    const std::wstring_view text = Trimmed(typed);
    const size_t digits = SkipSign(text, 0);
    if (digits == text.size() || SkipDigits(text, digits) != text.size()) {
        return std::nullopt;
    }
    const bool negative = text[0] == L'-';
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (size_t i = digits; i < text.size() && value <= limit; ++i) {
        value = value * 10 + (text[i] - L'0');
    }
    value = std::min(value, limit);
    return static_cast<int>(negative ? -value : value);
}

std::optional<double> ReadCDecimal(std::string_view field) {
    // strtod would skip leading white space; a field that has some is not a number.
    if (field.empty() || IsCSpace(field.front())) {
        return std::nullopt;
    }
    return ReadWholeField(field);
}

std::optional<std::int32_t> ReadWholeNumber(std::string_view field) {
    // from_chars takes a minus sign only.
    if (field.size() > 1 && field.front() == '+' && field[1] != '-') {
        field.remove_prefix(1);
    }
    std::int32_t value = 0;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string WriteFixed(double value, int decimals) {
    // Room for the 309 digits of the largest double before the point.
    char digits[400];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals)
            .ptr;
    return std::string(digits, end);
}

std::string WriteScientific(double value, int decimals) {
    char digits[400];
    const auto end = std::to_chars(digits, digits + sizeof digits, value,
                                   std::chars_format::scientific, decimals)
                         .ptr;
    return std::string(digits, end);
}

std::string WriteGeneral(double value, int significantDigits) {
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                   significantDigits)
                         .ptr;
    return std::string(text, end);
}

}  // namespace Numbers

#include "services/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>

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

// strtod_l needs a terminated string; fields are views into a longer line.
double ReadTerminated(std::string_view field, const char** stop) {
    char small[128];
    std::string large;
    const char* text = small;
    if (field.size() < sizeof small) {
        std::memcpy(small, field.data(), field.size());
        small[field.size()] = '\0';
    } else {
        large.assign(field);
        text = large.c_str();
    }
    char* end = nullptr;
    const double value = strtod_l(text, &end, Numbers::CLocale());
    *stop = field.data() + (end - text);
    return value;
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
    return strtod_l(narrow.c_str(), nullptr, CLocale());
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
    const char* stop = nullptr;
    const double value = ReadTerminated(field, &stop);
    if (stop != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
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

std::string WriteGeneral(double value, int significantDigits) {
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                   significantDigits)
                         .ptr;
    return std::string(text, end);
}

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace Numbers

#include "number_field.h"

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view field) {
    // strtod would skip leading white space; a field that has some is not a number.
    if (field.empty() || IsCSpace(field.front())) {
        return std::nullopt;
    }
    // strtod needs a terminated string; fields are views into a longer line.
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
    const double value = strtod_l(text, &end, CLocale());
    if (end != text + field.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ParseWholeNumber(std::string_view field) {
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

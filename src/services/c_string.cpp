// SPDX-License-Identifier: MIT
#include "services/c_string.h"

#include <cmath>
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <string_view>

#include "services/numbers.h"

namespace {

// One conversion of a format, as printf reads it.
struct Conversion {
    std::wstring flags;
    int width = -1;
    int precision = -1;
    std::wstring length;
    wchar_t type = 0;
};

int ReadCount(const wchar_t*& p) {
    int count = 0;
    while (*p >= L'0' && *p <= L'9') {
        count = count < 100000 ? count * 10 + (*p - L'0') : count;
        ++p;
    }
    return count;
}

// Reads the conversion after a '%', taking '*' widths and precisions from
// the arguments. Returns false for one this formatter does not know.
bool ReadConversion(const wchar_t*& p, va_list& args, Conversion* conversion) {
    while (*p && wcschr(L"-+ 0", *p)) {
        conversion->flags += *p++;
    }
    if (*p == L'*') {
        ++p;
        conversion->width = va_arg(args, int);
        if (conversion->width < 0) {
            conversion->flags += L'-';
            conversion->width = -conversion->width;
        }
    } else if (*p >= L'0' && *p <= L'9') {
        conversion->width = ReadCount(p);
    }
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            ++p;
            conversion->precision = va_arg(args, int);
        } else {
            conversion->precision = ReadCount(p);
        }
    }
    while (*p == L'h' || *p == L'l') {
        conversion->length += *p++;
    }
    if (!*p || !wcschr(L"diouxXeEfFgGcsp", *p)) {
        return false;
    }
    conversion->type = *p++;
    return true;
}

void AppendPadded(std::wstring& out, std::wstring_view text, const Conversion& conversion) {
    const size_t width = conversion.width > 0 ? static_cast<size_t>(conversion.width) : 0;
    const size_t padding = width > text.size() ? width - text.size() : 0;
    if (conversion.flags.find(L'-') != std::wstring::npos) {
        out.append(text).append(padding, L' ');
    } else {
        out.append(padding, L' ').append(text);
    }
}

// A floating-point number as printf prints it in the "C" locale: to_chars is
// defined as exactly that, and never looks at the process's locale.
std::wstring FormatFloating(double value, const Conversion& conversion) {
    const wchar_t lower = static_cast<wchar_t>(std::towlower(conversion.type));
    const int precision = conversion.precision >= 0 ? conversion.precision : 6;
    const std::string digits = lower == L'f'   ? Numbers::WriteFixed(value, precision)
                               : lower == L'e' ? Numbers::WriteScientific(value, precision)
                                               : Numbers::WriteGeneral(value, precision);
    wchar_t sign = 0;
    std::string_view magnitude = digits;
    if (!magnitude.empty() && magnitude.front() == '-') {
        sign = L'-';
        magnitude.remove_prefix(1);
    } else if (conversion.flags.find(L'+') != std::wstring::npos) {
        sign = L'+';
    } else if (conversion.flags.find(L' ') != std::wstring::npos) {
        sign = L' ';
    }
    const bool finite = std::isfinite(value);
    const bool zeroPadded = finite && conversion.flags.find(L'0') != std::wstring::npos &&
                            conversion.flags.find(L'-') == std::wstring::npos;
    const size_t used = (sign ? 1 : 0) + magnitude.size();
    const size_t zeros =
        zeroPadded && conversion.width > 0 && static_cast<size_t>(conversion.width) > used
            ? conversion.width - used
            : 0;
    // Built in one piece: route files are written a hundred thousand lines
    // at a time.
    std::wstring text;
    text.reserve(used + zeros);
    if (sign) {
        text += sign;
    }
    text.append(zeros, L'0');
    const bool upper = conversion.type != lower;
    for (const char c : magnitude) {
        const auto wide = static_cast<wchar_t>(static_cast<unsigned char>(c));
        text += upper ? static_cast<wchar_t>(std::towupper(wide)) : wide;
    }
    return text;
}

// Integers and pointers print the same in every locale (no grouping is asked
// for), so the C library prints them, one at a time.
template <typename Value>
std::wstring FormatWithLibrary(const Conversion& conversion, const wchar_t* length, Value value) {
    std::wstring directive = L"%" + conversion.flags;
    if (conversion.width >= 0) {
        directive += std::to_wstring(conversion.width);
    }
    if (conversion.precision >= 0) {
        directive += L"." + std::to_wstring(conversion.precision);
    }
    directive += length;
    directive += conversion.type;
    wchar_t text[512];
    const int written = std::swprintf(text, sizeof text / sizeof *text, directive.c_str(), value);
    return written >= 0 ? std::wstring(text, written) : std::wstring();
}

std::wstring FormatInteger(const Conversion& conversion, va_list& args) {
    const std::wstring& length = conversion.length;
    const bool isSigned = conversion.type == L'd' || conversion.type == L'i';
    if (isSigned) {
        long long value;
        if (length == L"ll") {
            value = va_arg(args, long long);
        } else if (length == L"l") {
            value = va_arg(args, long);
        } else {
            const int promoted = va_arg(args, int);
            value = length == L"hh" ? static_cast<signed char>(promoted)
                    : length == L"h" ? static_cast<short>(promoted)
                                     : promoted;
        }
        return FormatWithLibrary(conversion, L"ll", value);
    }
    unsigned long long value;
    if (length == L"ll") {
        value = va_arg(args, unsigned long long);
    } else if (length == L"l") {
        value = va_arg(args, unsigned long);
    } else {
        const unsigned promoted = va_arg(args, unsigned);
        value = length == L"hh" ? static_cast<unsigned char>(promoted)
                : length == L"h" ? static_cast<unsigned short>(promoted)
                                 : promoted;
    }
    return FormatWithLibrary(conversion, L"ll", value);
}

// %s and %c take wide arguments, as on the device; %hs and %hc narrow ones.
std::wstring TextArgument(const Conversion& conversion, va_list& args) {
    const bool narrow = conversion.length == L"h";
    if (conversion.type == L'c') {
        const int code = va_arg(args, int);
        return std::wstring(1, narrow ? static_cast<wchar_t>(static_cast<unsigned char>(code))
                                      : static_cast<wchar_t>(code));
    }
    std::wstring text;
    if (narrow) {
        const char* bytes = va_arg(args, const char*);
        for (const char* c = bytes ? bytes : "(null)"; *c; ++c) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        }
    } else {
        const wchar_t* wide = va_arg(args, const wchar_t*);
        text = wide ? wide : L"(null)";
    }
    if (conversion.precision >= 0 && text.size() > static_cast<size_t>(conversion.precision)) {
        text.resize(conversion.precision);
    }
    return text;
}

bool FormatInto(std::wstring& out, const wchar_t* format, va_list& args) {
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        ++p;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        Conversion conversion;
        if (!ReadConversion(p, args, &conversion)) {
            return false;
        }
        switch (conversion.type) {
            case L's':
            case L'c':
                AppendPadded(out, TextArgument(conversion, args), conversion);
                break;
            case L'p':
                out += FormatWithLibrary(conversion, L"", va_arg(args, void*));
                break;
            case L'd':
            case L'i':
            case L'o':
            case L'u':
            case L'x':
            case L'X':
                out += FormatInteger(conversion, args);
                break;
            default:
                AppendPadded(out, FormatFloating(va_arg(args, double), conversion), conversion);
        }
        if (out.size() > (1u << 24)) {  // a format that can never fit
            return false;
        }
    }
    return true;
}

}  // namespace

bool CString::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring text;
    text.reserve(2 * std::wcslen(format));
    const bool formatted = FormatInto(text, format, args);
    va_end(args);
    m_text = formatted ? std::move(text) : std::wstring();
    return formatted;
}

#include "services/c_string.h"

#include <locale.h>
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "services/numbers.h"

namespace {

// glibc's wide printf reads %s and %c as narrow arguments; the device reads
// them as wide ones. Give every s/c conversion without a size modifier an 'l'.
std::wstring TranslateFormat(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        bool sized = false;
        while (*p && !wcschr(L"diouxXeEfFgGaAcspn", *p)) {
            if (*p == L'h' || *p == L'l' || *p == L'L' || *p == L'j' || *p == L'z' || *p == L't') {
                sized = true;
            }
            out += *p++;
        }
        if (!*p) {
            break;
        }
        if ((*p == L's' || *p == L'c') && !sized) {
            out += L'l';
        }
        out += *p++;
    }
    return out;
}

}  // namespace

bool CString::Format(const wchar_t* format, ...) {
    const std::wstring translated = TranslateFormat(format);
    const locale_t previous = uselocale(Numbers::CLocale());
    std::vector<wchar_t> buffer(256);
    bool formatted = false;
    for (;;) {
        va_list args;
        va_start(args, format);
        const int written = vswprintf(buffer.data(), buffer.size(), translated.c_str(), args);
        va_end(args);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size()) {
            m_text.assign(buffer.data(), written);
            formatted = true;
            break;
        }
        if (buffer.size() > (1u << 24)) {  // a format that can never fit
            m_text.clear();
            break;
        }
        buffer.resize(buffer.size() * 4);
    }
    uselocale(previous);
    return formatted;
}

// SPDX-License-Identifier: MIT
#include "services/code_page.h"

#include <cstring>
#include <cwchar>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five bytes it
// leaves undefined there map to the C1 control of the same value, as the
// device does, so every byte has a wide character and back.
// clang-format off
constexpr wchar_t kHighBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};
// clang-format on

wchar_t ByteToWide(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHighBlock[byte - 0x80] : byte;
}

// Returns false when Windows-1252 has no byte for the character.
bool WideToByte(wchar_t wide, char* byte) {
    if (wide < 0x80 || (wide >= 0xA0 && wide <= 0xFF)) {
        *byte = static_cast<char>(wide);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighBlock[i] == wide) {
            *byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool Supported(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_1252;
}

// Where wchar_t has 16 bits, a character beyond U+FFFF is a surrogate pair,
// which Windows-1252 lacks as one character: it becomes one replacement.
bool IsSurrogatePair(const wchar_t* wide, size_t at, size_t length) {
    return sizeof(wchar_t) == 2 && at + 1 < length && wide[at] >= 0xD800 && wide[at] <= 0xDBFF &&
           wide[at + 1] >= 0xDC00 && wide[at + 1] <= 0xDFFF;
}

}  // namespace

int WideCharToMultiByte(UINT codePage, DWORD, const wchar_t* wide, int wideLength, char* bytes,
                        int byteSize, const char* defaultChar, BOOL* usedDefaultChar) {
    if (!Supported(codePage) || wide == nullptr || byteSize < 0) {
        return 0;
    }
    const size_t length = wideLength < 0 ? wcslen(wide) + 1 : static_cast<size_t>(wideLength);
    size_t needed = 0;
    for (size_t i = 0; i < length; i += IsSurrogatePair(wide, i, length) ? 2 : 1) {
        ++needed;
    }
    if (usedDefaultChar) {
        *usedDefaultChar = FALSE;
    }
    if (byteSize == 0) {
        return static_cast<int>(needed);
    }
    if (needed > static_cast<size_t>(byteSize)) {
        return 0;
    }
    const char replacement = defaultChar ? *defaultChar : '?';
    for (size_t i = 0, out = 0; i < length; ++i, ++out) {
        const bool pair = IsSurrogatePair(wide, i, length);
        if (pair || !WideToByte(wide[i], &bytes[out])) {
            bytes[out] = replacement;
            i += pair ? 1 : 0;
            if (usedDefaultChar) {
                *usedDefaultChar = TRUE;
            }
        }
    }
    return static_cast<int>(needed);
}

int MultiByteToWideChar(UINT codePage, DWORD, const char* bytes, int byteLength, wchar_t* wide,
                        int wideSize) {
    if (!Supported(codePage) || bytes == nullptr || wideSize < 0) {
        return 0;
    }
    const size_t length = byteLength < 0 ? strlen(bytes) + 1 : static_cast<size_t>(byteLength);
    if (wideSize == 0) {
        return static_cast<int>(length);
    }
    if (length > static_cast<size_t>(wideSize)) {
        return 0;
    }
    for (size_t i = 0; i < length; ++i) {
        wide[i] = ByteToWide(static_cast<unsigned char>(bytes[i]));
    }
    return static_cast<int>(length);
}

std::string ToAnsiCodePage(std::wstring_view text) {
    const int length = static_cast<int>(text.size());
    std::string out(WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr),
                    '\0');
    if (!text.empty()) {
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(),
                            static_cast<int>(out.size()), nullptr, nullptr);
    }
    return out;
}

std::wstring FromAnsiCodePage(std::string_view text) {
    std::wstring out(text.size(), L'\0');
    if (!text.empty()) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()));
    }
    return out;
}

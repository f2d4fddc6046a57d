// SPDX-License-Identifier: MIT
#include "services/code_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>

TEST(CodePage, EveryByteRoundTrips) {
    for (int b = 1; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        wchar_t wide = 0;
        ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, &byte, 1, &wide, 1), 1);
        char back = 0;
        BOOL usedDefault = TRUE;
        ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, &wide, 1, &back, 1, nullptr, &usedDefault), 1);
        EXPECT_EQ(back, byte) << "byte " << b;
        EXPECT_FALSE(usedDefault);
    }
}

// The system's own Windows-1252 table, byte by byte: the character, or
// nothing for the five bytes the code page leaves undefined.
std::optional<wchar_t> SystemCharacter(unsigned char byte) {
    const iconv_t converter = iconv_open("WCHAR_T", "CP1252");
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << "iconv knows CP1252";
    char in = static_cast<char>(byte);
    wchar_t out = 0;
    char* inAt = &in;
    char* outAt = reinterpret_cast<char*>(&out);
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<size_t>(-1)) {
        EXPECT_EQ(errno, EILSEQ) << "byte " << int{byte};
        return std::nullopt;
    }
    return out;
}

TEST(CodePage, EveryByteIsTheSystemsWindows1252Character) {
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        const std::wstring ours = FromAnsiCodePage(std::string(1, static_cast<char>(byte)));
        if (const auto system = SystemCharacter(byte)) {
            EXPECT_EQ(ours, std::wstring(1, *system)) << "byte " << b;
        } else {
            // Undefined bytes pass through as the C1 control of the same
            // number, as the device converts them.
            EXPECT_EQ(ours, std::wstring(1, static_cast<wchar_t>(byte))) << "byte " << b;
            ++undefined;
        }
    }
    EXPECT_EQ(undefined, 5);
}

TEST(CodePage, TheWindowsBlockIsNotLatin1) {
    EXPECT_EQ(FromAnsiCodePage("\x80\x8A\x9F\x93"), L"\u20AC\u0160\u0178\u201C");
    EXPECT_EQ(ToAnsiCodePage(L"\u20AC\u2122"), "\x80\x99");
    EXPECT_EQ(FromAnsiCodePage("L\xE4nge"), L"L\u00e4nge");
}

TEST(CodePage, MissingCharactersBecomeTheDefaultCharacter) {
    BOOL usedDefault = FALSE;
    char out[8] = {};
    const wchar_t text[] = L"a\u0100\u4e2d\U0001F600";
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, &usedDefault), 5);
    EXPECT_STREQ(out, "a???");
    EXPECT_TRUE(usedDefault);
    // The C1 control U+0080 is not a Windows-1252 character either.
    EXPECT_EQ(ToAnsiCodePage(L"\u0080"), "?");
}

TEST(CodePage, SizesAndLimits) {
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"abc", -1, nullptr, 0, nullptr, nullptr), 4);
    char small[2];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"abc", -1, small, 2, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(65001, 0, L"abc", -1, small, 2, nullptr, nullptr), 0);
}

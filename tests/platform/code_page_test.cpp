#include "platform/code_page.h"

#include <gtest/gtest.h>

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

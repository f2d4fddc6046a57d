// SPDX-License-Identifier: MIT
// Conversion between wide text and the device's ANSI code page, which is
// Windows-1252 on every machine this program runs on. Characters the code
// page lacks become the default character, '?'.
#pragma once

#include "services/win_types.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_1252 = 1252;

// The Windows calling convention: a length of -1 means "up to and including
// the terminator"; an output size of 0 asks for the size needed. Returns the
// number of units written (or needed), 0 for an unsupported code page.
int WideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* wide, int wideLength,
                        char* bytes, int byteSize, const char* defaultChar, BOOL* usedDefaultChar);
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteLength,
                        wchar_t* wide, int wideSize);

#include <string>
#include <string_view>

// Whole-string conveniences over the two calls above, in the ANSI code page.
std::string ToAnsiCodePage(std::wstring_view text);
std::wstring FromAnsiCodePage(std::string_view text);

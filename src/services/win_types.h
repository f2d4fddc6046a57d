// SPDX-License-Identifier: MIT
// The handful of Windows names that the program's own code is written in:
// truth values, dialog results, the plain integer types of the framework and
// the parameter types of window messages.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

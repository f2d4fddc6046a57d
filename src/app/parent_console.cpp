// SPDX-License-Identifier: MIT
#include "app/parent_console.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>

void UseParentConsole() {
    // Standard output already leads somewhere (a pipe, a file, wine's
    // terminal): it stays there.
    if (GetStdHandle(STD_OUTPUT_HANDLE) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    std::FILE* ignored = nullptr;
    static_cast<void>(freopen_s(&ignored, "CONOUT$", "w", stdout));
    static_cast<void>(freopen_s(&ignored, "CONOUT$", "w", stderr));
}

// SPDX-License-Identifier: MIT
#include "app/wide_arguments.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include "services/host_path.h"

std::vector<std::string> WideArguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i) {
        arguments.push_back(WideToHostBytes(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

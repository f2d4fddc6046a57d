// SPDX-License-Identifier: MIT
#include "services/profile_file.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace ProfileFile {

const char* const kLineBreak = "\r\n";

// %APPDATA%, the roaming settings that follow the user; a relative one would
// depend on where the program happens to be started, so it counts as unset.
fs::path SettingsFolder() {
    const wchar_t* value = _wgetenv(L"APPDATA");
    const fs::path folder = value ? value : L"";
    return folder.is_absolute() ? folder : fs::path();
}

}  // namespace ProfileFile

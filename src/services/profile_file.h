// SPDX-License-Identifier: MIT
// The settings file as a file of the host: where it lives and how its lines
// end, as the system's own text files do.
#pragma once

#include <filesystem>

namespace ProfileFile {

// The folder that holds the application settings of every company: on Linux
// $XDG_CONFIG_HOME or ~/.config, on Windows %APPDATA%. Empty when the user
// has none.
std::filesystem::path SettingsFolder();

// "\n" on Linux, "\r\n" on Windows, where Notepad and the system's own
// profile functions expect it.
extern const char* const kLineBreak;

}  // namespace ProfileFile

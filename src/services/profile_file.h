// SPDX-License-Identifier: MIT
// The settings file as a file of the host: where it lives, whether the user
// has made it read-only, and its replacement as a whole, so that a reader
// finds the old file or the new one, never half.
#pragma once

#include <filesystem>
#include <string>

namespace ProfileFile {

// The folder that holds the application settings of every company: on Linux
// $XDG_CONFIG_HOME or ~/.config, on Windows %APPDATA%. Empty when the user
// has none.
std::filesystem::path SettingsFolder();

// A settings file that the user has made read-only is left as it is: the
// replacement would otherwise go through whatever its permissions say.
bool IsReadOnly(const std::filesystem::path& file);

// Writes a temporary file beside the target and renames it over the target.
// A rewritten file keeps its permissions.
bool WriteWhole(const std::filesystem::path& file, const std::string& contents);

}  // namespace ProfileFile

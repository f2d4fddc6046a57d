// SPDX-License-Identifier: MIT
// The profile store that stands in for the device's registry: one INI file per
// application, "$XDG_CONFIG_HOME/<company>/<application>.ini" (~/.config when
// XDG_CONFIG_HOME is unset), with "[Section]" headers and "Name=Value" lines.
// Reading never fails: a missing or damaged file or value gives the default.
// Writing keeps every other line and replaces the file atomically.
#pragma once

#include <filesystem>
#include <string>

namespace ProfileStore {

// Empty when the user has no home folder: the settings are then only read as
// their defaults, and never written somewhere else.
std::filesystem::path FilePath(const std::wstring& company, const std::wstring& application);

int ReadInt(const std::filesystem::path& file, const std::wstring& section,
            const std::wstring& name, int defaultValue);

// Returns false when the file could not be replaced, and says why in why
// when it is given; the old file is then intact. A file that is read-only,
// or that is there but cannot be read, is never replaced; a symbolic link is
// followed and its target replaced.
bool WriteInt(const std::filesystem::path& file, const std::wstring& section,
              const std::wstring& name, int value, std::string* why = nullptr);

// A whole decimal 32-bit number with optional sign and surrounding blanks.
bool ParseInt(const std::string& text, int* value);

}  // namespace ProfileStore

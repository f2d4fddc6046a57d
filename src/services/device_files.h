// SPDX-License-Identifier: MIT
// The device's storage card and its file search. A device path
// "\Storage Card\..." lives below the card's folder (storage_card.h);
// backslashes become the host's separators below it. Paths never pass
// through the ANSI code page: the file found is the file opened.
#pragma once

#include <filesystem>
#include <string>

#include "services/storage_card.h"
#include "services/win_types.h"

constexpr int MAX_PATH = 260;

using HANDLE = void*;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    wchar_t cFileName[MAX_PATH];
};

// The host path of a device path, or an empty path for one that does not lie
// on the storage card or that climbs out of it with "..".
std::filesystem::path DeviceToHostPath(const std::wstring& devicePath);

// Finds the entries of a folder whose names match the last part of the
// pattern, with '*' and '?' as wildcards and letter case ignored, as the
// device's file system does. "." and ".." are never reported, nor names
// holding a backslash, which the device's file system cannot have.
HANDLE FindFirstFileW(const wchar_t* pattern, WIN32_FIND_DATAW* findData);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* findData);
BOOL FindClose(HANDLE search);

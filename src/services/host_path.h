// SPDX-License-Identifier: MIT
// File names between the program's wide strings and the bytes of the host's
// file system. Names are read as UTF-8; a byte that is not part of valid
// UTF-8 (a name written in another encoding) becomes U+DC80..U+DCFF and turns
// back into the same byte, so every name found can be opened again.
// Where wchar_t has 16 bits (Windows), characters beyond U+FFFF are surrogate
// pairs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

std::wstring HostBytesToWide(std::string_view bytes);
std::string WideToHostBytes(std::wstring_view text);

// A file name as the host's file system holds it, from the program's wide
// text and back: on Linux the bytes above; on Windows the system's own wide
// names, unchanged both ways.
std::filesystem::path HostPathFromWide(std::wstring_view name);
std::wstring WideFromHostPath(const std::filesystem::path& name);

// A host path as the user knows it, to name a file in a message: the
// system's own separators throughout ("Q:\MN6\..." on Windows).
std::wstring ShownHostPath(const std::filesystem::path& path);

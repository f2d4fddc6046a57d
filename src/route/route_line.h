// The route-point line of the navigation software's route files, and its
// append to a route file given as a host path. Neither knows dialogs or the
// storage card, so the entry form and the command-line companion share them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/c_string.h"

// The line for a named WGS 84 position in degrees, as Windows-1252 bytes
// ending in '\n'; the line holds the longitude first. Control characters in
// the name become blanks, so that one route point is always exactly one line.
std::string FormatRouteLine(const CString& name, double latitude, double longitude);

// Appends text to a route file (created if missing) as a text-mode stream
// would, each '\n' becoming the file's own line ending. Returns false, with
// the file left as it was, when it cannot be opened or written.
bool AppendToRouteFile(const std::filesystem::path& file, std::string_view text);

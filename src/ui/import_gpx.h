// SPDX-License-Identifier: MIT
// The import of a GPX file that the program was started with (a file
// manager's "Open with"): what it will import, the route file chosen as for
// Add, and all points appended at once.
#pragma once

#include <filesystem>

// Says what the file's import holds (or why it cannot be imported), lets the
// user pick the route file and appends all points in one append, then says
// what was appended. Cancel in the chooser writes nothing. Returns 1 when the
// points were appended, 0 otherwise.
int ImportGpxFile(const std::filesystem::path& gpx, int language);

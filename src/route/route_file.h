// SPDX-License-Identifier: MIT
// The append of route points to a route file given as a host path, the same
// steps on every system. It knows neither dialogs nor the storage card, so the
// entry form and the command-line companion share it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

struct AppendResult {
    bool written = false;
    std::string reason;  // why not, in the system's words; empty when written
};

// Appends text to a route file (made if missing) as a text-mode stream would
// (see ContentWithText).
//
// The file is replaced by a flushed copy with the text added, so a kill, a
// power cut or a pulled card at any moment leaves it as it was or with the
// whole text more. That holds on a card's own file systems too (FAT and exFAT,
// often through FUSE), which know no links, no owners and no no-replace
// rename, and on Windows, which cannot replace a file that is open:
// appenders take turns by a lock of the route folder, and no handle of the
// route file is open while the copy is renamed over it. Copies that a killed
// appender left behind are removed by the next append. A file another program
// makes meanwhile gets the text; a rename that fails half-way, with the route
// file gone, leaves the whole content as NAME.recovered and says so.
//
// A symbolic link is followed and its target replaced; anything but a regular
// file is refused, and so is a read-only file (root included). Another
// appender's lock is waited for while the route file keeps changing, but no
// longer than a few seconds without a change.
AppendResult AppendToRouteFile(const std::filesystem::path& file, std::string_view text);

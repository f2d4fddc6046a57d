// SPDX-License-Identifier: MIT
// The append of route points to a route file given as a host path, with the
// file operations of a POSIX system. It knows neither dialogs nor the storage
// card, so the entry form and the command-line companion share it.
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
// rename: appenders take turns by a lock on the route folder, and no
// descriptor of the route file is open while the copy is renamed over it.
// Copies that a killed appender left behind are removed by the next append.
//
// A symbolic link is followed and its target replaced; anything but a regular
// file is refused, and so is a file without write permission bits (root
// included). Another appender's lock is waited for while the route file keeps
// changing, but no longer than a few seconds without a change.
AppendResult AppendToRouteFile(const std::filesystem::path& file, std::string_view text);

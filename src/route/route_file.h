// The append of route points to a route file given as a host path. It knows
// neither dialogs nor the storage card, so the entry form and the
// command-line companion share it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

struct AppendResult {
    bool written = false;
    std::string reason;  // why not, in the system's words; empty when written
};

// Appends text to a route file (made if missing) as a text-mode stream would,
// each '\n' becoming the file's own line ending: that of its last line, CR LF
// for a new or empty file, after a line break when the last line lacks one.
//
// The file is replaced by a flushed copy with the text added, so a kill or a
// power cut at any moment leaves it as it was or with the whole text more. A
// symbolic link is followed and its target replaced; anything but a regular
// file is refused, and so is a file without write permission bits (root
// included). Another appender's lock is waited for while it makes progress,
// but no longer than a few seconds for any one hold.
AppendResult AppendToRouteFile(const std::filesystem::path& file, std::string_view text);

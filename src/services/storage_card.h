// SPDX-License-Identifier: MIT
// Where the device's storage card is on this machine. In this order: the
// folder the command line names (--card), the folder QUILLPOST_STORAGE_CARD
// names, a mounted card whose root holds the route folder MN6/Settings/Routes
// (in any letter case, as a FAT card may have it), else a folder of the
// user's. A mounted card found stays in use while it still holds the route
// folder, so that the route file chosen from its list is written on it.
// Each system lists its own cards: on Linux the mounted volumes, removable
// ones (under /media, /run/media and /mnt) first and of those the one mounted
// last, with "$XDG_DATA_HOME/quillpost/Storage Card" (~/.local/share when
// XDG_DATA_HOME is unset) as the last resort; on Windows the removable drives
// in drive-letter order, with "%LOCALAPPDATA%\Quillpost\Storage Card".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#ifndef _WIN32
struct MountPoint {
    std::string folder;  // where it is mounted, escapes undone
    std::string type;    // the file system's type, "vfat", "fuseblk", ...
};

// The mount points of a /proc/self/mountinfo text, in the order they were
// mounted.
std::vector<MountPoint> ParseMountInfo(std::string_view text);

// The mount points that hold a card, the best first.
std::vector<std::filesystem::path> MountedCards(const std::vector<MountPoint>& mounts);
#endif

// The card the command line names; it wins over everything else. An empty
// folder names none.
void UseStorageCard(const std::filesystem::path& folder);

std::filesystem::path StorageCardFolder();

// The card's name (its mount point's last part, or its drive) when several
// cards are mounted and the card in use was picked among them, so that the
// user can tell which one it is; empty otherwise.
std::wstring StorageCardChoiceNote();

// The cards that are mounted now, the one that would be used first.
std::vector<std::filesystem::path> MountedCardsNow();

// Whether a card's root holds the route folder, in any letter case.
bool HoldsRouteFolder(const std::filesystem::path& root);

// The entry of folder named name in any letter case, exactly named where
// that one exists; empty when there is none.
std::filesystem::path ChildNoCase(const std::filesystem::path& folder,
                                  const std::filesystem::path& name);

// The card QUILLPOST_STORAGE_CARD names (empty for none), and the folder of
// the user's that stands in for a card when none is found.
std::filesystem::path StorageCardFromEnvironment();
std::filesystem::path DefaultStorageCard();

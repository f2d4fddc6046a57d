// SPDX-License-Identifier: MIT
#include "services/storage_card.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// File systems that never hold a card: the kernel's own, and those of the
// network, which may keep the program waiting when their server is away.
const std::set<std::string, std::less<>> kNoCardTypes = {
    "proc",    "sysfs",   "devtmpfs",    "devpts",   "cgroup", "cgroup2",    "securityfs",
    "debugfs", "tracefs", "pstore",      "bpf",      "mqueue", "hugetlbfs",  "configfs",
    "fusectl", "autofs",  "binfmt_misc", "efivarfs", "nsfs",   "rpc_pipefs", "nfs",
    "nfs4",    "cifs",    "smb3",        "ceph",     "9p",     "fuse.sshfs",
};

// mountinfo writes a blank, a tab, a line break and a backslash in a name as
// three octal digits after a backslash ("\040").
std::string Unescape(std::string_view field) {
    const auto octal = [&](size_t k) { return field[k] >= '0' && field[k] <= '7'; };
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        return lower(x) == lower(y);
    });
}

bool IsRemovable(const std::string& folder) {
    for (const std::string_view base : {"/media/", "/run/media/", "/mnt/"}) {
        if (folder.starts_with(base)) {
            return true;
        }
    }
    return folder == "/mnt";
}

std::vector<MountPoint> MountsNow() {
    std::ifstream in("/proc/self/mountinfo", std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return ParseMountInfo(text);
}

}  // namespace

std::vector<MountPoint> ParseMountInfo(std::string_view text) {
    std::vector<MountPoint> mounts;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        // ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [OPTIONAL...] - TYPE SOURCE ...
        std::istringstream fields(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(fields), {}};
        const auto separator = std::find(words.begin(), words.end(), "-");
        if (words.size() < 6 || separator == words.end() || separator + 1 == words.end() ||
            separator - words.begin() < 6) {
            continue;  // not a line of that form
        }
        mounts.push_back({Unescape(words[4]), Unescape(*(separator + 1))});
    }
    return mounts;
}

std::vector<fs::path> MountedCards(const std::vector<MountPoint>& mounts) {
    std::vector<fs::path> removable;
    std::vector<fs::path> others;
    for (auto it = mounts.rbegin(); it != mounts.rend(); ++it) {
        if (kNoCardTypes.contains(it->type) || !HoldsRouteFolder(it->folder)) {
            continue;
        }
        auto& group = IsRemovable(it->folder) ? removable : others;
        // A folder mounted over again shows only its last mount.
        if (std::find(removable.begin(), removable.end(), it->folder) == removable.end() &&
            std::find(others.begin(), others.end(), it->folder) == others.end()) {
            group.push_back(it->folder);
        }
    }
    removable.insert(removable.end(), others.begin(), others.end());
    return removable;
}

std::vector<fs::path> MountedCardsNow() {
    return MountedCards(MountsNow());
}

fs::path StorageCardFromEnvironment() {
    const char* card = std::getenv("QUILLPOST_STORAGE_CARD");
    return card ? card : "";
}

fs::path DefaultStorageCard() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return fs::path(data) / "quillpost" / "Storage Card";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "quillpost" / "Storage Card";
}

fs::path ChildNoCase(const fs::path& folder, const fs::path& name) {
    std::error_code error;
    if (fs::exists(folder / name, error)) {
        return folder / name;
    }
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (EqualNoCase(it->path().filename().native(), name.native())) {
            return it->path();
        }
    }
    return {};
}

// SPDX-License-Identifier: MIT
#include "services/profile_file.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace fs = std::filesystem;

namespace {

// An absolute folder from the environment; a relative one would depend on
// where the program happens to be started, so it counts as unset.
fs::path AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    const fs::path folder = value ? value : "";
    return folder.is_absolute() ? folder : fs::path();
}

// The user's home folder from the password database.
fs::path HomeFromPasswordDatabase() {
    std::vector<char> buffer(16384);
    passwd entry;
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir) {
        return {};
    }
    const fs::path home = found->pw_dir;
    return home.is_absolute() ? home : fs::path();
}

}  // namespace

namespace ProfileFile {

const char* const kLineBreak = "\n";

// $XDG_CONFIG_HOME, else ~/.config with the home folder from $HOME or the
// password database; empty when there is no home folder at all.
fs::path SettingsFolder() {
    if (fs::path config = AbsoluteFromEnvironment("XDG_CONFIG_HOME"); !config.empty()) {
        return config;
    }
    fs::path home = AbsoluteFromEnvironment("HOME");
    if (home.empty()) {
        home = HomeFromPasswordDatabase();
    }
    return home.empty() ? fs::path() : home / ".config";
}

}  // namespace ProfileFile

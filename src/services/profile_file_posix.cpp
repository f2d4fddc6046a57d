// SPDX-License-Identifier: MIT
#include "services/profile_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What a file made with open() would get: read and write for all, less the
// umask. The temporary file starts private and is opened up to this.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

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

// A settings file that the user has made read-only is left as it is: the
// rename below would otherwise replace it whatever its permissions say.
bool IsReadOnly(const fs::path& file) {
    struct stat status;
    return stat(file.c_str(), &status) == 0 &&
           ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            access(file.c_str(), W_OK) != 0);
}

// Writes a temporary file beside the target and renames it over the target,
// so that a reader sees either the old file or the new one, never half. A
// rewritten file keeps its permissions.
bool WriteWhole(const fs::path& file, const std::string& contents) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::string pattern = (file.parent_path() / (file.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    for (size_t done = 0; ok && done < contents.size();) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        done += ok ? static_cast<size_t>(n) : 0;
    }
    struct stat old;
    const mode_t mode = stat(file.c_str(), &old) == 0 ? old.st_mode & 07777 : NewFileMode();
    ok = ok && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok && rename(pattern.c_str(), file.c_str()) == 0) {
        return true;
    }
    unlink(pattern.c_str());
    return false;
}

}  // namespace ProfileFile

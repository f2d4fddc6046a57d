// SPDX-License-Identifier: MIT
#include "route/route_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

#include "route/route_text.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// How long the route folder may stay locked without the route file changing
// before the next appender gives up.
constexpr auto kLockPatience = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(2);

// The copy is made under a name the chooser never lists (it does not end in
// ".rte") and the device's software never opens.
constexpr std::string_view kCopyPrefix = ".quillpost-append-";

// Closes the file on every way out; a lock goes with it.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    void Reset(int fd = -1) {
        if (m_fd >= 0) {
            close(m_fd);
        }
        m_fd = fd;
    }

private:
    int m_fd;
};

AppendResult Failed(int error) {
    return {false, std::strerror(error)};
}

AppendResult Failed(std::string reason) {
    return {false, std::move(reason)};
}

bool ReadAll(int fd, off_t size, std::string& content) {
    content.resize(static_cast<size_t>(size));
    for (size_t done = 0; done < content.size();) {
        const ssize_t got =
            pread(fd, content.data() + done, content.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            if (got == 0) {
                errno = EIO;  // shorter than it was a moment ago, under our lock
            }
            return false;
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The folder a file lies in, "." for a bare name.
fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// What tells that the holder of the folder's lock is getting on: the route
// file it appends to appears or grows.
struct Progress {
    bool exists = false;
    off_t size = 0;
    timespec modified{};

    static Progress Of(const fs::path& file) {
        struct stat status;
        if (stat(file.c_str(), &status) != 0) {
            return {};
        }
        return {true, status.st_size, status.st_mtim};
    }
    bool operator==(const Progress& other) const {
        return exists == other.exists && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

// The lock on the route folder serialises making a new route file and
// replacing an existing one alike. flock cannot wait for a limited time, so
// the lock is asked for again and again.
std::optional<AppendResult> LockFolder(int folder, const fs::path& target) {
    auto deadline = Clock::now() + kLockPatience;
    Progress last = Progress::Of(target);
    while (flock(folder, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return Failed(std::string("cannot lock the route folder: ") + std::strerror(errno));
        }
        if (Clock::now() > deadline) {
            const Progress now = Progress::Of(target);
            if (now == last) {
                return Failed("locked by another program");
            }
            last = now;
            deadline = Clock::now() + kLockPatience;
        }
        std::this_thread::sleep_for(kLockPoll);
    }
    return std::nullopt;
}

// Removes the copies whose writer is gone (killed, or its card pulled): a
// writer holds a lock on its copy for as long as it lives. Each is closed
// before it is removed, since FUSE hides a file that is still open under a
// name of its own instead of removing it.
void RemoveStrayCopies(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->path().filename().native().starts_with(kCopyPrefix)) {
            continue;
        }
        FileDescriptor copy(
            open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        const bool abandoned = copy.get() >= 0 && flock(copy.get(), LOCK_EX | LOCK_NB) == 0;
        copy.Reset();
        if (abandoned) {
            unlink(it->path().c_str());
        }
    }
}

// A flushed file beside the route file holding the new content, locked as
// its writer's own while it lives. It takes the owner and permissions of the
// file it replaces (the owner only where the system allows it, the
// permissions not at all on a file system without them, such as a FAT card);
// a new route file gets what any new file gets.
class Copy {
public:
    Copy(const fs::path& folder, std::string_view content, const struct stat* replaced) {
        std::string name = (folder / (std::string(kCopyPrefix) + "XXXXXX")).string();
        m_fd.Reset(mkostemp(name.data(), O_CLOEXEC));
        if (m_fd.get() < 0) {
            m_error = errno;
            return;
        }
        m_path = name;
        if (flock(m_fd.get(), LOCK_EX | LOCK_NB) != 0) {
            m_error = errno;
            return;
        }
        if (replaced) {
            [[maybe_unused]] const int owned =
                fchown(m_fd.get(), replaced->st_uid, replaced->st_gid);
            [[maybe_unused]] const int moded = fchmod(m_fd.get(), replaced->st_mode & 07777);
        } else {
            const mode_t mask = umask(0);
            umask(mask);
            [[maybe_unused]] const int moded = fchmod(m_fd.get(), 0666 & ~mask);
        }
        if (!WriteAll(m_fd.get(), content) || fsync(m_fd.get()) != 0) {
            m_error = errno;
        }
    }
    ~Copy() {
        if (!m_path.empty()) {
            m_fd.Reset();  // FUSE would hide an open file instead of removing it
            unlink(m_path.c_str());
        }
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    int error() const { return m_error; }

    // Puts the copy in place of target; without replace, only where nothing
    // is. Sets errno when it cannot.
    bool MoveTo(const fs::path& target, bool replace) {
        int moved = renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, target.c_str(),
                              replace ? 0 : RENAME_NOREPLACE);
        // FAT and exFAT through FUSE have no no-replace rename; the folder's
        // lock keeps every appender of ours from making the file meanwhile.
        if (moved != 0 && !replace && (errno == EINVAL || errno == ENOSYS)) {
            moved = rename(m_path.c_str(), target.c_str());
        }
        if (moved != 0) {
            return false;
        }
        m_path.clear();
        m_fd.Reset();
        return true;
    }

    // Leaves the copy on the card when it holds the only whole content, under
    // a name the next append's clean-up of stray copies leaves alone (and the
    // chooser does not list); returns where it is.
    fs::path Keep(const fs::path& target) {
        fs::path kept = target;
        kept += ".recovered";
        if (rename(m_path.c_str(), kept.c_str()) != 0) {
            kept = m_path;
        }
        m_path.clear();
        return kept;
    }

private:
    FileDescriptor m_fd;
    std::string m_path;
    int m_error = 0;
};

// The route file the path names, with symbolic links resolved; empty (and
// errno set) for a dangling link.
fs::path Target(const fs::path& file) {
    struct stat status;
    if (lstat(file.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        return file;
    }
    char* resolved = realpath(file.c_str(), nullptr);
    if (!resolved) {
        return {};
    }
    fs::path target(resolved);
    free(resolved);
    return target;
}

// A copy is as large as the whole route file: on a nearly full card that is
// what is missing, not room for one line.
AppendResult CopyFailed(int error, const struct stat* replaced) {
    if (error == ENOSPC && replaced) {
        return Failed(std::string(std::strerror(error)) + " (the new point is added to a copy of " +
                      "the whole route file, which needs " +
                      std::to_string((replaced->st_size + 1023) / 1024) + " KB free beside it)");
    }
    return Failed(error);
}

// Puts content in place of target, or makes target with it when replaced is
// null; nothing when another program made target meanwhile.
std::optional<AppendResult> Replace(const fs::path& target, int folder, std::string_view content,
                                    const struct stat* replaced) {
    Copy copy(FolderOf(target), content, replaced);
    if (copy.error() != 0) {
        return CopyFailed(copy.error(), replaced);
    }
    if (!copy.MoveTo(target, replaced != nullptr)) {
        const int error = errno;
        if (error == EEXIST && !replaced) {
            return std::nullopt;
        }
        // A file system that moves the old file aside before it renames
        // (FUSE does so with an open file) may fail halfway, leaving no route
        // file: then the copy is the only whole content, and the name is free.
        struct stat status;
        if (replaced && stat(target.c_str(), &status) != 0 && errno == ENOENT) {
            if (copy.MoveTo(target, true)) {
                return AppendResult{true, {}};
            }
            const fs::path kept = copy.Keep(target);
            return Failed(std::string(std::strerror(error)) +
                          "; the route file is no longer there, its content with the new point " +
                          "is in '" + kept.filename().string() + "'");
        }
        return Failed(error);
    }
    // The rename itself reaches the disk only with its folder.
    fsync(folder);
    return AppendResult{true, {}};
}

}  // namespace

AppendResult AppendToRouteFile(const fs::path& file, std::string_view text) {
    const fs::path target = Target(file);
    if (target.empty()) {
        return Failed(errno);
    }
    const FileDescriptor folder(open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) {
        return Failed(errno);
    }
    if (const auto refused = LockFolder(folder.get(), target)) {
        return *refused;
    }
    RemoveStrayCopies(FolderOf(target));
    for (;;) {
        struct stat status;
        if (stat(target.c_str(), &status) != 0) {
            if (errno != ENOENT) {
                return Failed(errno);
            }
            if (auto made = Replace(target, folder.get(), ContentWithText({}, text), nullptr)) {
                return *made;
            }
            continue;  // made by a program that does not take the lock: append to its file
        }
        // Looked at before opening: opening a device or a pipe can have
        // effects of its own.
        if (S_ISDIR(status.st_mode)) {
            return Failed(EISDIR);
        }
        if (!S_ISREG(status.st_mode)) {
            return Failed("not a regular file");
        }
        // Root could replace it whatever its permissions say; a file made
        // read-only is the user's way of keeping it as it is.
        if ((status.st_mode & 0222) == 0) {
            return Failed(EACCES);
        }
        // The device's append mode reads as well as writes.
        if (access(target.c_str(), R_OK | W_OK) != 0) {
            return Failed(errno);
        }
        std::string content;
        {
            // Closed again before the rename: FUSE moves a file that is open
            // aside, and a rename that then fails would lose the route file.
            const FileDescriptor fd(
                open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
            if (fd.get() < 0 || fstat(fd.get(), &status) != 0) {
                return Failed(errno);
            }
            if (!S_ISREG(status.st_mode)) {
                return Failed("not a regular file");
            }
            if (!ReadAll(fd.get(), status.st_size, content)) {
                return Failed(errno);
            }
        }
        return *Replace(target, folder.get(), ContentWithText(std::move(content), text), &status);
    }
}

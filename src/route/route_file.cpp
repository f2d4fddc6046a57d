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

#include "route/line_endings.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// How long one appender may hold the lock before the next one gives up.
constexpr auto kLockPatience = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(2);

// The copy is made under a name the chooser never lists (it does not end in
// ".rte"), so one left behind by a kill is never offered as a route file.
constexpr const char* kTemporaryName = ".quillpost-append-XXXXXX";

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

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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

// A flushed file beside the route file holding the new content. It takes
// the owner and permissions of the file it replaces (the owner only where the
// system allows it, the permissions not at all on a file system without
// them, such as a FAT card); a new route file gets what any new file gets.
class Replacement {
public:
    Replacement(const fs::path& target, std::string_view content, const struct stat* replaced)
        : m_folder(FolderOf(target)) {
        std::string name = (m_folder / kTemporaryName).string();
        const FileDescriptor fd(mkostemp(name.data(), O_CLOEXEC));
        if (fd.get() < 0) {
            m_error = errno;
            return;
        }
        m_path = name;
        if (replaced) {
            [[maybe_unused]] const int owned = fchown(fd.get(), replaced->st_uid, replaced->st_gid);
            [[maybe_unused]] const int moded = fchmod(fd.get(), replaced->st_mode & 07777);
        } else {
            const mode_t mask = umask(0);
            umask(mask);
            [[maybe_unused]] const int moded = fchmod(fd.get(), 0666 & ~mask);
        }
        if (!WriteAll(fd.get(), content) || fsync(fd.get()) != 0) {
            m_error = errno;
        }
    }
    ~Replacement() {
        if (!m_path.empty()) {
            unlink(m_path.c_str());
        }
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    int error() const { return m_error; }

    // Puts the copy in place of target; without replace, only where nothing
    // is. Sets errno when it cannot.
    bool MoveTo(const fs::path& target, bool replace) {
        int moved = renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, target.c_str(),
                              replace ? 0 : RENAME_NOREPLACE);
        // A file system without the no-replace rename: the one risk left is
        // another appender making the same new file in the same instant.
        if (moved != 0 && errno == EINVAL && !replace) {
            moved = rename(m_path.c_str(), target.c_str());
        }
        if (moved != 0) {
            return false;
        }
        m_path.clear();
        // The rename itself reaches the disk only with its folder.
        const FileDescriptor folder(open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() >= 0) {
            fsync(folder.get());
        }
        return true;
    }

private:
    fs::path m_folder;
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

// Makes the route file with the text, as the device's append mode makes a
// missing file; nothing when another appender made it first.
std::optional<AppendResult> MakeFile(const fs::path& target, std::string_view text) {
    Replacement copy(target, WithText({}, text), nullptr);
    if (copy.error() != 0) {
        return Failed(copy.error());
    }
    if (!copy.MoveTo(target, false)) {
        if (errno == EEXIST) {
            return std::nullopt;
        }
        return Failed(errno);
    }
    return AppendResult{true, {}};
}

}  // namespace

AppendResult AppendToRouteFile(const fs::path& file, std::string_view text) {
    const fs::path target = Target(file);
    if (target.empty()) {
        return Failed(errno);
    }
    auto deadline = Clock::now() + kLockPatience;
    FileDescriptor fd;
    struct stat locked;
    for (;;) {
        struct stat status;
        if (stat(target.c_str(), &status) != 0) {
            if (errno != ENOENT) {
                return Failed(errno);
            }
            if (std::optional<AppendResult> made = MakeFile(target, text)) {
                return *made;
            }
            continue;  // made by another appender meanwhile: append to theirs
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
        fd.Reset(open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() < 0) {
            return Failed(errno);
        }
        if (fstat(fd.get(), &locked) != 0) {
            return Failed(errno);
        }
        if (!S_ISREG(locked.st_mode)) {
            return Failed("not a regular file");
        }
        // flock cannot wait for a limited time, so the lock is asked for
        // again and again until the deadline.
        while (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                return Failed(errno);
            }
            if (Clock::now() > deadline) {
                return Failed("locked by another program");
            }
            std::this_thread::sleep_for(kLockPoll);
        }
        // The holder before us may have replaced the file we were waiting
        // for: then the file now there is the one to append to, and that
        // holder's progress starts the patience anew.
        if (stat(target.c_str(), &status) == 0 && SameFile(status, locked)) {
            break;
        }
        deadline = Clock::now() + kLockPatience;
    }

    std::string content;
    if (!ReadAll(fd.get(), locked.st_size, content)) {
        return Failed(errno);
    }
    Replacement copy(target, WithText(std::move(content), text), &locked);
    if (copy.error() != 0) {
        return Failed(copy.error());
    }
    if (!copy.MoveTo(target, true)) {
        return Failed(errno);
    }
    return {true, {}};
}

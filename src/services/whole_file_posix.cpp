// SPDX-License-Identifier: MIT
// Files replaced whole with the file operations of a POSIX system. A card's
// own file systems (FAT and exFAT, often through FUSE) know no links, no
// owners and no no-replace rename; flock holds there too.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "services/whole_file.h"

namespace fs = std::filesystem;

namespace WholeFile {
namespace {

Failure FromErrno(int error) {
    switch (error) {
        case ENOENT:
            return {Failure::Kind::Missing, std::strerror(error)};
        case EEXIST:
            return {Failure::Kind::Exists, std::strerror(error)};
        case ENOSPC:
            return {Failure::Kind::Full, std::strerror(error)};
        case EWOULDBLOCK:
            return {Failure::Kind::Busy, std::strerror(error)};
        default:
            return {Failure::Kind::Other, std::strerror(error)};
    }
}

int Fd(const Handle& handle) {
    return static_cast<int>(handle.native());
}

bool WriteWholly(int fd, std::string_view bytes) {
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

// What a file made with open() would get: read and write for all, less the
// umask.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool Handle::Close() {
    const bool closed = !IsOpen() || close(static_cast<int>(m_native)) == 0;
    m_native = kClosed;
    return closed;
}

State Examine(const fs::path& path, Failure* failure) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            *failure = FromErrno(errno);
        }
        return {};
    }
    const State::Kind kind = S_ISREG(status.st_mode)   ? State::Kind::File
                             : S_ISDIR(status.st_mode) ? State::Kind::Folder
                                                       : State::Kind::Other;
    return {kind, static_cast<std::uintmax_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

Failure RefuseReadOnly(const fs::path& file) {
    struct stat status;
    if (stat(file.c_str(), &status) != 0) {
        return FromErrno(errno);
    }
    if ((status.st_mode & 0222) == 0) {
        return FromErrno(EACCES);
    }
    return access(file.c_str(), W_OK) == 0 ? Failure{} : FromErrno(errno);
}

Failure ReadAll(const fs::path& file, std::string* content) {
    // Opening a device or a pipe can have effects of its own, and waiting
    // for a pipe's writer would never end.
    const Handle fd(open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (!fd.IsOpen() || fstat(Fd(fd), &status) != 0) {
        return FromErrno(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return {Failure::Kind::Other, "not a regular file"};
    }
    content->resize(static_cast<size_t>(status.st_size));
    for (size_t done = 0; done < content->size();) {
        const ssize_t got =
            pread(Fd(fd), content->data() + done, content->size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return FromErrno(got == 0 ? EIO : errno);  // shorter than it was a moment ago
        }
        done += static_cast<size_t>(got);
    }
    return {};
}

// flock cannot wait for a limited time, so the caller asks again and again.
FolderLock FolderLock::TryTake(const fs::path& folder, Failure* failure) {
    FolderLock lock;
    Handle fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.IsOpen()) {
        *failure = FromErrno(errno);
        return lock;
    }
    while (flock(Fd(fd), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            *failure = FromErrno(errno);
            if (failure->kind != Failure::Kind::Busy) {
                failure->reason = "cannot lock the folder: " + failure->reason;
            }
            return lock;
        }
    }
    lock.m_handle = std::move(fd);
    return lock;
}

namespace System {

Handle WriteCopy(const fs::path& prefix, std::string_view content, const fs::path& like,
                 fs::path* made, Failure* failure) {
    std::string name = prefix.native() + "XXXXXX";
    Handle fd(mkostemp(name.data(), O_CLOEXEC));
    if (!fd.IsOpen()) {
        *failure = FromErrno(errno);
        return fd;
    }
    *made = name;
    // The lock tells the clean-up of abandoned copies that its writer lives.
    if (flock(Fd(fd), LOCK_EX | LOCK_NB) != 0) {
        *failure = FromErrno(errno);
        return fd;
    }
    // The owner only where the system allows it, the permissions not at all
    // on a file system without them.
    struct stat status;
    if (!like.empty() && stat(like.c_str(), &status) == 0) {
        [[maybe_unused]] const int owned = fchown(Fd(fd), status.st_uid, status.st_gid);
        [[maybe_unused]] const int moded = fchmod(Fd(fd), status.st_mode & 07777);
    } else {
        [[maybe_unused]] const int moded = fchmod(Fd(fd), NewFileMode());
    }
    if (!WriteWholly(Fd(fd), content) || fsync(Fd(fd)) != 0) {
        *failure = FromErrno(errno);
    }
    return fd;
}

void RemoveIfAbandoned(const fs::path& copy) {
    Handle fd(open(copy.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    const bool abandoned = fd.IsOpen() && flock(Fd(fd), LOCK_EX | LOCK_NB) == 0;
    fd.Close();  // FUSE would hide an open file instead of removing it
    if (abandoned) {
        unlink(copy.c_str());
    }
}

Failure Move(const fs::path& from, const fs::path& to, bool replace) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), replace ? 0 : RENAME_NOREPLACE) ==
        0) {
        return {};
    }
    // FAT and exFAT through FUSE have no no-replace rename; our writers take
    // turns by the folder's lock, so a look first is enough against them.
    if (!replace && (errno == EINVAL || errno == ENOSYS)) {
        struct stat status;
        if (lstat(to.c_str(), &status) == 0) {
            return FromErrno(EEXIST);
        }
        if (rename(from.c_str(), to.c_str()) == 0) {
            return {};
        }
    }
    return FromErrno(errno);
}

void FlushFolder(const fs::path& folder) {
    const Handle fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        fsync(Fd(fd));
    }
}

}  // namespace System
}  // namespace WholeFile

// SPDX-License-Identifier: MIT
#include "services/whole_file.h"

#include <utility>

namespace fs = std::filesystem;

namespace WholeFile {
namespace {

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The copy's name starts with the prefix's last part.
bool IsCopyNamed(const fs::path& entry, const fs::path& prefix) {
    return entry.filename().native().starts_with(prefix.filename().native());
}

}  // namespace

Handle::Handle(Handle&& other) noexcept : m_native(std::exchange(other.m_native, kClosed)) {}

Handle& Handle::operator=(Handle&& other) noexcept {
    if (this != &other) {
        Close();
        m_native = std::exchange(other.m_native, kClosed);
    }
    return *this;
}

fs::path FollowLink(const fs::path& path, Failure* failure) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) {
        return path;
    }
    fs::path target = fs::canonical(path, error);
    if (error) {
        *failure = {Failure::Kind::Other, error.message()};
        return {};
    }
    return target;
}

Copy::Copy(const fs::path& prefix, std::string_view content, const fs::path& like) {
    m_handle = System::WriteCopy(prefix, content, like, &m_path, &m_failure);
}

Copy::~Copy() {
    // A file system through FUSE hides a file that is still open under a
    // name of its own instead of removing it: close it first.
    m_handle.Close();
    if (!m_path.empty()) {
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
}

Failure Copy::MoveTo(const fs::path& target, bool replace) {
    Failure failure = System::Move(m_path, target, replace);
    if (!failure) {
        m_path.clear();
        m_handle.Close();
    }
    return failure;
}

fs::path Copy::Keep(const fs::path& target) {
    // An earlier kept copy holds content of its own: it is never replaced.
    for (int number = 1; number <= 9; ++number) {
        fs::path kept = target;
        kept += number == 1 ? ".recovered" : ".recovered-" + std::to_string(number);
        if (!System::Move(m_path, kept, false)) {
            m_path.clear();
            return kept;
        }
    }
    fs::path kept = m_path;
    m_path.clear();
    return kept;
}

void RemoveAbandonedCopies(const fs::path& prefix) {
    std::error_code error;
    for (fs::directory_iterator it(FolderOf(prefix), error), end; !error && it != end;
         it.increment(error)) {
        if (IsCopyNamed(it->path(), prefix)) {
            System::RemoveIfAbandoned(it->path());
        }
    }
}

Failure Replace(const fs::path& target, const fs::path& prefix, std::string_view content,
                bool replace, fs::path* kept) {
    Copy copy(prefix, content, replace ? target : fs::path());
    if (copy.failure()) {
        return copy.failure();
    }
    Failure moved = copy.MoveTo(target, replace);
    if (moved && replace) {
        // A file system that moves the old file aside before it renames
        // (FUSE does so with a file that is open) may fail half-way and leave
        // no file at all: then the copy is the only whole content, and the
        // name is free.
        Failure looked;
        if (Examine(target, &looked).kind == State::Kind::Missing && !looked) {
            if (!copy.MoveTo(target, true)) {
                moved = {};
            } else {
                *kept = copy.Keep(target);
            }
        }
    }
    if (!moved) {
        System::FlushFolder(FolderOf(target));
    }
    return moved;
}

}  // namespace WholeFile

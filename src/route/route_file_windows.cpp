// SPDX-License-Identifier: MIT
// The append on Windows. Windows cannot replace a file that another handle
// holds open, so appenders take turns on a lock file of their own in the route
// folder rather than on the route file: the system removes it when its last
// handle closes, after a kill too. The copy then replaces the route file when
// no handle of ours is open on it.
#include "route/route_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "route/route_text.h"
#include "services/file_handle_windows.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// How long an appender waits for the one before it.
constexpr auto kLockPatience = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(2);

// Neither name ends in ".rte", so the chooser never lists them.
constexpr wchar_t kLockName[] = L".quillpost-append.lock";
constexpr std::wstring_view kCopyPrefix = L".quillpost-append-";

AppendResult Failed(DWORD error) {
    return {false, SystemErrorText(error)};
}

AppendResult Failed(std::string reason) {
    return {false, std::move(reason)};
}

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(L".");
}

// The lock, or an invalid handle with the reason in *failure.
FileHandle TakeLock(const fs::path& folder, AppendResult* failure) {
    const fs::path lock = folder / kLockName;
    const auto deadline = Clock::now() + kLockPatience;
    for (;;) {
        FileHandle handle(CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (handle.IsOpen()) {
            return handle;
        }
        const DWORD error = GetLastError();
        // Held by another appender, or being removed as its holder lets go;
        // "access denied" without a lock file is a folder we may not write.
        const bool held = error == ERROR_SHARING_VIOLATION ||
                          (error == ERROR_ACCESS_DENIED &&
                           GetFileAttributesW(lock.c_str()) != INVALID_FILE_ATTRIBUTES);
        if (!held) {
            *failure = Failed(error);
            return handle;
        }
        if (Clock::now() > deadline) {
            *failure = Failed("locked by another program");
            return handle;
        }
        std::this_thread::sleep_for(kLockPoll);
    }
}

// Copies left by an appender that was killed before it could remove its own;
// under the lock no other appender is at work.
void RemoveLeftCopies(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().native().starts_with(kCopyPrefix)) {
            DeleteFileW(it->path().c_str());
        }
    }
}

// The route file's content, or false with the reason in *failure.
bool ReadContent(const fs::path& target, std::string* content, AppendResult* failure) {
    const FileHandle file(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        *failure = Failed(GetLastError());
        return false;
    }
    // A device name such as CON opens as a device, not as a file.
    LARGE_INTEGER size;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        *failure = Failed("not a regular file");
        return false;
    }
    if (!GetFileSizeEx(file.get(), &size)) {
        *failure = Failed(GetLastError());
        return false;
    }
    content->resize(static_cast<size_t>(size.QuadPart));
    for (size_t done = 0; done < content->size();) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content->size() - done, 1u << 20));
        if (!ReadFile(file.get(), content->data() + done, chunk, &got, nullptr) || got == 0) {
            *failure = Failed(got == 0 ? ERROR_HANDLE_EOF : GetLastError());
            return false;
        }
        done += got;
    }
    return true;
}

// A flushed copy beside the route file, removed again unless it was put in
// the route file's place.
class Replacement {
public:
    Replacement(const fs::path& folder, std::string_view content) {
        m_path = folder / (std::wstring(kCopyPrefix) + std::to_wstring(GetCurrentProcessId()));
        FileHandle file(CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen()) {
            m_error = GetLastError();
            m_path.clear();
            return;
        }
        if (!WriteWholly(file.get(), content) || !FlushFileBuffers(file.get())) {
            m_error = GetLastError();
        }
        if (!file.Close() && m_error == 0) {
            m_error = GetLastError();
        }
    }
    ~Replacement() {
        if (!m_path.empty()) {
            DeleteFileW(m_path.c_str());
        }
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    DWORD error() const { return m_error; }

    // Puts the copy in place of target; without replace, only where nothing is.
    bool MoveTo(const fs::path& target, bool replace) {
        const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        if (!MoveFileExW(m_path.c_str(), target.c_str(), flags)) {
            m_error = GetLastError();
            return false;
        }
        m_path.clear();
        return true;
    }

private:
    fs::path m_path;
    DWORD m_error = 0;
};

}  // namespace

AppendResult AppendToRouteFile(const fs::path& file, std::string_view text) {
    // A symbolic link is followed and its target replaced, as on Linux.
    std::error_code error;
    const bool link = fs::is_symlink(fs::symlink_status(file, error));
    const fs::path target = link ? fs::canonical(file, error) : file;
    if (link && error) {
        return Failed(error.message());
    }
    const fs::path folder = FolderOf(target);
    AppendResult failure;
    const FileHandle lock = TakeLock(folder, &failure);
    if (!lock.IsOpen()) {
        return failure;
    }
    RemoveLeftCopies(folder);

    std::string content;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool made = attributes == INVALID_FILE_ATTRIBUTES;
    if (made) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            return Failed(GetLastError());
        }
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Failed(std::strerror(EISDIR));
    } else if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        // Windows refuses to replace it; Wine would not, so look first.
        return Failed(ERROR_ACCESS_DENIED);
    } else if (!ReadContent(target, &content, &failure)) {
        return failure;
    }
    Replacement copy(folder, ContentWithText(std::move(content), text));
    if (copy.error() != 0) {
        return Failed(copy.error());
    }
    // Another program than ours may hold the route file open: then it stays
    // as it was, and the user hears why.
    if (!copy.MoveTo(target, !made)) {
        return Failed(copy.error());
    }
    return {true, {}};
}

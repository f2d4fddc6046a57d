// SPDX-License-Identifier: MIT
// Files replaced whole with Win32's file operations. Windows cannot rename
// over a file that a handle holds open, so the folder's lock is a file of its
// own beside the files rather than a lock on the folder: the system removes it
// when its holder's handle closes, after a kill too. A copy is closed before
// it is renamed, for the same reason.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "services/host_path.h"
#include "services/whole_file.h"

namespace fs = std::filesystem;

namespace WholeFile {
namespace {

// Hidden, and it does not end in ".rte", so no chooser lists it.
constexpr wchar_t kLockName[] = L".quillpost-append.lock";

// The system's own words for an error code, as UTF-8 without the closing
// period and line break.
std::string SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return WideToHostBytes(message);
}

Failure FromError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return {Failure::Kind::Missing, SystemErrorText(error)};
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return {Failure::Kind::Exists, SystemErrorText(error)};
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return {Failure::Kind::Full, SystemErrorText(error)};
        case ERROR_SHARING_VIOLATION:
            return {Failure::Kind::Busy, SystemErrorText(error)};
        default:
            return {Failure::Kind::Other, SystemErrorText(error)};
    }
}

HANDLE Native(const Handle& handle) {
    return reinterpret_cast<HANDLE>(handle.native());
}

Handle Open(const fs::path& file, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    return Handle(reinterpret_cast<std::intptr_t>(
        CreateFileW(file.c_str(), access, share, nullptr, disposition, flags, nullptr)));
}

bool WriteWholly(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool Handle::Close() {
    const bool closed = !IsOpen() || CloseHandle(reinterpret_cast<HANDLE>(m_native));
    m_native = kClosed;
    return closed;
}

State Examine(const fs::path& path, Failure* failure) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        const Failure why = FromError(GetLastError());
        if (why.kind != Failure::Kind::Missing) {
            *failure = why;
        }
        return {};
    }
    const State::Kind kind =
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? State::Kind::Folder
        : (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0  ? State::Kind::Other
                                                                : State::Kind::File;
    return {kind, (std::uintmax_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
            static_cast<std::int64_t>((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                      data.ftLastWriteTime.dwLowDateTime)};
}

// Windows itself refuses to replace a read-only file; Wine would not.
Failure RefuseReadOnly(const fs::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return FromError(GetLastError());
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? FromError(ERROR_ACCESS_DENIED) : Failure{};
}

Failure ReadAll(const fs::path& file, std::string* content) {
    const Handle handle =
        Open(file, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (!handle.IsOpen()) {
        return FromError(GetLastError());
    }
    // A device name such as CON opens as a device, not as a file.
    if (GetFileType(Native(handle)) != FILE_TYPE_DISK) {
        return {Failure::Kind::Other, "not a regular file"};
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(Native(handle), &size)) {
        return FromError(GetLastError());
    }
    content->resize(static_cast<size_t>(size.QuadPart));
    for (size_t done = 0; done < content->size();) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content->size() - done, 1u << 20));
        if (!ReadFile(Native(handle), content->data() + done, chunk, &got, nullptr) || got == 0) {
            return FromError(got == 0 ? ERROR_HANDLE_EOF : GetLastError());
        }
        done += got;
    }
    return {};
}

FolderLock FolderLock::TryTake(const fs::path& folder, Failure* failure) {
    FolderLock lock;
    const fs::path file = folder / kLockName;
    lock.m_handle = Open(file, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE);
    if (!lock.m_handle.IsOpen()) {
        const DWORD error = GetLastError();
        // "Access denied" while the lock file is there: its holder is letting
        // go and the system is removing it. Without one, the folder is not
        // ours to write.
        const bool leaving = error == ERROR_ACCESS_DENIED &&
                             GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
        *failure = FromError(leaving ? ERROR_SHARING_VIOLATION : error);
    }
    return lock;
}

namespace System {

Handle WriteCopy(const fs::path& prefix, std::string_view content, const fs::path&, fs::path* made,
                 Failure* failure) {
    Handle handle;
    for (unsigned number = 0; !handle.IsOpen(); ++number) {
        fs::path name = prefix;
        name += std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(number);
        handle = Open(name, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
        if (handle.IsOpen()) {
            *made = name;
        } else if (GetLastError() != ERROR_FILE_EXISTS || number == 1000) {
            *failure = FromError(GetLastError());
            return handle;
        }
    }
    if (!WriteWholly(Native(handle), content) || !FlushFileBuffers(Native(handle))) {
        *failure = FromError(GetLastError());
    }
    if (!handle.Close() && !*failure) {
        *failure = FromError(GetLastError());
    }
    return handle;
}

// A copy its writer still has open cannot be removed: it shares nothing.
void RemoveIfAbandoned(const fs::path& copy) {
    DeleteFileW(copy.c_str());
}

Failure Move(const fs::path& from, const fs::path& to, bool replace) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) ? Failure{} : FromError(GetLastError());
}

// Every rename is written through.
void FlushFolder(const fs::path&) {}

}  // namespace System
}  // namespace WholeFile

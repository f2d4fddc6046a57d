// SPDX-License-Identifier: MIT
// A Win32 file handle that closes on every way out, for the services and the
// route output on Windows, and the system's text for an error code.
#pragma once

#include <windows.h>

#include <string>

class FileHandle {
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(FileHandle&& other) noexcept : m_handle(other.m_handle) {
        other.m_handle = INVALID_HANDLE_VALUE;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    // False when the system could not close it: what was written may be lost.
    bool Close() {
        const bool closed = !IsOpen() || CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

// Writes all of bytes; false when the system took less.
bool WriteWholly(HANDLE file, std::string_view bytes);

// The system's own words for an error code, as UTF-8 without the closing
// period and line break.
std::string SystemErrorText(DWORD error);

// SPDX-License-Identifier: MIT
#include "services/profile_file.h"

#include <cstdlib>

#include "services/file_handle_windows.h"

namespace fs = std::filesystem;

namespace ProfileFile {

// %APPDATA%, the roaming settings that follow the user; a relative one would
// depend on where the program happens to be started, so it counts as unset.
fs::path SettingsFolder() {
    const wchar_t* value = _wgetenv(L"APPDATA");
    const fs::path folder = value ? value : L"";
    return folder.is_absolute() ? folder : fs::path();
}

bool IsReadOnly(const fs::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool WriteWhole(const fs::path& file, const std::string& contents) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    const fs::path temporary = file.parent_path() / (file.filename().native() + L".new-" +
                                                     std::to_wstring(GetCurrentProcessId()));
    FileHandle handle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = WriteWholly(handle.get(), contents) && FlushFileBuffers(handle.get());
    ok = handle.Close() && ok;
    if (ok && MoveFileExW(temporary.c_str(), file.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace ProfileFile

// SPDX-License-Identifier: MIT
#include "services/storage_card.h"

#include <windows.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

// A card reader without a card must not stop the search with the system's
// "insert a disk" box.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_previous); }
    ~QuietDriveErrors() { SetThreadErrorMode(m_previous, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD m_previous = 0;
};

fs::path RemovableCard() {
    const QuietDriveErrors quiet;
    const DWORD drives = GetLogicalDrives();
    for (int drive = 0; drive < 26; ++drive) {
        if ((drives & (1u << drive)) == 0) {
            continue;
        }
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + drive), L':', L'\\', 0};
        std::error_code error;
        if (GetDriveTypeW(root) == DRIVE_REMOVABLE &&
            fs::is_directory(fs::path(root) / L"MN6" / L"Settings" / L"Routes", error)) {
            return root;
        }
    }
    return {};
}

}  // namespace

fs::path StorageCardFolder() {
    if (const wchar_t* card = _wgetenv(L"QUILLPOST_STORAGE_CARD"); card && *card) {
        return card;
    }
    if (fs::path card = RemovableCard(); !card.empty()) {
        return card;
    }
    const wchar_t* data = _wgetenv(L"LOCALAPPDATA");
    return fs::path(data && *data ? data : L".") / L"Quillpost" / L"Storage Card";
}

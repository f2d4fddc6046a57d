// SPDX-License-Identifier: MIT
#include "services/storage_card.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A card reader without a card must not stop the program with the system's
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

}  // namespace

// The removable drives that hold the route folder, in drive-letter order.
std::vector<fs::path> MountedCardsNow() {
    const QuietDriveErrors quiet;
    const DWORD drives = GetLogicalDrives();
    std::vector<fs::path> cards;
    for (int drive = 0; drive < 26; ++drive) {
        if ((drives & (1u << drive)) == 0) {
            continue;
        }
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + drive), L':', L'\\', 0};
        if (GetDriveTypeW(root) == DRIVE_REMOVABLE && HoldsRouteFolder(root)) {
            cards.emplace_back(root);
        }
    }
    return cards;
}

fs::path StorageCardFromEnvironment() {
    const wchar_t* card = _wgetenv(L"QUILLPOST_STORAGE_CARD");
    return card ? card : L"";
}

fs::path DefaultStorageCard() {
    const wchar_t* data = _wgetenv(L"LOCALAPPDATA");
    return fs::path(data && *data ? data : L".") / L"Quillpost" / L"Storage Card";
}

// Windows' file systems ignore letter case themselves.
fs::path ChildNoCase(const fs::path& folder, const fs::path& name) {
    const QuietDriveErrors quiet;
    std::error_code error;
    const fs::path child = folder / name;
    return fs::exists(child, error) ? child : fs::path();
}

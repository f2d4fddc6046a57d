// SPDX-License-Identifier: MIT
#include "services/storage_card.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

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

fs::path g_commandLineCard;  // empty while the command line names none

// The removable drives that hold the route folder, in drive-letter order.
std::vector<fs::path> RemovableCards() {
    const QuietDriveErrors quiet;
    const DWORD drives = GetLogicalDrives();
    std::vector<fs::path> cards;
    for (int drive = 0; drive < 26; ++drive) {
        if ((drives & (1u << drive)) == 0) {
            continue;
        }
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + drive), L':', L'\\', 0};
        std::error_code error;
        if (GetDriveTypeW(root) == DRIVE_REMOVABLE &&
            fs::is_directory(fs::path(root) / L"MN6" / L"Settings" / L"Routes", error)) {
            cards.emplace_back(root);
        }
    }
    return cards;
}

const wchar_t* CardFromEnvironment() {
    const wchar_t* card = _wgetenv(L"QUILLPOST_STORAGE_CARD");
    return card && *card ? card : nullptr;
}

}  // namespace

void UseStorageCard(const fs::path& folder) {
    g_commandLineCard = folder;
}

std::vector<fs::path> MountedCardsNow() {
    return RemovableCards();
}

fs::path StorageCardFolder() {
    if (!g_commandLineCard.empty()) {
        return g_commandLineCard;
    }
    if (const wchar_t* card = CardFromEnvironment()) {
        return card;
    }
    if (const std::vector<fs::path> cards = RemovableCards(); !cards.empty()) {
        return cards.front();
    }
    const wchar_t* data = _wgetenv(L"LOCALAPPDATA");
    return fs::path(data && *data ? data : L".") / L"Quillpost" / L"Storage Card";
}

std::wstring StorageCardChoiceNote() {
    if (!g_commandLineCard.empty() || CardFromEnvironment()) {
        return {};
    }
    const std::vector<fs::path> cards = RemovableCards();
    if (cards.size() < 2) {
        return {};
    }
    return cards.front().root_name().wstring();  // "E:"
}

// Windows' file systems ignore letter case themselves.
fs::path ChildNoCase(const fs::path& folder, const fs::path& name) {
    std::error_code error;
    const fs::path child = folder / name;
    return fs::exists(child, error) ? child : fs::path();
}

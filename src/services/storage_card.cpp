// SPDX-License-Identifier: MIT
#include "services/storage_card.h"

#include <optional>

#include "services/host_path.h"

namespace fs = std::filesystem;

namespace {

fs::path g_commandLineCard;  // empty while the command line names none

// The card found among the mounted ones, kept while it still holds the route
// folder: a card plugged in while the chooser is open must not get the line
// meant for the card whose files the chooser lists.
std::optional<fs::path> g_mountedCard;

}  // namespace

void UseStorageCard(const fs::path& folder) {
    g_commandLineCard = folder;
}

fs::path StorageCardFolder() {
    if (!g_commandLineCard.empty()) {
        return g_commandLineCard;
    }
    if (fs::path card = StorageCardFromEnvironment(); !card.empty()) {
        return card;
    }
    if (!g_mountedCard || !HoldsRouteFolder(*g_mountedCard)) {
        const std::vector<fs::path> cards = MountedCardsNow();
        g_mountedCard.reset();
        if (!cards.empty()) {
            g_mountedCard = cards.front();
        }
    }
    return g_mountedCard ? *g_mountedCard : DefaultStorageCard();
}

std::wstring StorageCardChoiceNote() {
    if (!g_commandLineCard.empty() || !StorageCardFromEnvironment().empty()) {
        return {};
    }
    const fs::path card = StorageCardFolder();
    if (!g_mountedCard || MountedCardsNow().size() < 2) {
        return {};
    }
    // A drive's root ("E:\") has no last part: the drive names it.
    return WideFromHostPath(card.has_filename() ? card.filename() : card.root_name());
}

bool HoldsRouteFolder(const fs::path& root) {
    fs::path folder = root;
    for (const char* part : {"MN6", "Settings", "Routes"}) {
        folder = ChildNoCase(folder, part);
        std::error_code error;
        if (folder.empty() || !fs::is_directory(folder, error)) {
            return false;
        }
    }
    return true;
}

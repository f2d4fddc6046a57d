// SPDX-License-Identifier: MIT
#include <cstdlib>

#include "services/device_files.h"

namespace fs = std::filesystem;

fs::path StorageCardFolder() {
    if (const char* card = std::getenv("QUILLPOST_STORAGE_CARD"); card && *card) {
        return card;
    }
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return fs::path(data) / "quillpost" / "Storage Card";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "quillpost" / "Storage Card";
}

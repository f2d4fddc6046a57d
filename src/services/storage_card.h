// SPDX-License-Identifier: MIT
// Where the device's storage card is on this machine. On Linux: the folder
// named by QUILLPOST_STORAGE_CARD, else "$XDG_DATA_HOME/quillpost/Storage Card"
// (~/.local/share when XDG_DATA_HOME is unset). On Windows: the folder named
// by QUILLPOST_STORAGE_CARD, else the first removable drive that holds
// \MN6\Settings\Routes, else "%LOCALAPPDATA%\Quillpost\Storage Card".
#pragma once

#include <filesystem>

std::filesystem::path StorageCardFolder();

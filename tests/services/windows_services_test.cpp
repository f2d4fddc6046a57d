// SPDX-License-Identifier: MIT
// The services on Windows: the settings file under %APPDATA%, a read-only one
// kept, and the card's search with names beyond 8.3 and beyond 16 bits.
#include <gtest/gtest.h>

#include "services/device_files.h"
#include "services/profile_store.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(WindowsSettings, LiveInAppDataAndAReadOnlyFileIsKept) {
    ScratchDir appData;
    const ScopedEnv env("APPDATA", appData.path().string());
    const fs::path file = ProfileStore::FilePath(L"Kvo Applications", L"Quillpost");
    EXPECT_EQ(file, appData / "Kvo Applications" / "Quillpost.ini");

    // Lines end as Windows' own text files end them, also those a file
    // written elsewhere brought along.
    WriteFileBytes(file, "[Other]\nKept=1\n");
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"Settings", L"Format", 2));
    EXPECT_EQ(ReadFileBytes(file), "[Other]\r\nKept=1\r\n[Settings]\r\nFormat=2\r\n");
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 0), 2);

    // Windows' read-only attribute is what this takes away.
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(ProfileStore::WriteInt(file, L"Settings", L"Format", 3));
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadFileBytes(file), "[Other]\r\nKept=1\r\n[Settings]\r\nFormat=2\r\n");
    EXPECT_EQ(fs::directory_iterator(file.parent_path())->path(), file);  // no copy left
}

TEST(WindowsCard, WithoutACardTheFolderIsUnderLocalAppData) {
    ScratchDir local;
    const ScopedEnv unset("QUILLPOST_STORAGE_CARD", "");
    const ScopedEnv data("LOCALAPPDATA", local.path().string());
    EXPECT_EQ(StorageCardFolder(), local / "Quillpost" / "Storage Card");
}

TEST(WindowsCard, TheSearchMatchesWholeNamesInWideCharacters) {
    ScratchDir card;
    const ScopedEnv env("QUILLPOST_STORAGE_CARD", card.path().string());
    const fs::path routes = card / "MN6" / "Settings" / "Routes";
    fs::create_directories(routes);
    // "Tour 🚲" needs a surrogate pair in 16-bit wide characters.
    const std::wstring wide = L"Tour \U0001F6B2.rte";
    for (const fs::path& name : {fs::path(L"long.rtex"), fs::path(wide)}) {
        WriteFileBytes(routes / name, "x\r\n");
    }
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(L"\\Storage Card\\MN6\\Settings\\Routes\\*.rte", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::wstring(data.cFileName), wide);  // long.rtex is not a route file
    EXPECT_FALSE(FindNextFileW(search, &data));
    FindClose(search);
    EXPECT_EQ(DeviceToHostPath(L"\\Storage Card\\MN6\\Settings\\Routes\\" + wide), routes / wide);
}

}  // namespace

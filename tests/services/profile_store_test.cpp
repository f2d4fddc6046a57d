// SPDX-License-Identifier: MIT
#include "services/profile_store.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/scratch_dir.h"
#include "support/unprivileged.h"

namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::filesystem::path file = dir / "Kvo Applications/Quillpost.ini";
};

TEST_F(ProfileStoreTest, MissingOrDamagedFilesGiveTheDefault) {
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 7), 7);
    WriteFileBytes(file, std::string("\x00\xff\xfe[Settings\n==\n\x01", 13));
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 7), 7);
    std::filesystem::remove(file);
    std::filesystem::create_directories(file);  // a folder where the file should be
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 7), 7);
}

TEST_F(ProfileStoreTest, OnlyWholeThirtyTwoBitNumbersAreValues) {
    WriteFileBytes(file,
                   "[Settings]\nA= 12 \nB=-2147483648\nC=2147483648\nD=1.5\nE=\nF=12x\n"
                   "G=0x10\nH=+3\nI=99999999999999999999999999999999999999\n");
    const auto read = [&](const wchar_t* name) {
        return ProfileStore::ReadInt(file, L"Settings", name, -1);
    };
    EXPECT_EQ(read(L"A"), 12);
    EXPECT_EQ(read(L"B"), -2147483647 - 1);
    EXPECT_EQ(read(L"C"), -1);
    EXPECT_EQ(read(L"D"), -1);
    EXPECT_EQ(read(L"E"), -1);
    EXPECT_EQ(read(L"F"), -1);
    EXPECT_EQ(read(L"G"), -1);
    EXPECT_EQ(read(L"H"), 3);
    EXPECT_EQ(read(L"I"), -1);
}

TEST_F(ProfileStoreTest, ValuesBelongToTheirSection) {
    WriteFileBytes(file, "Format=5\n[Other]\nFormat=6\n[settings]\nformat=2\n");
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 0), 2);
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Other", L"Format", 0), 6);
}

TEST_F(ProfileStoreTest, WritingKeepsEverythingElse) {
    WriteFileBytes(file, "; my notes\n[Settings]\nLanguage=1\nFormat=2\n[Other]\nX=9\n");
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"Settings", L"Format", 3));
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"Settings", L"Datum", -4));
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"New", L"Y", 1));
    EXPECT_EQ(ReadFileBytes(file),
              "; my notes\n[Settings]\nLanguage=1\nFormat=3\nDatum=-4\n[Other]\nX=9\n[New]\nY=1\n");
}

TEST_F(ProfileStoreTest, WritingCreatesTheFolderAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"Settings", L"Format", 1));
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 0), 1);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(file.parent_path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(ProfileStoreTest, AFailedWriteLeavesTheOldFile) {
    WriteFileBytes(file, "[Settings]\nFormat=2\n");
    // The folder is replaced by a file name that cannot hold a temporary file.
    const auto blocked = dir / "not-a-folder/Quillpost.ini";
    WriteFileBytes(dir / "not-a-folder", "x");
    EXPECT_FALSE(ProfileStore::WriteInt(blocked, L"Settings", L"Format", 3));
    EXPECT_EQ(ReadFileBytes(file), "[Settings]\nFormat=2\n");
}

// Replacing a file that could not be read would keep only the one value
// written: whatever else it held would be lost.
TEST_F(ProfileStoreTest, AFileThatCannotBeReadIsNeverReplaced) {
    std::filesystem::create_directories(file);  // a folder where the file should be
    EXPECT_FALSE(ProfileStore::WriteInt(file, L"Settings", L"Format", 1));
    EXPECT_TRUE(std::filesystem::is_directory(file));
    std::filesystem::remove(file);

    const std::string huge = "[Settings]\nFormat=2\n" + std::string(2 << 20, ';');
    WriteFileBytes(file, huge);
    EXPECT_FALSE(ProfileStore::WriteInt(file, L"Settings", L"Format", 1));
    EXPECT_EQ(ReadFileBytes(file), huge);

    WriteFileBytes(file, "[Settings]\nFormat=2\n");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    std::filesystem::permissions(file.parent_path(), std::filesystem::perms::all);
    std::filesystem::permissions(file, std::filesystem::perms::owner_write);  // write-only
    GiveToChild(file);
    EXPECT_EQ(RunUnprivileged(
                  [&] { return ProfileStore::WriteInt(file, L"Settings", L"Format", 1) ? 1 : 0; }),
              0);
    EXPECT_EQ(ReadFileBytes(file), "[Settings]\nFormat=2\n");
}

// A settings file edited on Windows has CR LF line ends.
TEST_F(ProfileStoreTest, ACrLfFileIsReadAndRewrittenWithOneSection) {
    WriteFileBytes(file, "[Settings]\r\nFormat=2\r\nLanguage=1\r\n");
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 7), 2);
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"Settings", L"Format", 3));
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 7), 3);
    EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Language", 7), 1);
    const std::string text = ReadFileBytes(file);
    EXPECT_EQ(text.find("[Settings]"), text.rfind("[Settings]")) << text;
    EXPECT_EQ(text.find("Format="), text.rfind("Format=")) << text;
}

TEST_F(ProfileStoreTest, ANewFileKeepsTheOldOnesPermissions) {
    WriteFileBytes(file, "[Settings]\nFormat=2\n");
    std::filesystem::permissions(
        file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"Settings", L"Format", 1));
    EXPECT_EQ(std::filesystem::status(file).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(ProfileStoreTest, ASymbolicLinkStaysAndWhereItLeadsIsRewritten) {
    const auto kept = dir / "dotfiles/quillpost.ini";
    WriteFileBytes(kept, "[Settings]\nFormat=2\n");
    std::filesystem::create_directories(file.parent_path());
    std::filesystem::create_symlink("../dotfiles/quillpost.ini", file);
    ASSERT_TRUE(ProfileStore::WriteInt(file, L"Settings", L"Format", 3));
    ASSERT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(std::filesystem::read_symlink(file), "../dotfiles/quillpost.ini");
    EXPECT_EQ(ReadFileBytes(kept), "[Settings]\nFormat=3\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(kept.parent_path()), {}), 1);

    // A link that leads nowhere is left as it is, and nothing is made where it points.
    std::filesystem::remove(file);
    std::filesystem::create_symlink("../gone/quillpost.ini", file);
    EXPECT_FALSE(ProfileStore::WriteInt(file, L"Settings", L"Format", 3));
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
}

TEST_F(ProfileStoreTest, ANewFileGetsTheUsualPermissionsLessTheUmask) {
    for (const auto& [mask, mode] : {std::pair{077, 0600}, std::pair{022, 0644}}) {
        const mode_t old = umask(static_cast<mode_t>(mask));
        std::filesystem::remove(file);
        const bool written = ProfileStore::WriteInt(file, L"Settings", L"Format", 1);
        umask(old);
        ASSERT_TRUE(written);
        struct stat status;
        ASSERT_EQ(stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, static_cast<mode_t>(mode)) << "umask " << mask;
    }
}

TEST_F(ProfileStoreTest, HomeIsUsedWithoutAConfigFolder) {
    ScopedEnv home("HOME", dir.path().string());
    ScopedEnv config("XDG_CONFIG_HOME", "");
    EXPECT_EQ(ProfileStore::FilePath(L"Kvo Applications", L"Quillpost"),
              dir / ".config/Kvo Applications/Quillpost.ini");
    // Relative folders would depend on where the program is started.
    ScopedEnv relativeConfig("XDG_CONFIG_HOME", "config");
    EXPECT_EQ(ProfileStore::FilePath(L"Kvo Applications", L"Quillpost"),
              dir / ".config/Kvo Applications/Quillpost.ini");
}

TEST_F(ProfileStoreTest, WithoutHomeTheUsersHomeFolderIsAskedForAndNeverTheCurrentOne) {
    ScopedEnv home("HOME", "");
    ScopedEnv config("XDG_CONFIG_HOME", "");
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(ProfileStore::FilePath(L"Kvo Applications", L"Quillpost"),
              std::filesystem::path(user->pw_dir) / ".config/Kvo Applications/Quillpost.ini");

    // A user the password database does not know either: the defaults, and
    // nothing written, least of all into the current folder.
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can become a user without an entry";
    }
    constexpr uid_t kUnknownUser = 54321;
    ASSERT_EQ(getpwuid(kUnknownUser), nullptr);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    const int result = RunUnprivileged(
        [&] {
            if (chdir(dir.path().c_str()) != 0) {
                return 1;
            }
            const auto file = ProfileStore::FilePath(L"Kvo Applications", L"Quillpost");
            EXPECT_EQ(ProfileStore::ReadInt(file, L"Settings", L"Format", 7), 7);
            EXPECT_FALSE(ProfileStore::WriteInt(file, L"Settings", L"Format", 1));
            return 0;
        },
        kUnknownUser);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

}  // namespace
